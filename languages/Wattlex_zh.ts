<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ListPreviewWin</name>
    <message>
        <source>List Preview</source>
        <translation>列表预览</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>It&apos;s not the corrent file</source>
        <translation>不是正确的文件</translation>
    </message>
    <message>
        <source>Please waiting for the list changing</source>
        <translation>正在更改列表，请稍候</translation>
    </message>
    <message>
        <source>Please waiting for the list initing</source>
        <translation>正在初始化列表，请稍候</translation>
    </message>
    <message>
        <source>Please waiting for the list recalling</source>
        <translation>正在读取列表，请稍候</translation>
    </message>
    <message>
        <source>Please waiting for the Prog recalling</source>
        <translation>正在读取程序，请稍候</translation>
    </message>
    <message>
        <source>open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>The file could not be written: </source>
        <translation>无法写入文件：</translation>
    </message>
    <message>
        <source>The load sent no valid block; no file was written.</source>
        <translation>负载未发送有效数据块，未写入文件。</translation>
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
        <translation>短路</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
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
        <translation>静态</translation>
    </message>
    <message>
        <source>Dynamic</source>
        <translation>动态</translation>
    </message>
    <message>
        <source>AUX</source>
        <translation>辅助</translation>
    </message>
    <message>
        <source>Utility</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>Configure</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>SLTM</source>
        <translation>SLTM</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>保护</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>无法打开该文件。</translation>
    </message>
    <message>
        <source>The file cannot be written.</source>
        <translation>无法写入该文件。</translation>
    </message>
    <message>
        <source>The record file cannot be written; the record has stopped.</source>
        <translation>无法写入记录文件，记录已停止。</translation>
    </message>
    <message>
        <source>The record file %1 cannot be opened: %2</source>
        <translation>无法打开记录文件 %1：%2</translation>
    </message>
    <message>
        <source>The load did not answer.</source>
        <translation>负载没有应答。</translation>
    </message>
    <message>
        <source>Battery Dialog</source>
        <translation>电池测试对话框</translation>
    </message>
    <message>
        <source>Please waiting for the Battery initing</source>
        <translation>正在初始化电池测试，请稍候</translation>
    </message>
    <message>
        <source>The load&apos;s reply could not be read.</source>
        <translation>无法读取负载的应答。</translation>
    </message>
    <message>
        <source>The load has left remote control.</source>
        <translation>负载已退出远程控制。</translation>
    </message>
    <message>
        <source>The load does not answer any more; the connection is closed.</source>
        <translation>负载不再应答，连接已关闭。</translation>
    </message>
    <message>
        <source>Please turn off the load</source>
        <translation>请关闭负载</translation>
    </message>
    <message>
        <source>Static Dialog</source>
        <translation>静态对话框</translation>
    </message>
    <message>
        <source>Please waiting for the Static initing</source>
        <translation>正在初始化静态模式，请稍候</translation>
    </message>
    <message>
        <source>Dynamic Dialog</source>
        <translation>动态对话框</translation>
    </message>
    <message>
        <source>Please waiting for the dynamic initing</source>
        <translation>正在初始化动态模式，请稍候</translation>
    </message>
    <message>
        <source>Please waiting for the Dynamic initing</source>
        <translation>正在初始化动态模式，请稍候</translation>
    </message>
    <message>
        <source>Utility Dialog</source>
        <translation>系统设置对话框</translation>
    </message>
    <message>
        <source>Please waiting for the Utility initing</source>
        <translation>正在初始化系统设置，请稍候</translation>
    </message>
    <message>
        <source>Please confirm that the BNC is connected</source>
        <translation>请确认BNC已连接</translation>
    </message>
    <message>
        <source>dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Slope are adjust to the same
range!(0.001~0.01 or 0.01~0.5)</source>
        <translation>斜率需调整到同一范围！
(0.001~0.01 或 0.01~0.5)</translation>
    </message>
    <message>
        <source>Slope are adjust to the same
range!(0.001~0.1 or 0.1~2.5)</source>
        <translation>斜率需调整到同一范围！
