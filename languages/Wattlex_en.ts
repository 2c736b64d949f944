<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ListPreviewWin</name>
    <message>
        <source>List Preview</source>
        <translation>List Preview</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>It&apos;s not the corrent file</source>
        <translation>It&apos;s not the corrent file</translation>
    </message>
    <message>
        <source>Please waiting for the list changing</source>
        <translation>Please waiting for the list changing</translation>
    </message>
    <message>
        <source>Please waiting for the list initing</source>
        <translation>Please waiting for the list initing</translation>
    </message>
    <message>
        <source>Please waiting for the list recalling</source>
        <translation>Please waiting for the list recalling</translation>
    </message>
    <message>
        <source>Please waiting for the Prog recalling</source>
        <translation>Please waiting for the Prog recalling</translation>
    </message>
    <message>
        <source>open file</source>
        <translation>open file</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>The file could not be written: </source>
        <translation>The file could not be written: </translation>
    </message>
    <message>
        <source>The load sent no valid block; no file was written.</source>
        <translation>The load sent no valid block; no file was written.</translation>
    </message>
    <message>
        <source>  Wattlex</source>
        <translation>  Wattlex</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>SHORT</source>
        <translation>SHORT</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>CV</source>
        <translation>CV</translation>
    </message>
    <message>
        <source>CR</source>
        <translation>CR</translation>
    </message>
    <message>
        <source>CP</source>
        <translation>CP</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>Static</translation>
    </message>
    <message>
        <source>Dynamic</source>
        <translation>Dynamic</translation>
    </message>
    <message>
        <source>AUX</source>
        <translation>AUX</translation>
    </message>
    <message>
        <source>Utility</source>
        <translation>Utility</translation>
    </message>
    <message>
        <source>Configure</source>
        <translation>Configure</translation>
    </message>
    <message>
        <source>SLTM</source>
        <translation>SLTM</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>The file cannot be written.</source>
        <translation>The file cannot be written.</translation>
    </message>
    <message>
        <source>The record file cannot be written; the record has stopped.</source>
        <translation>The record file cannot be written; the record has stopped.</translation>
    </message>
    <message>
        <source>The record file %1 cannot be opened: %2</source>
        <translation>The record file %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>The load did not answer.</source>
        <translation>The load did not answer.</translation>
    </message>
    <message>
        <source>Please turn off the load</source>
        <translation>Please turn off the load</translation>
    </message>
    <message>
        <source>Static Dialog</source>
        <translation>Static Dialog</translation>
    </message>
    <message>
        <source>Please waiting for the Static initing</source>
        <translation>Please waiting for the Static initing</translation>
    </message>
    <message>
        <source>Dynamic Dialog</source>
        <translation>Dynamic Dialog</translation>
    </message>
    <message>
        <source>Please waiting for the dynamic initing</source>
        <translation>Please waiting for the dynamic initing</translation>
    </message>
    <message>
        <source>Please waiting for the Dynamic initing</source>
        <translation>Please waiting for the Dynamic initing</translation>
    </message>
    <message>
        <source>Utility Dialog</source>
        <translation>Utility Dialog</translation>
    </message>
    <message>
        <source>Please waiting for the Utility initing</source>
        <translation>Please waiting for the Utility initing</translation>
    </message>
    <message>
        <source>Please confirm that the BNC is connected</source>
        <translation>Please confirm that the BNC is connected</translation>
    </message>
    <message>
        <source>dialog</source>
        <translation>dialog</translation>
    </message>
    <message>
        <source>Slope are adjust to the same
range!(0.001~0.01 or 0.01~0.5)</source>
        <translation>Slope are adjust to the same
range!(0.001~0.01 or 0.01~0.5)</translation>
    </message>
    <message>
        <source>Slope are adjust to the same
range!(0.001~0.1 or 0.1~2.5)</source>
        <translation>Slope are adjust to the same
range!(0.001~0.1 or 0.1~2.5)</translation>
    </message>
    <message>
        <source>Test complete!</source>
        <translation>Test complete!</translation>
    </message>
    <message>
        <source>Over limit, Test fail!</source>
        <translation>Over limit, Test fail!</translation>
    </message>
    <message>
        <source>Below limit, Test fail!</source>
        <translation>Below limit, Test fail!</translation>
    </message>
    <message>
        <source>Failure! The measured value did not meet the set valued</source>
        <translation>Failure! The measured value did not meet the set valued</translation>
    </message>
    <message>
        <source>Failure! The measured value did not meet the set value</source>
        <translation>Failure! The measured value did not meet the set value</translation>
    </message>
    <message>
        <source>The settings load was stopped; the load may hold only part of the file&apos;s settings.</source>
        <translation>The settings load was stopped; the load may hold only part of the file&apos;s settings.</translation>
    </message>
    <message>
        <source>The load stopped answering while the settings were sent.</source>
        <translation>The load stopped answering while the settings were sent.</translation>
    </message>
