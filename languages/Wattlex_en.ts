<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MyMainWindow</name>
    <message>
        <source>Wattlex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Basic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OCPT/OPPT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ext</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.0000V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.0000A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.000Ω</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.00W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cap_Add : 0mAh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V_Ext : 0.000V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I_Set : 0.000A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trend Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.0000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ω</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DYN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Togl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cont</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>36V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>150V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30mΩ～10kΩ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ton</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tdly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Io</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rco</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OCPT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPPT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OCP V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V_Stop:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C_Stop:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mAh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T_Stop:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slo(A/us)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>∞</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Utility</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Devices and Interfaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Connect win</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Wattlex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Website...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please turn off the load !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It&apos;s not the correct file !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SwitchControl</name>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>uiPara</name>
    <message>
        <source>a current range (5 or 30)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a voltage range (36 or 150)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a switch (0 or 1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a known mode word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings text has %1 fields, %2 expected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field %1 (%2) is &quot;%3&quot;, not %4.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui_prompt_t</name>
    <message>
        <source>Save changes to the file </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wattwave Instance already running.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui_qsplashscreen_t</name>
    <message>
        <source>Loading files, please wait ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading files, please wait </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui_xt_scale_draw_t</name>
    <message>
        <source>30s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.5min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.5hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24hour</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