(0.001~0.1 或 0.1~2.5)</translation>
    </message>
    <message>
        <source>Test complete!</source>
        <translation>测试完成！</translation>
    </message>
    <message>
        <source>Over limit, Test fail!</source>
        <translation>超出上限，测试失败！</translation>
    </message>
    <message>
        <source>Below limit, Test fail!</source>
        <translation>低于下限，测试失败！</translation>
    </message>
    <message>
        <source>Failure! The measured value did not meet the set valued</source>
        <translation>失败！测量值未达到设定值</translation>
    </message>
    <message>
        <source>Failure! The measured value did not meet the set value</source>
        <translation>失败！测量值未达到设定值</translation>
    </message>
    <message>
        <source>The settings load was stopped; the load may hold only part of the file&apos;s settings.</source>
        <translation>设置加载已停止，负载可能只接收了文件中的部分设置。</translation>
    </message>
    <message>
        <source>The load stopped answering while the settings were sent.</source>
        <translation>发送设置时负载停止了应答。</translation>
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
        <translation>基础测试</translation>
    </message>
    <message>
        <source>OCPT/OPPT</source>
        <translation>过流/过功率保护测试</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>电池测试</translation>
    </message>
    <message>
        <source>List</source>
        <translation>列表测试</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>自动化测试</translation>
    </message>
    <message>
        <source>Ext</source>
        <translation>外部触发模式</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>功能：</translation>
    </message>
    <message>
        <source>Measure Data</source>
        <translation>测量值</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>趋势图</translation>
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
        <translation>累计容量 : 0mAh</translation>
    </message>
    <message>
        <source>V_Ext : 0.000V</source>
        <translation>外部电压 : 0.000V</translation>
    </message>
    <message>
        <source>I_Set : 0.000A</source>
        <translation>设定电流 : 0.000A</translation>
    </message>
    <message>
        <source>Trend Time:</source>
        <translation>趋势时间：</translation>
    </message>
    <message>
        <source>1min</source>
        <translation>1分钟</translation>
    </message>
    <message>
        <source>5min</source>
        <translation>5分钟</translation>
    </message>
    <message>
        <source>20min</source>
        <translation>20分钟</translation>
    </message>
    <message>
        <source>1hour</source>
        <translation>1小时</translation>
    </message>
    <message>
        <source>5hour</source>
        <translation>5小时</translation>
    </message>
    <message>
        <source>10hour</source>
        <translation>10小时</translation>
    </message>
    <message>
        <source>24hour</source>
        <translation>24小时</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Resis</source>
        <translation>电阻</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Ave</source>
        <translation>平均</translation>
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
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Auto Range</source>
        <translation>自动量程</translation>
    </message>
    <message>
        <source>Record Setting</source>
        <translation>记录设置</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>Configure</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>DYN</source>
        <translation>动态</translation>
    </message>
    <message>
        <source>Togl</source>
        <translation>翻转</translation>
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
        <translation>脉冲</translation>
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
        <translation>连续</translation>
    </message>
    <message>
        <source>I Range</source>
        <translation>电流档位</translation>
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
        <translation>电压档位</translation>
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
        <translation>电阻档位</translation>
    </message>
    <message>
        <source>30mΩ～10kΩ</source>
        <translation>30mΩ～10kΩ</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>步数：</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步骤</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>短路</translation>
    </message>
    <message>
        <source>Ton</source>
        <translation>开启时间</translation>
    </message>
    <message>
        <source>Toff</source>
        <translation>关闭时间</translation>
    </message>
    <message>
        <source>Tdly</source>
        <translation>延迟时间</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设定值</translation>
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
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
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
        <translation>OCP 电压 :</translation>
    </message>
    <message>
        <source>Step :</source>
        <translation>步进 :</translation>
    </message>
    <message>
        <source>Start :</source>
        <translation>起始 :</translation>
    </message>
    <message>
        <source>End :</source>
        <translation>终止 :</translation>
    </message>
    <message>
        <source>Max :</source>
        <translation>最大 :</translation>
    </message>
    <message>
        <source>Min :</source>
        <translation>最小 :</translation>
    </message>
    <message>
        <source>Delay :</source>
        <translation>延时 :</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>V_Stop:</source>
        <translation>截止电压：</translation>
    </message>
    <message>
        <source>C_Stop:</source>
        <translation>截止容量：</translation>
    </message>
    <message>
        <source>mAh</source>
        <translation>mAh</translation>
    </message>
    <message>
        <source>T_Stop:</source>
        <translation>截止时间：</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>次数：</translation>
    </message>
    <message>
        <source>Set(A)</source>
        <translation>设定值(A)</translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation>时间(s)</translation>
    </message>
    <message>
        <source>Slo(A/us)</source>
        <translation>斜率(A/us)</translation>
    </message>
    <message>
        <source>∞</source>
        <translation>∞</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>Utility</source>
        <translation>功能配置</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Devices and Interfaces</source>
        <translation>设备与接口</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Open Connect win</source>
        <translation>打开连接窗口</translation>
    </message>
    <message>
        <source>About Wattlex</source>
        <translation>关于 Wattlex</translation>
    </message>
    <message>
        <source>User Help</source>
        <translation>用户帮助</translation>
    </message>
    <message>
        <source>Website...</source>
        <translation>网站...</translation>
    </message>
    <message>
        <source>Please turn off the load !</source>
        <translation>请先关闭负载！</translation>
    </message>
    <message>
        <source>It&apos;s not the correct file !</source>
        <translation>文件不正确！</translation>
    </message>
    <message>
        <source>Refreshing devices, please wait.</source>
        <translation>正在刷新设备，请稍候。</translation>
    </message>
    <message>
        <source>The language setting could not be saved.</source>
        <translation>无法保存语言设置。</translation>
    </message>
    <message>
        <source>The new language takes effect when Wattlex is started again.</source>
        <translation>新的语言在下次启动 Wattlex 时生效。</translation>
    </message>
    <message>
        <source>Can not find document.</source>
        <translation>找不到文档。</translation>
    </message>
    <message>
        <source>The user guide %1 could not be opened: no program to show .chm files was found. Please install a CHM viewer (xchm).</source>
        <translation>无法打开用户指南 %1：找不到可显示 .chm 文件的程序。请安装 CHM 查看器（xchm）。</translation>
    </message>
    <message>
        <source>No web site address is set in this build.</source>
        <translation>此版本未设置网站地址。</translation>
    </message>
    <message>
        <source>Cap_Add:</source>
        <translation>累计容量：</translation>
    </message>
    <message>
        <source>Please turn on the load !</source>
        <translation>请先打开负载！</translation>
    </message>
    <message>
        <source>Sense</source>
        <translation>远端补偿</translation>
    </message>
    <message>
        <source>SOF</source>
        <translation>失败停止</translation>
    </message>
    <message>
        <source>Von Latch</source>
        <translation>Von 锁存</translation>
    </message>
    <message>
        <source>Ext Input</source>
        <translation>外部输入</translation>
    </message>
    <message>
        <source>IMON</source>
        <translation>电流监测</translation>
    </message>
    <message>
        <source>VMON</source>
        <translation>电压监测</translation>
    </message>
    <message>
        <source>TMON</source>
        <translation>时间测试</translation>
    </message>
    <message>
        <source>I Protect</source>
        <translation>电流保护</translation>
    </message>
    <message>
        <source>P Protect</source>
        <translation>功率保护</translation>
    </message>
    <message>
        <source>List state:Stop </source>
        <translation>列表状态：停止 </translation>
    </message>
    <message>
        <source>List state:Running </source>
        <translation>列表状态：运行 </translation>
    </message>
    <message>
        <source>Program state:Pause </source>
        <translation>程序状态：暂停 </translation>
    </message>
    <message>
        <source>Program state:Stop </source>
        <translation>程序状态：停止 </translation>
    </message>
    <message>
        <source>Program state:Running </source>
        <translation>程序状态：运行 </translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>External</source>
        <translation>外部</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>总线</translation>
    </message>
    <message>
        <source>Trig:</source>
        <translation>触发：</translation>
    </message>
    <message>
        <source>Average:</source>
        <translation>平均：</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Slope are adjust to the same range!(0.001~0.01 or 0.01~0.5)</source>
        <translation>斜率已调整到同一档位！(0.001~0.01 或 0.01~0.5)</translation>
    </message>
    <message>
        <source>Slope are adjust to the same range!(0.001~0.1 or 0.1~2.5)</source>
        <translation>斜率已调整到同一档位！(0.001~0.1 或 0.1~2.5)</translation>
    </message>
    <message>
        <source>Current :</source>
        <translation>电流 :</translation>
    </message>
    <message>
        <source>Slew_RIS :</source>
        <translation>上升斜率 :</translation>
    </message>
    <message>
        <source>Slew_FAL :</source>
        <translation>下降斜率 :</translation>
    </message>
    <message>
        <source>Voltage :</source>
        <translation>电压 :</translation>
    </message>
    <message>
        <source>Resistance :</source>
        <translation>电阻 :</translation>
    </message>
    <message>
        <source>Power :</source>
        <translation>功率 :</translation>
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
        <translation>A 电平 :</translation>
    </message>
    <message>
        <source>B_Level :</source>
        <translation>B 电平 :</translation>
    </message>
    <message>
        <source>A_Width :</source>
        <translation>A 脉宽 :</translation>
    </message>
    <message>
        <source>B_Width :</source>
        <translation>B 脉宽 :</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>脉宽 :</translation>
    </message>
    <message>
        <source>Please waiting for the Battery initing</source>
        <translation>正在初始化电池测试，请稍候</translation>
    </message>
    <message>
        <source>Network Devices</source>
        <translation>网络设备</translation>
    </message>
    <message>
        <source>It&apos;s not the correct resource !</source>
        <translation>资源不正确！</translation>
    </message>
    <message>
        <source>Create VISA TCP/IP Resource</source>
        <translation>新建 VISA TCP/IP 资源</translation>
    </message>
    <message>
        <source>Connect to Resource</source>
        <translation>连接资源</translation>
    </message>
    <message>
        <source>Disconnect Resource</source>
        <translation>断开资源</translation>
    </message>
    <message>
        <source>Delete Resource</source>
        <translation>删除资源</translation>
    </message>
    <message>
        <source>Do you want to disconnect the device?</source>
        <translation>是否断开设备连接？</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before exiting?</source>
        <translation>负载输入已打开。