</context>
<context>
    <name>MyMainWindow</name>
    <message>
        <source>Wattlex</source>
        <translation>Wattlex</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>OCPT/OPPT</source>
        <translation>OCPT/OPPT</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>List</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Ext</source>
        <translation>Ext</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>Function:</translation>
    </message>
    <message>
        <source>Measure Data</source>
        <translation>Measure Data</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>0.0000V</source>
        <translation>0.0000V</translation>
    </message>
    <message>
        <source>0.0000A</source>
        <translation>0.0000A</translation>
    </message>
    <message>
        <source>0.000Ω</source>
        <translation>0.000Ω</translation>
    </message>
    <message>
        <source>0.00W</source>
        <translation>0.00W</translation>
    </message>
    <message>
        <source>Cap_Add : 0mAh</source>
        <translation>Cap_Add : 0mAh</translation>
    </message>
    <message>
        <source>V_Ext : 0.000V</source>
        <translation>V_Ext : 0.000V</translation>
    </message>
    <message>
        <source>I_Set : 0.000A</source>
        <translation>I_Set : 0.000A</translation>
    </message>
    <message>
        <source>Trend Time:</source>
        <translation>Trend Time:</translation>
    </message>
    <message>
        <source>1min</source>
        <translation>1min</translation>
    </message>
    <message>
        <source>5min</source>
        <translation>5min</translation>
    </message>
    <message>
        <source>20min</source>
        <translation>20min</translation>
    </message>
    <message>
        <source>1hour</source>
        <translation>1hour</translation>
    </message>
    <message>
        <source>5hour</source>
        <translation>5hour</translation>
    </message>
    <message>
        <source>10hour</source>
        <translation>10hour</translation>
    </message>
    <message>
        <source>24hour</source>
        <translation>24hour</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Resis</source>
        <translation>Resis</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Ave</source>
        <translation>Ave</translation>
    </message>
    <message>
        <source>0.0000</source>
        <translation>0.0000</translation>
    </message>
    <message>
        <source>0.000</source>
        <translation>0.000</translation>
    </message>
    <message>
        <source>0.00</source>
        <translation>0.00</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Ω</source>
        <translation>Ω</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Auto Range</source>
        <translation>Auto Range</translation>
    </message>
    <message>
        <source>Record Setting</source>
        <translation>Record Setting</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Configure</source>
        <translation>Configure</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>DYN</source>
        <translation>DYN</translation>
    </message>
    <message>
        <source>Togl</source>
        <translation>Togl</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>CP</source>
        <translation>CP</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Puls</translation>
    </message>
    <message>
        <source>CV</source>
        <translation>CV</translation>
    </message>
    <message>
        <source>CR</source>
        <translation>CR</translation>
    </message>
    <message>
        <source>Cont</source>
        <translation>Cont</translation>
    </message>
    <message>
        <source>I Range</source>
        <translation>I Range</translation>
    </message>
    <message>
        <source>5A</source>
        <translation>5A</translation>
    </message>
    <message>
        <source>30A</source>
        <translation>30A</translation>
    </message>
    <message>
        <source>V Range</source>
        <translation>V Range</translation>
    </message>
    <message>
        <source>36V</source>
        <translation>36V</translation>
    </message>
    <message>
        <source>150V</source>
        <translation>150V</translation>
    </message>
    <message>
        <source>R Range</source>
        <translation>R Range</translation>
    </message>
    <message>
        <source>30mΩ～10kΩ</source>
        <translation>30mΩ～10kΩ</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Step:</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>Ton</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Toff</source>
        <translation>Toff</translation>
    </message>
    <message>
        <source>Tdly</source>
        <translation>Tdly</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Vo</source>
        <translation>Vo</translation>
    </message>
    <message>
        <source>Io</source>
        <translation>Io</translation>
    </message>
    <message>
        <source>Rco</source>
        <translation>Rco</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>OCPT</source>
        <translation>OCPT</translation>
    </message>
    <message>
        <source>OPPT</source>
        <translation>OPPT</translation>
    </message>
    <message>
        <source>OCP V :</source>
        <translation>OCP V :</translation>
    </message>
    <message>
        <source>Step :</source>
        <translation>Step :</translation>
    </message>
    <message>
        <source>Start :</source>
        <translation>Start :</translation>
    </message>
    <message>
        <source>End :</source>
        <translation>End :</translation>
    </message>
    <message>
        <source>Max :</source>
        <translation>Max :</translation>
    </message>
    <message>
        <source>Min :</source>
        <translation>Min :</translation>
    </message>
    <message>
        <source>Delay :</source>
        <translation>Delay :</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>V_Stop:</source>
        <translation>V_Stop:</translation>
    </message>
    <message>
        <source>C_Stop:</source>
        <translation>C_Stop:</translation>
    </message>
    <message>
        <source>mAh</source>
        <translation>mAh</translation>
    </message>
    <message>
        <source>T_Stop:</source>
        <translation>T_Stop:</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>Count:</translation>
    </message>
    <message>
        <source>Set(A)</source>
        <translation>Set(A)</translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation>Time(s)</translation>
    </message>
    <message>
        <source>Slo(A/us)</source>
        <translation>Slo(A/us)</translation>
    </message>
    <message>
        <source>∞</source>
        <translation>∞</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Utility</source>
        <translation>Utility</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Devices and Interfaces</source>
        <translation>Devices and Interfaces</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>Open Connect win</source>
        <translation>Open Connect win</translation>
    </message>
    <message>
        <source>About Wattlex</source>
        <translation>About Wattlex</translation>
    </message>
    <message>
        <source>User Help</source>
        <translation>User Help</translation>
    </message>
    <message>
        <source>Website...</source>
        <translation>Website...</translation>
    </message>
    <message>
        <source>Please turn off the load !</source>
        <translation>Please turn off the load !</translation>
    </message>
    <message>
        <source>It&apos;s not the correct file !</source>
        <translation>It&apos;s not the correct file !</translation>
    </message>
    <message>
        <source>Refreshing devices, please wait.</source>
        <translation>Refreshing devices, please wait.</translation>
    </message>
    <message>
        <source>The language setting could not be saved.</source>
        <translation>The language setting could not be saved.</translation>
    </message>
    <message>
        <source>The new language takes effect when Wattlex is started again.</source>
        <translation>The new language takes effect when Wattlex is started again.</translation>
    </message>
    <message>
        <source>Can not find document.</source>
        <translation>Can not find document.</translation>
    </message>
    <message>
        <source>The user guide %1 could not be opened: no program to show .chm files was found. Please install a CHM viewer (xchm).</source>
        <translation>The user guide %1 could not be opened: no program to show .chm files was found. Please install a CHM viewer (xchm).</translation>
    </message>
    <message>
        <source>No web site address is set in this build.</source>
        <translation>No web site address is set in this build.</translation>
    </message>
    <message>
        <source>Cap_Add:</source>
        <translation>Cap_Add:</translation>
    </message>
    <message>
        <source>Please turn on the load !</source>
        <translation>Please turn on the load !</translation>
    </message>
    <message>
        <source>Sense</source>
        <translation>Sense</translation>
    </message>
    <message>
        <source>SOF</source>
        <translation>SOF</translation>
    </message>
    <message>
        <source>Von Latch</source>
        <translation>Von Latch</translation>
    </message>
    <message>
        <source>Ext Input</source>
        <translation>Ext Input</translation>
    </message>
    <message>
        <source>IMON</source>
        <translation>IMON</translation>
    </message>
    <message>
        <source>VMON</source>
        <translation>VMON</translation>
    </message>
    <message>
        <source>TMON</source>
        <translation>TMON</translation>
    </message>
    <message>
        <source>I Protect</source>
        <translation>I Protect</translation>
    </message>
    <message>
        <source>P Protect</source>
        <translation>P Protect</translation>
    </message>
    <message>
        <source>List state:Stop </source>
        <translation>List state:Stop </translation>
    </message>
    <message>
        <source>List state:Running </source>
        <translation>List state:Running </translation>
    </message>
    <message>
        <source>Program state:Pause </source>
        <translation>Program state:Pause </translation>
    </message>
    <message>
        <source>Program state:Stop </source>
        <translation>Program state:Stop </translation>
    </message>
    <message>
        <source>Program state:Running </source>
        <translation>Program state:Running </translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>External</source>
        <translation>External</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Bus</translation>
    </message>
    <message>
        <source>Trig:</source>
        <translation>Trig:</translation>
    </message>
    <message>
        <source>Average:</source>
        <translation>Average:</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Slope are adjust to the same range!(0.001~0.01 or 0.01~0.5)</source>
        <translation>Slope are adjust to the same range!(0.001~0.01 or 0.01~0.5)</translation>
    </message>
    <message>
        <source>Slope are adjust to the same range!(0.001~0.1 or 0.1~2.5)</source>
        <translation>Slope are adjust to the same range!(0.001~0.1 or 0.1~2.5)</translation>
    </message>
    <message>
        <source>Current :</source>
        <translation>Current :</translation>
    </message>
    <message>
        <source>Slew_RIS :</source>
        <translation>Slew_RIS :</translation>
    </message>
    <message>
        <source>Slew_FAL :</source>
        <translation>Slew_FAL :</translation>
    </message>
    <message>
        <source>Voltage :</source>
        <translation>Voltage :</translation>
    </message>
    <message>
        <source>Resistance :</source>
        <translation>Resistance :</translation>
    </message>
    <message>
        <source>Power :</source>
        <translation>Power :</translation>
    </message>
    <message>
        <source>Io :</source>
        <translation>Io :</translation>
    </message>
    <message>
        <source>Vo :</source>
        <translation>Vo :</translation>
    </message>
    <message>
        <source>Rco :</source>
        <translation>Rco :</translation>
    </message>
    <message>
        <source>A_Level :</source>
        <translation>A_Level :</translation>
    </message>
    <message>
        <source>B_Level :</source>
        <translation>B_Level :</translation>
    </message>
    <message>
        <source>A_Width :</source>
        <translation>A_Width :</translation>
    </message>
    <message>
        <source>B_Width :</source>
        <translation>B_Width :</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Width :</translation>
    </message>
    <message>
        <source>Please waiting for the Battery initing</source>
        <translation>Please waiting for the Battery initing</translation>
    </message>
    <message>
        <source>Network Devices</source>
        <translation>Network Devices</translation>
    </message>
    <message>
        <source>It&apos;s not the correct resource !</source>
        <translation>It&apos;s not the correct resource !</translation>
    </message>
    <message>
        <source>Create VISA TCP/IP Resource</source>
        <translation>Create VISA TCP/IP Resource</translation>
    </message>
    <message>
        <source>Connect to Resource</source>
        <translation>Connect to Resource</translation>
    </message>
    <message>
        <source>Disconnect Resource</source>
        <translation>Disconnect Resource</translation>
    </message>
    <message>
        <source>Delete Resource</source>
        <translation>Delete Resource</translation>
    </message>
    <message>
        <source>Do you want to disconnect the device?</source>
        <translation>Do you want to disconnect the device?</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before exiting?</source>
        <translation>The load&apos;s input is on.