退出前关闭输入吗？</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before disconnecting?</source>
        <translation>负载输入已打开。
断开连接前关闭输入吗？</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before connecting to another load?</source>
        <translation>负载输入已打开。
连接其他负载前关闭输入吗？</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before deleting the resource?</source>
        <translation>负载输入已打开。
删除资源前关闭输入吗？</translation>
    </message>
    <message>
        <source>The load&apos;s input is on.
Switch it off before refreshing?</source>
        <translation>负载输入已打开。
刷新前关闭输入吗？</translation>
    </message>
    <message>
        <source>Closing: the load finishes its exchange in progress...</source>
        <translation>正在关闭：等待负载完成当前的通信……</translation>
    </message>
    <message>
        <source>Initial</source>
        <translation>初始化</translation>
    </message>
    <message>
        <source>Please waiting for the data initing</source>
        <translation>正在初始化数据，请稍候</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Please waiting for the file saving</source>
        <translation>正在保存文件，请稍候</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2</source>
        <translation>无法将设置保存到 %1：%2</translation>
    </message>
    <message>
        <source>No load is connected.</source>
        <translation>未连接负载。</translation>
    </message>
    <message>
        <source>open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>The file %1 could not be opened: %2</source>
        <translation>无法打开文件 %1：%2</translation>
    </message>
    <message>
        <source>Please waiting for the file setting</source>
        <translation>正在应用文件中的设置，请稍候</translation>
    </message>
    <message>
        <source>The load stopped answering while the settings were sent.</source>
        <translation>发送设置时负载停止了应答。</translation>
    </message>
    <message>
        <source>Not carried out: the load was busy with the settings file.</source>
        <translation>未执行：负载正在处理设置文件。</translation>
    </message>
    <message>
        <source>Not carried out: no load was connected.</source>
        <translation>未执行：没有连接负载。</translation>
    </message>
    <message>
        <source>Set(V)</source>
        <translation>设定值(V)</translation>
    </message>
    <message>
        <source>Set(Ω)</source>
        <translation>设定值(Ω)</translation>
    </message>
    <message>
        <source>Set(W)</source>
        <translation>设定值(W)</translation>
    </message>
    <message>
        <source>list(*.list)</source>
        <translation>列表文件(*.list)</translation>
    </message>
    <message>
        <source>The load sent no valid list; no file was written.</source>
        <translation>负载未返回有效的列表，未写入文件。</translation>
    </message>
    <message>
        <source>The file could not be written !</source>
        <translation>无法写入文件！</translation>
    </message>
    <message>
        <source>The file could not be opened !</source>
        <translation>无法打开文件！</translation>
    </message>
    <message>
        <source>Please waiting for the list recalling</source>
        <translation>正在读取列表，请稍候</translation>
    </message>
    <message>
        <source>List run complete !</source>
        <translation>列表运行完成！</translation>
    </message>
    <message>
        <source>prog(*.prog)</source>
        <translation>程序文件(*.prog)</translation>
    </message>
    <message>
        <source>The load&apos;s program could not be read correctly; no file was written.</source>
        <translation>未能正确读取负载的程序，未写入文件。</translation>
    </message>
    <message>
        <source>The file could not be written: </source>
        <translation>无法写入文件：</translation>
    </message>
    <message>
        <source>Please waiting for the program recalling</source>
        <translation>正在读取程序，请稍候</translation>
    </message>
    <message>
        <source>OCP V:</source>
        <translation>OCP 电压：</translation>
    </message>
    <message>
        <source>OPP V:</source>
        <translation>OPP 电压：</translation>
    </message>
    <message>
        <source>The interval must be at least 1 s.</source>
        <translation>间隔至少为 1 秒。</translation>
    </message>
    <message>
        <source>The elapsed time must be at least 1 s.</source>
        <translation>经过时间至少为 1 秒。</translation>
    </message>
    <message>
        <source>The number of readings must be at least 1.</source>
        <translation>读数次数至少为 1。</translation>
    </message>
    <message>
        <source>Please select a valid path.</source>
        <translation>请选择有效的路径。</translation>
    </message>
    <message>
        <source>The record file %1 already exists.
Append the new readings to it, or overwrite it?</source>
        <translation>记录文件 %1 已存在。
将新的读数追加到文件末尾，还是覆盖该文件？</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>覆盖</translation>
    </message>
    <message>
        <source>The record file %1 could not be opened: %2</source>
        <translation>无法打开记录文件 %1：%2</translation>
    </message>
    <message>
        <source>The record file %1 could not be saved to disk: %2</source>
        <translation>无法把记录文件 %1 存到磁盘：%2</translation>
    </message>
    <message>
        <source>The record file %1 could not be written: %2
The record stopped.</source>
        <translation>无法写入记录文件 %1：%2
记录已停止。</translation>
    </message>
    <message>
        <source>The connection to the load ended: the record stopped.
The readings so far are in %1.</source>
        <translation>与负载的连接已断开，记录已停止。
已记录的读数保存在 %1 中。</translation>
    </message>
    <message>
        <source>Save Complete</source>
        <translation>保存完成</translation>
    </message>
    <message>
        <source>Failure! The measured value did not meet the set value</source>
        <translation>失败！测量值未达到设定值</translation>
    </message>
    <message>
        <source>Test complete!</source>
        <translation>测试完成！</translation>
    </message>
    <message>
        <source>Below limit, Test fail!</source>
        <translation>低于下限，测试失败！</translation>
    </message>
    <message>
        <source>Over limit, Test fail!</source>
        <translation>超过上限，测试失败！</translation>
    </message>
    <message>
        <source>V_EXT : </source>
        <translation>外部电压 : </translation>
    </message>
    <message>
        <source>I_set : </source>
        <translation>设定电流 : </translation>
    </message>
    <message>
        <source>V_set : </source>
        <translation>设定电压 : </translation>
    </message>
    <message>
        <source>T_Rise : </source>
        <translation>上升时间 : </translation>
    </message>
    <message>
        <source>T_Fall : </source>
        <translation>下降时间 : </translation>
    </message>
    <message>
        <source>Do you want to clean up the accumulated capacity?</source>
        <translation>是否清除累计容量？</translation>
    </message>
    <message>
        <source>SOF set to on