Switch it off before exiting?</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before disconnecting?</source>
        <translation>The load&apos;s input is on.
Switch it off before disconnecting?</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before connecting to another load?</source>
        <translation>The load&apos;s input is on.
Switch it off before connecting to another load?</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before deleting the resource?</source>
        <translation>The load&apos;s input is on.
Switch it off before deleting the resource?</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before refreshing?</source>
        <translation>The load&apos;s input is on.
Switch it off before refreshing?</translation>
    </message>
    <message>
        <source>Closing: the load finishes its exchange in progress...</source>
        <translation>Closing: the load finishes its exchange in progress...</translation>
    </message>
    <message>
        <source>Initial</source>
        <translation>Initial</translation>
    </message>
    <message>
        <source>Please waiting for the data initing</source>
        <translation>Please waiting for the data initing</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>Please waiting for the file saving</source>
        <translation>Please waiting for the file saving</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2</source>
        <translation>The settings could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>No load is connected.</source>
        <translation>No load is connected.</translation>
    </message>
    <message>
        <source>open file</source>
        <translation>open file</translation>
    </message>
    <message>
        <source>The file %1 could not be opened: %2</source>
        <translation>The file %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>Please waiting for the file setting</source>
        <translation>Please waiting for the file setting</translation>
    </message>
    <message>
        <source>The load stopped answering while the settings were sent.</source>
        <translation>The load stopped answering while the settings were sent.</translation>
    </message>
    <message>
        <source>Not carried out: the load was busy with the settings file.</source>
        <translation>Not carried out: the load was busy with the settings file.</translation>
    </message>
    <message>
        <source>Not carried out: no load was connected.</source>
        <translation>Not carried out: no load was connected.</translation>
    </message>
    <message>
        <source>Set(V)</source>
        <translation>Set(V)</translation>
    </message>
    <message>
        <source>Set(Ω)</source>
        <translation>Set(Ω)</translation>
    </message>
    <message>
        <source>Set(W)</source>
        <translation>Set(W)</translation>
    </message>
    <message>
        <source>list(*.list)</source>
        <translation>list(*.list)</translation>
    </message>
    <message>
        <source>The load sent no valid list; no file was written.</source>
        <translation>The load sent no valid list; no file was written.</translation>
    </message>
    <message>
        <source>The file could not be written !</source>
        <translation>The file could not be written !</translation>
    </message>
    <message>
        <source>The file could not be opened !</source>
        <translation>The file could not be opened !</translation>
    </message>
    <message>
        <source>Please waiting for the list recalling</source>
        <translation>Please waiting for the list recalling</translation>
    </message>
    <message>
        <source>List run complete !</source>
        <translation>List run complete !</translation>
    </message>
    <message>
        <source>prog(*.prog)</source>
        <translation>prog(*.prog)</translation>
    </message>
    <message>
        <source>The load&apos;s program could not be read correctly; no file was written.</source>
        <translation>The load&apos;s program could not be read correctly; no file was written.</translation>
    </message>
    <message>
        <source>The file could not be written: </source>
        <translation>The file could not be written: </translation>
    </message>
    <message>
        <source>Please waiting for the program recalling</source>
        <translation>Please waiting for the program recalling</translation>
    </message>
    <message>
        <source>OCP V:</source>
        <translation>OCP V:</translation>
    </message>
    <message>
        <source>OPP V:</source>
        <translation>OPP V:</translation>
    </message>
    <message>
        <source>The interval must be at least 1 s.</source>
        <translation>The interval must be at least 1 s.</translation>
    </message>
    <message>
        <source>The elapsed time must be at least 1 s.</source>
        <translation>The elapsed time must be at least 1 s.</translation>
    </message>
    <message>
        <source>The number of readings must be at least 1.</source>
        <translation>The number of readings must be at least 1.</translation>
    </message>
    <message>
        <source>Please select a valid path.</source>
        <translation>Please select a valid path.</translation>
    </message>
    <message>
        <source>The record file %1 already exists.
Append the new readings to it, or overwrite it?</source>
        <translation>The record file %1 already exists.
Append the new readings to it, or overwrite it?</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>Append</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>The record file %1 could not be opened: %2</source>
        <translation>The record file %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>The record file %1 could not be saved to disk: %2</source>
        <translation>The record file %1 could not be saved to disk: %2</translation>
    </message>
    <message>
        <source>The record file %1 could not be written: %2
The record stopped.</source>
        <translation>The record file %1 could not be written: %2
The record stopped.</translation>
    </message>
    <message>
        <source>The connection to the load ended: the record stopped.
The readings so far are in %1.</source>
        <translation>The connection to the load ended: the record stopped.
The readings so far are in %1.</translation>
    </message>
    <message>
        <source>Save Complete</source>
        <translation>Save Complete</translation>
    </message>
    <message>
        <source>Failure! The measured value did not meet the set value</source>
        <translation>Failure! The measured value did not meet the set value</translation>
    </message>
    <message>
        <source>Test complete!</source>
        <translation>Test complete!</translation>
    </message>
    <message>
        <source>Below limit, Test fail!</source>
        <translation>Below limit, Test fail!</translation>
    </message>
    <message>
        <source>Over limit, Test fail!</source>
        <translation>Over limit, Test fail!</translation>
    </message>
    <message>
        <source>V_EXT : </source>
        <translation>V_EXT : </translation>
    </message>
    <message>
        <source>I_set : </source>
        <translation>I_set : </translation>
    </message>
    <message>
        <source>V_set : </source>
        <translation>V_set : </translation>
    </message>
    <message>
        <source>T_Rise : </source>
        <translation>T_Rise : </translation>
    </message>
    <message>
        <source>T_Fall : </source>
        <translation>T_Fall : </translation>
    </message>
    <message>
        <source>Do you want to clean up the accumulated capacity?</source>
        <translation>Do you want to clean up the accumulated capacity?</translation>
    </message>
    <message>
        <source>SOF set to on