Test failed, stop running</source>
        <translation>失败停止已打开
测试失败，停止运行</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>The load left remote control: the connection ended.</source>
        <translation>负载已退出远程控制，连接已断开。</translation>
    </message>
    <message>
        <source>The connection to the load was lost.</source>
        <translation>与负载的连接已丢失。</translation>
    </message>
    <message>
        <source>Over the protect power !</source>
        <translation>超过保护功率！</translation>
    </message>
    <message>
        <source>Over the protect current !</source>
        <translation>超过保护电流！</translation>
    </message>
    <message>
        <source>Positive and negative pole reversal !</source>
        <translation>正负极反接！</translation>
    </message>
    <message>
        <source>Over voltage !</source>
        <translation>过压！</translation>
    </message>
    <message>
        <source>Over temperature !</source>
        <translation>过温！</translation>
    </message>
    <message>
        <source>Over power !</source>
        <translation>过功率！</translation>
    </message>
    <message>
        <source>Over current !</source>
        <translation>过流！</translation>
    </message>
    <message>
        <source>Short is invalid in present state !</source>
        <translation>当前状态下不能短路！</translation>
    </message>
    <message>
        <source>%1 of %2 commands sent</source>
        <translation>已发送 %1 / %2 条命令</translation>
    </message>
</context>
<context>
    <name>ProgResultWin</name>
    <message>
        <source>Program Result</source>
        <translation>程序结果</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步骤</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>No reading</source>
        <translation>无读数</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>通过</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Below MIN: </source>
        <translation>低于下限：</translation>
    </message>
    <message>
        <source>Over MAX: </source>
        <translation>超过上限：</translation>
    </message>
</context>
<context>
    <name>SwitchControl</name>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
</context>
<context>
    <name>app_paths</name>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>Cannot write the configuration file %1.</source>
        <translation>无法写入配置文件 %1。</translation>
    </message>
</context>
<context>
    <name>connectWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>VXI11</source>
        <translation>VXI11</translation>
    </message>
    <message>
        <source>History:</source>
        <translation>历史记录：</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>number</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>device name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please enter a valid IP address.</source>
        <translation>请输入有效的 IP 地址。</translation>
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
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Entry IP Address</source>
        <translation>输入 IP 地址</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please enter a valid IP address.</source>
        <translation>请输入有效的 IP 地址。</translation>
    </message>
</context>
<context>
    <name>recordSetting</name>
    <message>
        <source>Record Settings</source>
        <translation>记录设置</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Auto Stop</source>
        <translation>自动停止</translation>
    </message>
    <message>
        <source>Elapsed Time</source>
        <translation>经过时间</translation>
    </message>
    <message>
        <source>After N Reading</source>
        <translation>N 次读数后</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>间隔</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>s</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Please select a valid path.</source>
        <translation>请选择有效的路径。</translation>
    </message>
    <message>
        <source>The interval must be at least 1 s.</source>
        <translation>间隔至少为 1 秒。</translation>
    </message>
    <message>
        <source>Recording.Do you want to stop record and apply new settings?</source>
        <translation>正在记录。是否停止记录并应用新的设置？</translation>
    </message>
</context>
<context>
    <name>typed_entry_t</name>
    <message>
        <source>Not a number</source>
        <translation>不是数字</translation>
    </message>
    <message>
        <source>A comma before three digits is read as a thousands separator: type the number without it, or with a point</source>
        <translation>逗号后跟三位数字会被当作千位分隔符：请去掉逗号，或改用小数点</translation>
    </message>
    <message>
        <source>Whole numbers only</source>
        <translation>只能输入整数</translation>
    </message>
    <message>
        <source>At most %1 decimals</source>
        <translation>最多 %1 位小数</translation>
    </message>
    <message>
        <source>At most %1 significant digits</source>
        <translation>最多 %1 位有效数字</translation>
    </message>
    <message>
        <source>Out of range: %1 to %2</source>
        <translation>超出范围：%1 至 %2</translation>
    </message>