Test failed, stop running</source>
        <translation>SOF set to on
Test failed, stop running</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>The load left remote control: the connection ended.</source>
        <translation>The load left remote control: the connection ended.</translation>
    </message>
    <message>
        <source>The connection to the load was lost.</source>
        <translation>The connection to the load was lost.</translation>
    </message>
    <message>
        <source>Over the protect power !</source>
        <translation>Over the protect power !</translation>
    </message>
    <message>
        <source>Over the protect current !</source>
        <translation>Over the protect current !</translation>
    </message>
    <message>
        <source>Positive and negative pole reversal !</source>
        <translation>Positive and negative pole reversal !</translation>
    </message>
    <message>
        <source>Over voltage !</source>
        <translation>Over voltage !</translation>
    </message>
    <message>
        <source>Over temperature !</source>
        <translation>Over temperature !</translation>
    </message>
    <message>
        <source>Over power !</source>
        <translation>Over power !</translation>
    </message>
    <message>
        <source>Over current !</source>
        <translation>Over current !</translation>
    </message>
    <message>
        <source>Short is invalid in present state !</source>
        <translation>Short is invalid in present state !</translation>
    </message>
    <message>
        <source>%1 of %2 commands sent</source>
        <translation>%1 of %2 commands sent</translation>
    </message>
</context>
<context>
    <name>ProgResultWin</name>
    <message>
        <source>Program Result</source>
        <translation>Program Result</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>No reading</source>
        <translation>No reading</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>Below MIN: </source>
        <translation>Below MIN: </translation>
    </message>
    <message>
        <source>Over MAX: </source>
        <translation>Over MAX: </translation>
    </message>
</context>
<context>
    <name>SwitchControl</name>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
</context>
<context>
    <name>app_paths</name>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Cannot create the folder %1.</translation>
    </message>
    <message>
        <source>Cannot write the configuration file %1.</source>
        <translation>Cannot write the configuration file %1.</translation>
    </message>
</context>
<context>
    <name>connectWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>VXI11</source>
        <translation>VXI11</translation>
    </message>
    <message>
        <source>History:</source>
        <translation>History:</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>IP address:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>number</source>
        <translation>number</translation>
    </message>
    <message>
        <source>device name</source>
        <translation>device name</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Please enter a valid IP address.</source>
        <translation>Please enter a valid IP address.</translation>
    </message>
</context>
<context>
    <name>ipcreat</name>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Entry IP Address</source>
        <translation>Entry IP Address</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Please enter a valid IP address.</source>
        <translation>Please enter a valid IP address.</translation>
    </message>
</context>
<context>
    <name>recordSetting</name>
    <message>
        <source>Record Settings</source>
        <translation>Record Settings</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Auto Stop</source>
        <translation>Auto Stop</translation>
    </message>
    <message>
        <source>Elapsed Time</source>
        <translation>Elapsed Time</translation>
    </message>
    <message>
        <source>After N Reading</source>
        <translation>After N Reading</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>Please select a valid path.</source>
        <translation>Please select a valid path.</translation>
    </message>
    <message>
        <source>The interval must be at least 1 s.</source>
        <translation>The interval must be at least 1 s.</translation>
    </message>
    <message>
        <source>Recording.Do you want to stop record and apply new settings?</source>
        <translation>Recording.Do you want to stop record and apply new settings?</translation>
    </message>
</context>
<context>
    <name>typed_entry_t</name>
    <message>
        <source>Not a number</source>
        <translation>Not a number</translation>
    </message>
    <message>
        <source>A comma before three digits is read as a thousands separator: type the number without it, or with a point</source>
        <translation>A comma before three digits is read as a thousands separator: type the number without it, or with a point</translation>
    </message>
    <message>
        <source>Whole numbers only</source>
        <translation>Whole numbers only</translation>
    </message>
    <message>
        <source>At most %1 decimals</source>
        <translation>At most %1 decimals</translation>
    </message>
    <message>
        <source>At most %1 significant digits</source>
        <translation>At most %1 significant digits</translation>
    </message>
    <message>
        <source>Out of range: %1 to %2</source>
        <translation>Out of range: %1 to %2</translation>
    </message>