</context>
<context>
    <name>uiPara</name>
    <message>
        <source>a current range (5 or 30)</source>
        <translation>电流档位（5 或 30）</translation>
    </message>
    <message>
        <source>a voltage range (36 or 150)</source>
        <translation>电压档位（36 或 150）</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>an integer</source>
        <translation>整数</translation>
    </message>
    <message>
        <source>a switch (0 or 1)</source>
        <translation>开关（0 或 1）</translation>
    </message>
    <message>
        <source>a known mode word</source>
        <translation>已知的模式字</translation>
    </message>
    <message>
        <source>within %1..%2</source>
        <translation>%1..%2 之内的值</translation>
    </message>
    <message>
        <source>The settings text has %1 fields, %2 expected.</source>
        <translation>设置文本有 %1 个字段，应为 %2 个。</translation>
    </message>
    <message>
        <source>Field %1 (%2) is &quot;%3&quot;, not %4.</source>
        <translation>字段 %1（%2）为“%3”，不是%4。</translation>
    </message>
</context>
<context>
    <name>ui_about_info_t</name>
    <message>
        <source>About Wattlex</source>
        <translation>关于 Wattlex</translation>
    </message>
    <message>
        <source>Wattlex</source>
        <translation>Wattlex</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>版权所有。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
</context>
<context>
    <name>ui_prompt_t</name>
    <message>
        <source>Save changes to the file </source>
        <translation>是否保存对文件的更改：</translation>
    </message>
    <message>
        <source>Wattwave Instance already running.</source>
        <translation>Wattwave 实例已在运行。</translation>
    </message>
</context>
<context>
    <name>ui_qsplashscreen_t</name>
    <message>
        <source>Loading files, please wait ...</source>
        <translation>正在加载文件，请稍候 ...</translation>
    </message>
    <message>
        <source>Loading files, please wait </source>
        <translation>正在加载文件，请稍候 </translation>
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
        <translation>1分钟</translation>
    </message>
    <message>
        <source>2.5min</source>
        <translation>2.5分钟</translation>
    </message>
    <message>
        <source>5min</source>
        <translation>5分钟</translation>
    </message>
    <message>
        <source>10min</source>
        <translation>10分钟</translation>
    </message>
    <message>
        <source>20min</source>
        <translation>20分钟</translation>
    </message>
    <message>
        <source>30min</source>
        <translation>30分钟</translation>
    </message>
    <message>
        <source>1hour</source>
        <translation>1小时</translation>
    </message>
    <message>
        <source>2.5hour</source>
        <translation>2.5小时</translation>
    </message>
    <message>
        <source>5hour</source>
        <translation>5小时</translation>
    </message>
    <message>
        <source>10hour</source>
        <translation>10小时</translation>
    </message>
    <message>
        <source>12hour</source>
        <translation>12小时</translation>
    </message>
    <message>
        <source>24hour</source>
        <translation>24小时</translation>
    </message>
</context>
<context>
    <name>utilitySetting</name>
    <message>
        <source>Utility</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>Von锁存</translation>
    </message>
    <message>
        <source>Vrmt</source>
        <translation>远端补偿</translation>
    </message>
    <message>
        <source>SOF</source>
        <translation>失败停止</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Ext</source>
        <translation>外部</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>总线</translation>
    </message>
    <message>
        <source>Trig:</source>
        <translation>触发：</translation>
    </message>
    <message>
        <source>Von:</source>
        <translation>Von：</translation>
    </message>
    <message>
        <source>Average:</source>
        <translation>平均：</translation>
    </message>
    <message>
        <source>V_M_ON</source>
        <translation>电压监测</translation>
    </message>
    <message>
        <source>ExtSwitch</source>
        <translation>外部开关</translation>
    </message>
    <message>
        <source>I_M_ON</source>
        <translation>电流监测</translation>
    </message>
    <message>
        <source>I Protect</source>
        <translation>过流保护</translation>
    </message>
    <message>
        <source>Current:</source>
        <translation>电流：</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>延时：</translation>
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
        <translation>过功率保护</translation>
    </message>
    <message>
        <source>Power:</source>
        <translation>功率：</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>TMon</source>
        <translation>时间测试</translation>
    </message>
    <message>
        <source>V Low:</source>
        <translation>下限：</translation>
    </message>
    <message>
        <source>V High:</source>
        <translation>上限：</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Short_En</source>
        <translation>短路使能</translation>
    </message>
</context>
</TS>