</context>
<context>
    <name>uiPara</name>
    <message>
        <source>a current range (5 or 30)</source>
        <translation>a current range (5 or 30)</translation>
    </message>
    <message>
        <source>a voltage range (36 or 150)</source>
        <translation>a voltage range (36 or 150)</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>an integer</source>
        <translation>an integer</translation>
    </message>
    <message>
        <source>a switch (0 or 1)</source>
        <translation>a switch (0 or 1)</translation>
    </message>
    <message>
        <source>a known mode word</source>
        <translation>a known mode word</translation>
    </message>
    <message>
        <source>within %1..%2</source>
        <translation>within %1..%2</translation>
    </message>
    <message>
        <source>The settings text has %1 fields, %2 expected.</source>
        <translation>The settings text has %1 fields, %2 expected.</translation>
    </message>
    <message>
        <source>Field %1 (%2) is &quot;%3&quot;, not %4.</source>
        <translation>Field %1 (%2) is &quot;%3&quot;, not %4.</translation>
    </message>
</context>
<context>
    <name>ui_about_info_t</name>
    <message>
        <source>About Wattlex</source>
        <translation>About Wattlex</translation>
    </message>
    <message>
        <source>Wattlex</source>
        <translation>Wattlex</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>All rights reserved.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
</context>
<context>
    <name>ui_prompt_t</name>
    <message>
        <source>Save changes to the file </source>
        <translation>Save changes to the file </translation>
    </message>
    <message>
        <source>Wattwave Instance already running.</source>
        <translation>Wattwave Instance already running.</translation>
    </message>
</context>
<context>
    <name>ui_qsplashscreen_t</name>
    <message>
        <source>Loading files, please wait ...</source>
        <translation>Loading files, please wait ...</translation>
    </message>
    <message>
        <source>Loading files, please wait </source>
        <translation>Loading files, please wait </translation>
    </message>
</context>
<context>
    <name>ui_xt_scale_draw_t</name>
    <message>
        <source>30s</source>
        <translation>30s</translation>
    </message>
    <message>
        <source>1min</source>
        <translation>1min</translation>
    </message>
    <message>
        <source>2.5min</source>
        <translation>2.5min</translation>
    </message>
    <message>
        <source>5min</source>
        <translation>5min</translation>
    </message>
    <message>
        <source>10min</source>
        <translation>10min</translation>
    </message>
    <message>
        <source>20min</source>
        <translation>20min</translation>
    </message>
    <message>
        <source>30min</source>
        <translation>30min</translation>
    </message>
    <message>
        <source>1hour</source>
        <translation>1hour</translation>
    </message>
    <message>
        <source>2.5hour</source>
        <translation>2.5hour</translation>
    </message>
    <message>
        <source>5hour</source>
        <translation>5hour</translation>
    </message>
    <message>
        <source>10hour</source>
        <translation>10hour</translation>
    </message>
    <message>
        <source>12hour</source>
        <translation>12hour</translation>
    </message>
    <message>
        <source>24hour</source>
        <translation>24hour</translation>
    </message>
</context>
<context>
    <name>utilitySetting</name>
    <message>
        <source>Utility</source>
        <translation>Utility</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>VOL</translation>
    </message>
    <message>
        <source>Vrmt</source>
        <translation>Vrmt</translation>
    </message>
    <message>
        <source>SOF</source>
        <translation>SOF</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Ext</source>
        <translation>Ext</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Bus</translation>
    </message>
    <message>
        <source>Trig:</source>
        <translation>Trig:</translation>
    </message>
    <message>
        <source>Von:</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>Average:</source>
        <translation>Average:</translation>
    </message>
    <message>
        <source>V_M_ON</source>
        <translation>V_M_ON</translation>
    </message>
    <message>
        <source>ExtSwitch</source>
        <translation>ExtSwitch</translation>
    </message>
    <message>
        <source>I_M_ON</source>
        <translation>I_M_ON</translation>
    </message>
    <message>
        <source>I Protect</source>
        <translation>I Protect</translation>
    </message>
    <message>
        <source>Current:</source>
        <translation>Current:</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>Delay:</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>P Protect</source>
        <translation>P Protect</translation>
    </message>
    <message>
        <source>Power:</source>
        <translation>Power:</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>TMon</source>
        <translation>TMon</translation>
    </message>
    <message>
        <source>V Low:</source>
        <translation>V Low:</translation>
    </message>
    <message>
        <source>V High:</source>
        <translation>V High:</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Short_En</source>
        <translation>Short_En</translation>
    </message>
</context>
</TS>
