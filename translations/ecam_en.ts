<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CConnectDialog</name>
    <message>
        <location filename="../app/connect_dialog.cpp" line="+53"/>
        <source>连接驱动器</source>
        <translation>Connect drive</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Modbus RTU (串口)</source>
        <translation>Modbus RTU (serial)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>内置模拟驱动器</source>
        <translation>Built-in simulated drive</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>主机地址:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+42"/>
        <source>站号:</source>
        <translation>Unit ID:</translation>
    </message>
    <message>
        <location line="-28"/>
        <source>例如 /dev/ttyUSB0</source>
        <translation>e.g. /dev/ttyUSB0</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>无 (N)</source>
        <translation>None (N)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>偶 (E)</source>
        <translation>Even (E)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>奇 (O)</source>
        <translation>Odd (O)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>串口:</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校验:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据位:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止位:</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>主机程序内运行的模拟驱动器 (Modbus TCP, 本机回环地址)，无需连接硬件。</source>
        <translation>A simulated drive running inside this program (Modbus TCP on the loopback address); no hardware needed.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>默认 (1000 ms)</source>
        <translation>Default (1000 ms)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>应答超时:</source>
        <translation>Response timeout:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>测试连接</source>
        <translation>Test connection</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>更换驱动器时凸轮编辑面板将重新打开，未保存的凸轮数据会丢失。</source>
        <translation>Changing the drive reopens the cam editor panel; unsaved cam data is lost.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>请选择或输入串口设备。</source>
        <translation>Please choose or enter a serial port.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>串口设备名无效: %1</source>
        <translation>Invalid serial port name: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>波特率无效: %1</source>
        <translation>Invalid baud rate: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>请输入驱动器的主机地址。</source>
        <translation>Please enter the host address of the drive.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>主机地址无效: %1</source>
        <translation>Invalid host address: %1</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>正在测试连接...</source>
        <translation>Testing the connection...</translation>
    </message>
</context>
<context>
    <name>CCurveMenu</name>
    <message>
        <location filename="../ui/panel/curve_menu.cpp" line="+23"/>
        <source>添加凸轮点</source>
        <translation>Add cam point</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>删除凸轮点</source>
        <translation>Delete cam point</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>显示凸轮点</source>
        <translation>Show cam points</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导出曲线图...</source>
        <translation>Export curves...</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>此处已有凸轮点或超出主轴范围，不能添加凸轮点</source>
        <translation>No cam point can be added here: there is one already, or it lies outside the master range</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>导出曲线图</source>
        <translation>Export curves</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PNG 图片 (*.png);;SVG 矢量图 (*.svg);;PDF 文档 (*.pdf)</source>
        <translation>PNG image (*.png);;SVG vector image (*.svg);;PDF document (*.pdf)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮曲线.png</source>
        <translation>cam-curves.png</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>曲线图导出失败: %1
%2</source>
        <translation>Exporting the curves failed: %1
%2</translation>
    </message>
</context>
<context>
    <name>CECamCurveWnd</name>
    <message>
        <location filename="../ui/plot/plot_painter.cpp" line="+132"/>
        <source>最大 %g @ %g  最小 %g @ %g</source>
        <translation>max %g @ %g  min %g @ %g</translation>
    </message>
</context>
<context>
    <name>CECamFuncSetDlg</name>
    <message>
        <location filename="../ui/funcode/ecam_func_set_dlg.cpp" line="+30"/>
        <source>参数编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>参数名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>参数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>出厂值</source>
        <translation>Default</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>最小值</source>
        <translation>Min</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>最大值</source>
        <translation>Max</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>功能码设置</source>
        <translation>Cam parameters</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>全选</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>读取参数</source>
        <translation>Read</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入参数</source>
        <translation>Write</translation>
    </message>
    <message>
        <location line="+106"/>
        <source>串口未连接!</source>
        <translation>No connection to the drive!</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>读取数据失败!</source>
        <translation>Reading from the drive failed!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>请选择要读取的参数!</source>
        <translation>Please tick the parameters to read!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>读取成功!</source>
        <translation>Parameters read.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>写入数据失败!</source>
        <translation>Writing to the drive failed!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>请选择要写入的参数!</source>
        <translation>Please tick the parameters to write!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>写入成功!</source>
        <translation>Parameters written.</translation>
    </message>
</context>
<context>
    <name>CHostDrive</name>
    <message>
        <location filename="../app/host_drive.cpp" line="+43"/>
        <source>内置模拟驱动器未能启动: </source>
        <translation>The built-in simulated drive did not start: </translation>
    </message>
    <message>
        <location line="+62"/>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>内置模拟驱动器 (%1)</source>
        <translation>Built-in simulated drive (%1)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>上次的驱动器 %1 不可用: %2</source>
        <translation>The drive used last time, %1, is not available: %2</translation>
    </message>
</context>
<context>
    <name>CHostWindow</name>
    <message>
        <location filename="../app/host_window.cpp" line="+125"/>
        <source>电子凸轮编辑器</source>
        <translation>ECam Editor</translation>
    </message>
    <message>
        <location line="-96"/>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>驱动器(&amp;D)</source>
        <translation>&amp;Drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接驱动器(&amp;C)...</source>
        <translation>&amp;Connect drive...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>凸轮(&amp;M)</source>
        <translation>Ca&amp;m</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>运动规律...</source>
        <translation>Motion laws...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入后校验(&amp;V)</source>
        <translation>&amp;Verify after writing</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关于(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <location line="+109"/>
        <source>凸轮数据正在传输, 不能更换驱动器。
请等传输结束后再连接。</source>
        <translation>Cam data is being transferred; the drive cannot be changed now.
Please connect when the transfer has ended.</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+6"/>
        <source>连接驱动器</source>
        <translation>Connect drive</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>无法连接该驱动器:
</source>
        <translation>Cannot connect to this drive:
</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>驱动器: </source>
        <translation>Drive: </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>未通信</source>
        <translation>No exchange yet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通信正常</source>
        <translation>Link OK</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通信失败: </source>
        <translation>Link failed: </translation>
    </message>
    <message>
        <location line="-71"/>
        <source>电子凸轮编辑器
版本 </source>
        <translation>ECam Editor
Version </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <location line="-103"/>
        <source>从驱动器读取凸轮表...</source>
        <translation>Read cam table from drive...</translation>
    </message>
</context>
<context>
    <name>CListOperDlg</name>
    <message>
        <location filename="../ui/panel/list_oper_dlg.cpp" line="+25"/>
        <source>起始行号：</source>
        <translation>First row:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>行数：</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CMotionLawDlg</name>
    <message>
        <location filename="../ui/panel/motion_law_dlg.cpp" line="+30"/>
        <source>停歇</source>
        <translation>Dwell</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>简谐</source>
        <translation>Simple harmonic</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>摆线</source>
        <translation>Cycloidal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>修正正弦</source>
        <translation>Modified sine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>修正梯形</source>
        <translation>Modified trapezoid</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3-4-5 多项式</source>
        <translation>3-4-5 polynomial</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4-5-6-7 多项式</source>
        <translation>4-5-6-7 polynomial</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>匀速</source>
        <translation>Constant speed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>五次过渡</source>
        <translation>Fifth-order blend</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>运动规律</source>
        <translation>Motion laws</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+31"/>
        <source>规律</source>
        <translation>Law</translation>
    </message>
    <message>
        <location line="-31"/>
        <source>终点主轴位置</source>
        <translation>End master</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>终点从轴位置</source>
        <translation>End slave</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>运动段(&amp;S):</source>
        <translation>&amp;Segments:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>添加段(&amp;A)</source>
        <translation>&amp;Add segment</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>删除段(&amp;D)</source>
        <translation>&amp;Delete segment</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>位置容差(&amp;T):</source>
        <translation>Position &amp;tolerance:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>关键点上限(&amp;N):</source>
        <translation>Key point limit (&amp;N):</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>段</source>
        <translation>Segment</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>关键点</source>
        <translation>Key points</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>最大位置偏差</source>
        <translation>Max position deviation</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>最大速度偏差</source>
        <translation>Max speed deviation</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>峰值速度</source>
        <translation>Peak speed</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+112"/>
        <source>第%1段的终点从轴位置不是数字。</source>
        <translation>The end slave of segment %1 is not a number.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>第%1段的终点主轴位置不是数字。</source>
        <translation>The end master of segment %1 is not a number.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>没有运动段。</source>
        <translation>There are no segments.</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+47"/>
        <source>位置容差须为正数。</source>
        <translation>The position tolerance must be a positive number.</translation>
    </message>
    <message>
        <location line="-45"/>
        <source>位置容差 %1 比凸轮文件保存的精度 0.000001 还细。</source>
        <translation>Tolerance %1 is finer than the 0.000001 a profile file keeps.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>第%1段的终点主轴位置 %2 不大于其起点 %3。</source>
        <translation>Segment %1 ends at master %2, which is not after its start %3.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>第%1段为停歇, 从轴却从 %2 移到 %3。</source>
        <translation>Segment %1 is a dwell but moves the slave from %2 to %3.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>主轴位置 %1 处 (第%2段与第%3段之间) 速度从 %4 跳变为 %5。</source>
        <translation>At master %1 (between segments %2 and %3) the speed jumps from %4 to %5.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>最后一段的终点主轴位置 %1 即主轴长度, 须为 10 到 1000000 之间的整数。</source>
        <translation>The last end master %1 is the master length: a whole number from 10 to 1000000.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>位置容差 %1 需要超过 %2 个关键点; %2 个关键点能达到的最小容差为 %3。</source>
        <translation>Tolerance %1 needs more than %2 key points; the best reachable with %2 is %3.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 个运动段至少需要 %2 个关键点, 超过上限 %3。</source>
        <translation>%1 segments need at least %2 key points, more than the limit %3.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>位置容差 %1 在 %2 个关键点内无法达到。</source>
        <translation>Tolerance %1 cannot be met within %2 key points.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>共 %1 个关键点, 位置偏差最大 %2。</source>
        <translation>%1 key points, largest position deviation %2.</translation>
    </message>
</context>
<context>
    <name>CMotionLawPreview</name>
    <message>
        <location filename="../ui/panel/motion_law_preview.cpp" line="+39"/>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
</context>
<context>
    <name>CMyListCtrl</name>
    <message>
        <location filename="../ui/funcode/my_list_ctrl.cpp" line="+166"/>
        <source>输入错误</source>
        <translation>Invalid input</translation>
    </message>
</context>
<context>
    <name>CPanelTransfers</name>
    <message>
        <location filename="../ui/panel/panel_transfers.cpp" line="+130"/>
        <source>写入数据失败!</source>
        <translation>Writing to the drive failed!</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../tools/ecamctl/cmd_params.cpp" line="+72"/>
        <location filename="../tools/ecamctl/drive_session.cpp" line="+55"/>
        <source>串口未连接!</source>
        <translation>No connection to the drive!</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+17"/>
        <source>读取数据失败!</source>
        <translation>Reading from the drive failed!</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>写入凸轮点数失败!是否继续烧录?</source>
        <translation>Writing the cam point count failed! Write the cam anyway?</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>启动线程失败
!</source>
        <translation>Could not start the transfer!</translation>
    </message>
    <message>
        <location line="+131"/>
        <location filename="../tools/ecamctl/cam_job.cpp" line="+51"/>
        <source>输入有效点数有误!请输入3~%1内的整数!</source>
        <translation>Invalid number of points! Please enter a whole number from 3 to %1!</translation>
    </message>
    <message>
        <location line="+128"/>
        <source>烧写凸轮点成功!</source>
        <translation>Cam written to the drive!</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <location line="+2"/>
        <source>烧写凸轮点后校验失败!</source>
        <translation>The cam read back from the drive differs from what was written!</translation>
    </message>
    <message>
        <location line="-2"/>
        <location line="+36"/>
        <source>驱动器无响应</source>
        <translation>The drive does not answer</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>读回数据有误, 无法确认驱动器中的值</source>
        <translation>The answers read back were garbled; the drive&apos;s values could not be confirmed</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>烧写凸轮点失败!</source>
        <translation>Writing the cam failed!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>驱动器中的凸轮表不完整, 凸轮点数为0</source>
        <translation>The cam table in the drive is incomplete; its point count is 0</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>凸轮点数量不能超过272</source>
        <translation>A cam can have at most 272 points</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>凸轮点数量不能超过%1</source>
        <translation>A cam can have at most %1 points</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>凸轮点读取成功!</source>
        <translation>Cam points read from the drive!</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+2"/>
        <source>凸轮点读取失败!</source>
        <translation>Reading the cam points failed!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>保存凸轮数据文件</source>
        <translation>Save cam data file</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>保存文件失败!</source>
        <translation>Saving the file failed!</translation>
    </message>
    <message>
        <location line="-106"/>
        <source>从驱动器读取凸轮表成功! 共%1点。
速度按驱动器保存的精度读回, 保留两位小数。</source>
        <translation>Cam table read from the drive: %1 points.
Speeds come back as the drive holds them, with two decimals.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>从驱动器读取凸轮表失败!</source>
        <translation>Reading the cam table from the drive failed!</translation>
    </message>
</context>
<context>
    <name>CPointTableEditor</name>
    <message>
        <location filename="../ui/panel/point_table_editor.cpp" line="+42"/>
        <source>主轴位置必须在前后两点之间，且与相邻点的间距不小于0.002!</source>
        <translation>The master position must lie between its neighbours, at least 0.002 from each!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>相邻两点间距太小，无法在其间增加点!</source>
        <translation>The neighbouring points are too close to add points between them!</translation>
    </message>
    <message>
        <location line="+177"/>
        <source>第一行不能删除!</source>
        <translation>The first row cannot be deleted!</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>起始行请规范到%1 - %2</source>
        <translation>The first row must be from %1 to %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>操作行数必须大于零!</source>
        <translation>The number of rows must be greater than zero!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>删除指定行</source>
        <translation>Delete rows</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>增加指定行</source>
        <translation>Insert rows</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>操作行数不能大于%1!</source>
        <translation>The number of rows must not exceed %1!</translation>
    </message>
</context>
<context>
    <name>CProfileCommands</name>
    <message>
        <location filename="../ui/panel/profile_commands.cpp" line="+25"/>
        <source>打开凸轮数据文件</source>
        <translation>Open cam data file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存凸轮数据文件</source>
        <translation>Save cam data file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开数据文件失败!</source>
        <translation>Opening the data file failed!</translation>
    </message>
    <message>
        <location filename="../ui/lang/file_messages.cpp" line="+66"/>
        <source>所选路径不是普通文件,无法打开!</source>
        <translation>The chosen path is not a regular file and cannot be opened!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件过大或内容过多,无法打开!</source>
        <translation>The file is too large or holds too much and cannot be opened!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件中的凸轮点超过%1个,无法导入!</source>
        <translation>The file holds more than %1 cam points and cannot be imported!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>读取文件超时,文件可能已损坏!</source>
        <translation>Reading the file took too long; the file may be damaged!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件是网页(HTML),不是表格文件,无法打开!</source>
        <translation>The file is a web page (HTML), not a workbook, and cannot be opened!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件是XML文档,不是表格文件,无法打开!</source>
        <translation>The file is an XML document, not a workbook, and cannot be opened!</translation>
    </message>
    <message>
        <location filename="../ui/panel/profile_commands.cpp" line="+121"/>
        <source>文件中只有%1个凸轮点,少于文件所写的%2个!</source>
        <translation>The file holds only %1 cam points, fewer than the %2 it announces!</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>特殊点表格只保存主轴和从轴位置,标幺速度和曲线类型未保存!</source>
        <translation>A special-point workbook keeps only the master and slave positions; the normalised speeds and segment types were not saved!</translation>
    </message>
    <message>
        <location line="-119"/>
        <source>文件已经存在，是否覆盖?</source>
        <translation>The file exists already. Replace it?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>保存数据文件失败!</source>
        <translation>Saving the data file failed!</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>本地未安装Excel,请先安装再使用本功能!</source>
        <translation>No spreadsheet support is installed; install it to use this function!</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>保存文件失败!</source>
        <translation>Saving the file failed!</translation>
    </message>
</context>
<context>
    <name>CRAZuvavivezUzoDlg</name>
    <message>
        <location filename="../ui/panel/panel_template.cpp" line="+64"/>
        <source>PUU设定</source>
        <translation>PUU settings</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>主轴长度</source>
        <translation>Master length</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴脉冲数</source>
        <translation>Slave pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数</source>
        <translation>Master pulses</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>功能码设置</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>标准写入</source>
        <translation>Write cam</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>特殊点写入</source>
        <translation>Write special</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读  取</source>
        <translation>Read</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导入</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>特殊点导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>特殊点保存</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>特殊点导出</source>
        <translation>Upload</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>增加</source>
        <translation>Insert</translation>
    </message>
    <message>
        <location filename="../ui/panel/razuvavivezuzo_dlg.cpp" line="+45"/>
        <source>请输入一个正整数。</source>
        <translation>Please enter a positive integer.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>当前凸轮数据已修改，尚未保存。
是否先保存到文件?</source>
        <translation>The cam has changed and is not saved yet.
Save it to a file first?</translation>
    </message>
    <message>
        <location line="+120"/>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>主轴位置</source>
        <translation>Master</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴位置</source>
        <translation>Slave</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>标幺速度</source>
        <translation>Speed (pu)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <location line="+112"/>
        <source>主轴长度不能小于10</source>
        <translation>The master length must be at least 10</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>主轴长度不能大于1000000</source>
        <translation>The master length must not exceed 1000000</translation>
    </message>
</context>
<context>
    <name>CSpecListCtrl</name>
    <message>
        <location filename="../ui/panel/spec_list_ctrl.cpp" line="+20"/>
        <source>添加点</source>
        <translation>Add point</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>删除点</source>
        <translation>Delete point</translation>
    </message>
</context>
<context>
    <name>CamReadBack</name>
    <message>
        <location filename="../ui/lang/drive_messages.cpp" line="+90"/>
        <source>驱动器无响应</source>
        <translation>The drive does not answer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读回数据有误, 无法确认驱动器中的值</source>
        <translation>The answers could not be read cleanly; the values in the drive cannot be confirmed</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>驱动器中的凸轮点数为%1, 不是2~272内的完整凸轮表</source>
        <translation>The drive holds %1 cam points: not a complete table of 2 to 272 points</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>第%1点的类型码 %2 不是 0 (Poly) 或 1 (Linear)</source>
        <translation>Point %1 has segment code %2, not 0 (Poly) or 1 (Linear)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../host/command_line.cpp" line="+74"/>
        <source>%1 需要一个值</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>未知选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
</context>
<context>
    <name>CurveExport</name>
    <message>
        <location filename="../ui/plot/curve_export.cpp" line="+62"/>
        <source>不支持的文件类型，请使用 .png、.svg 或 .pdf</source>
        <translation>Unsupported file type; please use .png, .svg or .pdf</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>没有可导出的曲线</source>
        <translation>There are no curves to export</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>无法创建文件: </source>
        <translation>Cannot create the file: </translation>
    </message>
    <message>
        <location line="-28"/>
        <location line="+13"/>
        <source>凸轮曲线</source>
        <translation>Cam curves</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>写入失败</source>
        <translation>Writing failed</translation>
    </message>
</context>
<context>
    <name>DeviceUrl</name>
    <message>
        <location filename="../host/device_url.cpp" line="+50"/>
        <source>设备地址必须以 tcp:// 或 rtu: 开头 (%1)</source>
        <translation>device URL must start with tcp:// or rtu: (%1)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>rtu 地址缺少设备路径 (%1)</source>
        <translation>rtu URL without a device path (%1)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 中的 TCP 端口无效</source>
        <translation>bad TCP port in %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>tcp 地址缺少主机 (%1)</source>
        <translation>tcp URL without a host (%1)</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%2 中有未知设置 &apos;%1&apos;</source>
        <translation>unknown setting &apos;%1&apos; in %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%2 中 &apos;%1&apos; 的值无效</source>
        <translation>bad value for &apos;%1&apos; in %2</translation>
    </message>
</context>
<context>
    <name>DriveSim</name>
    <message>
        <location filename="../sim/drive_simulator.cpp" line="+111"/>
        <source>无法创建套接字: %1</source>
        <translation>socket: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>监听地址 %1 有误</source>
        <translation>bad bind address %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>无法在 %1:%2 上监听: %3</source>
        <translation>cannot listen on %1:%2: %3</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+28"/>
        <source>无法创建 Modbus 上下文</source>
        <translation>cannot create the Modbus context</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>无法创建伪终端: %1</source>
        <translation>pseudo-terminal: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>无法取得伪终端的路径: %1</source>
        <translation>ptsname: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>无法打开 %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <location filename="../sim/sim_options.cpp" line="+25"/>
        <source>KIND: late[=MS] duplicate[=MS] exception=CODE close bad-frame truncated other-unit silent ack-no-store (第 N 个请求的故障)</source>
        <translation>KIND: late[=MS] duplicate[=MS] exception=CODE close bad-frame truncated other-unit silent ack-no-store (the fault of request number N)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--fault %1 有误 (应为 N:KIND, N &gt;= 1, KIND 为 late[=MS] duplicate[=MS] exception=CODE close bad-frame truncated other-unit silent ack-no-store 之一)</source>
        <translation>bad --fault %1 (expected N:KIND, N &gt;= 1, KIND one of late[=MS] duplicate[=MS] exception=CODE close bad-frame truncated other-unit silent ack-no-store)</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>多余的参数 %1</source>
        <translation>unexpected argument %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--tcp %1 中的端口有误</source>
        <translation>bad port in --tcp %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--baud 需要一个正数</source>
        <translation>--baud needs a positive number</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>--unit 需要 1..247 内的数</source>
        <translation>--unit needs a number 1..247</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--delay 需要不小于 0 的毫秒数</source>
        <translation>--delay needs milliseconds &gt;= 0</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--drop 需要 0..1 内的比率</source>
        <translation>--drop needs a rate 0..1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>--close-after 需要不小于 0 的次数</source>
        <translation>--close-after needs a count &gt;= 0</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--seed 需要一个数</source>
        <translation>--seed needs a number</translation>
    </message>
    <message>
        <location filename="../tools/ecam-drive-sim/main.cpp" line="+33"/>
        <source>--lang 取 en 或 zh_CN, 不是 %1</source>
        <translation>--lang wants en or zh_CN, not %1</translation>
    </message>
</context>
<context>
    <name>DriveText</name>
    <message>
        <location filename="../app/drive_probe.cpp" line="+24"/>
        <source>连接成功: H1B-08 (凸轮点数) = %1</source>
        <translation>Connected: H1B-08 (cam points) = %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接失败: %1</source>
        <translation>Connection failed: %1</translation>
    </message>
    <message>
        <location filename="../host/drive_error.cpp" line="+17"/>
        <source>非法功能码</source>
        <translation>illegal function</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法数据地址</source>
        <translation>illegal data address</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法数据值</source>
        <translation>illegal data value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从站设备故障</source>
        <translation>server device failure</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已确认, 处理中</source>
        <translation>acknowledged, processing</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从站设备忙</source>
        <translation>server device busy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>存储奇偶校验错误</source>
        <translation>memory parity error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>网关路径不可用</source>
        <translation>gateway path unavailable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>网关目标无响应</source>
        <translation>gateway target failed to respond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未知异常</source>
        <translation>unknown exception</translation>
    </message>
    <message>
        <location filename="../app/drive_text.cpp" line="+29"/>
        <source> 站号 %1</source>
        <translation> unit %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> 超时 %1 ms</source>
        <translation> timeout %1 ms</translation>
    </message>
    <message>
        <location filename="../host/drive_error.cpp" line="+7"/>
        <source>正常</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未选择驱动器</source>
        <translation>No drive selected</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法连接驱动器</source>
        <translation>Cannot connect to the drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>驱动器在超时时间内无应答</source>
        <translation>The drive did not answer in time</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>与驱动器的连接已断开</source>
        <translation>The connection to the drive was lost</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>地址、宽度或数值无效</source>
        <translation>Invalid address, width or value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>驱动器的应答不完整或与请求不符</source>
        <translation>The drive&apos;s answer was incomplete or did not match the request</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请求已取消</source>
        <translation>Request cancelled</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>驱动器拒绝请求 (异常码 %1: %2)</source>
        <translation>The drive refused the request (exception %1: %2)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>未知错误 %1</source>
        <translation>Unknown error %1</translation>
    </message>
</context>
<context>
    <name>Ecamctl</name>
    <message>
        <location filename="../tools/ecamctl/cam_job.cpp" line="-27"/>
        <source>从轴脉冲数: 从轴单位转换率一行 &quot;/&quot; 前的数</source>
        <translation>slave pulses: the number before &quot;/&quot; on the slave unit ratio line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴单位量: 从轴单位转换率一行 &quot;/&quot; 后的数</source>
        <translation>slave units: the number after &quot;/&quot; on the slave unit ratio line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数: 主轴单位转换率一行 &quot;/&quot; 前的数</source>
        <translation>master pulses: the number before &quot;/&quot; on the master unit ratio line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴单位量: 主轴单位转换率一行 &quot;/&quot; 后的数</source>
        <translation>master units: the number after &quot;/&quot; on the master unit ratio line</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>文件中没有关键点</source>
        <translation>the profile holds no key points</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>已中断; 校验未完成</source>
        <translation>interrupted; the check is incomplete</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>凸轮点校验失败! 驱动器无响应</source>
        <translation>Cam check failed! the drive does not answer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>凸轮点校验失败! 读回数据有误</source>
        <translation>Cam check failed! the drive&apos;s answers could not be read cleanly</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>凸轮点校验失败! 共%1处不一致</source>
        <translation>Cam check failed! %1 differences</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>凸轮点校验成功! %1 点</source>
        <translation>Cam check passed! %1 points</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cam_source.cpp" line="+63"/>
        <source>%1: 无法读取</source>
        <translation>%1: cannot be read</translation>
    </message>
    <message>
        <location line="+18"/>
        <location filename="../tools/ecamctl/cmd_convert.cpp" line="+43"/>
        <location line="+13"/>
        <source>警告: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>无法打开 &apos;%1&apos;</source>
        <translation>cannot open &apos;%1&apos;</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_convert.cpp" line="-35"/>
        <source>convert IN OUT   (.ecam, .csv, .xls, .xlsx; .ods 只读)</source>
        <translation>convert IN OUT   (.ecam, .csv, .xls, .xlsx; .ods read only)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>需要 IN 和 OUT</source>
        <translation>expected IN and OUT</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1: 未知的文件类型</source>
        <translation>%1: unknown file type</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: .ods 只能读取</source>
        <translation>%1: .ods is read only</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+16"/>
        <source>%1 个点</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>警告: %1: 特殊点表格不保存%2</source>
        <translation>warning: %1: a special-point workbook does not keep %2</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_curve.cpp" line="+49"/>
        <source>主轴长度须为10~1000000内的整数, 而不是 &apos;%1&apos;</source>
        <translation>master length must be an integer from 10 to 1000000, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../tools/ecamctl/cmd_peaks.cpp" line="+26"/>
        <source>参数过多</source>
        <translation>too many arguments</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_design.cpp" line="+23"/>
        <source>design OUT.ecam [--tolerance T] [--max-points N] LAW:END_MASTER:END_SLAVE...   (运动规律: dwell, harmonic, cycloidal, modified-sine, modified-trapezoid, poly345, poly4567, linear, poly5)</source>
        <translation>design OUT.ecam [--tolerance T] [--max-points N] LAW:END_MASTER:END_SLAVE...   (laws: dwell, harmonic, cycloidal, modified-sine, modified-trapezoid, poly345, poly4567, linear, poly5)</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>段</source>
        <translation>segment</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>运动规律</source>
        <translation>law</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>终点主轴</source>
        <translation>end master</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>终点从轴</source>
        <translation>end slave</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>关键点数</source>
        <translation>key points</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>最大位置偏差</source>
        <translation>max pos dev</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>最大速度偏差</source>
        <translation>max speed dev</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>峰值速度</source>
        <translation>peak speed</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 个关键点, 容差 %2</source>
        <translation>%1 key points, tolerance %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--tolerance &apos;%1&apos; 不是数字</source>
        <translation>--tolerance &apos;%1&apos; is not a number</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--max-points &apos;%1&apos; 不是2~%2内的整数</source>
        <translation>--max-points &apos;%1&apos; is not a whole number from 2 to %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;%1&apos; 不是 .ecam 文件名</source>
        <translation>&apos;%1&apos; is not a .ecam file name</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>需要输出文件 OUT.ecam</source>
        <translation>an output file OUT.ecam is needed</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_param.cpp" line="+80"/>
        <source>需要 get 或 set</source>
        <translation>expected get or set</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>set 需要一个参数和一个值</source>
        <translation>set needs a parameter and a value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>get 需要一个参数</source>
        <translation>get needs a parameter</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../tools/ecamctl/cmd_params.cpp" line="-17"/>
        <source>需要 --device URL</source>
        <translation>--device URL is required</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>参数须为功能码编号 (如 H1B-06) 或 ADDR:WIDTH (如 0x1B00:16)</source>
        <translation>parameter must be a number text such as H1B-06 or ADDR:WIDTH such as 0x1B00:16</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>值须为参数宽度能容纳的整数</source>
        <translation>value must be an integer that fits the parameter&apos;s width</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>无法载入参数目录</source>
        <translation>the parameter catalogue could not be loaded</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>参数目录中没有参数 %1</source>
        <translation>no parameter %1 in the catalogue</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>无法写入 %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>无法读取 %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_params.cpp" line="-13"/>
        <source>默认 %1 单位 %2 范围 %3..%4</source>
        <translation>default %1 unit %2 range %3..%4</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>需要 list、read 或 write NUMBER=VALUE...</source>
        <translation>expected list, read or write NUMBER=VALUE...</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>读取数据失败! %1: %2</source>
        <translation>Reading from the drive failed! %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>读取成功!</source>
        <translation>Parameters read.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>需要 NUMBER=VALUE, 而不是 &apos;%1&apos;</source>
        <translation>expected NUMBER=VALUE, got &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&apos;%1&apos; 不是凸轮参数之一</source>
        <translation>&apos;%1&apos; is not one of the cam parameters</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;%1&apos; 给出了不止一次</source>
        <translation>&apos;%1&apos; is given more than once</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>写入数据失败! %1: %2</source>
        <translation>Writing to the drive failed! %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>写入成功!</source>
        <translation>Parameters written.</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_peaks.cpp" line="+0"/>
        <source>需要一个凸轮文件</source>
        <translation>a cam file is needed</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../tools/ecamctl/cmd_render.cpp" line="+83"/>
        <source>凸轮至少需要两个关键点</source>
        <translation>a cam needs at least two key points</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_read_cam.cpp" line="+47"/>
        <location filename="../tools/ecamctl/cmd_read_special.cpp" line="+32"/>
        <source>需要 --device URL 和一个输出文件</source>
        <translation>--device URL and an output file are needed</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>读取数据失败! %1; 未保存任何内容</source>
        <translation>Reading from the drive failed! %1; nothing saved</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../tools/ecamctl/cmd_read_special.cpp" line="+22"/>
        <source>已中断; 未保存任何内容</source>
        <translation>interrupted; nothing saved</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>从驱动器读取凸轮表失败! %1; 未保存任何内容</source>
        <translation>Reading the cam table from the drive failed! %1; nothing saved</translation>
    </message>
    <message>
        <location line="+12"/>
        <location filename="../tools/ecamctl/cmd_read_special.cpp" line="+7"/>
        <source>保存文件失败! %1: %2</source>
        <translation>Saving the file failed! %1: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从驱动器读取凸轮表成功! %1 点 -&gt; %2 (速度按驱动器保存的精度, 保留两位小数)</source>
        <translation>Cam table read from the drive! %1 points -&gt; %2 (speeds with two decimals, as the drive holds them)</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_read_special.cpp" line="-22"/>
        <source>读取数据失败! %1</source>
        <translation>Reading from the drive failed! %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>读取数据失败! 凸轮点数 %1 超过 1500</source>
        <translation>Reading from the drive failed! point count %1 exceeds 1500</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>凸轮点读取失败! 驱动器无响应; 未保存任何内容</source>
        <translation>Reading the cam points failed! the drive does not answer; nothing saved</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>凸轮点读取失败! %1; 未保存任何内容</source>
        <translation>Reading the cam points failed! %1; nothing saved</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>凸轮点读取成功! %1 点 -&gt; %2</source>
        <translation>Cam points read from the drive! %1 points -&gt; %2</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_render.cpp" line="-18"/>
        <source>--size 取 WxH, 从 200x300 到 10000x10000</source>
        <translation>--size takes WxH, from 200x300 to 10000x10000</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>主轴长度须为10~1000000内的整数</source>
        <translation>master length must be an integer from 10 to 1000000</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_curve.cpp" line="-8"/>
        <location filename="../tools/ecamctl/cmd_render.cpp" line="+2"/>
        <source>--length 取代 FILE</source>
        <translation>--length takes the place of FILE</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_render.cpp" line="+0"/>
        <source>需要 FILE 和 OUT</source>
        <translation>FILE and OUT are needed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>OUT 须以 .png, .svg 或 .pdf 结尾: &apos;%1&apos;</source>
        <translation>OUT must end in .png, .svg or .pdf: &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>无法写入 &apos;%1&apos;: %2</source>
        <translation>cannot write &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_verify.cpp" line="+31"/>
        <location filename="../tools/ecamctl/cmd_write.cpp" line="+39"/>
        <source>需要 --device URL 和一个 .ecam 文件</source>
        <translation>--device URL and a .ecam file are needed</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/cmd_write.cpp" line="+15"/>
        <source>写入数据失败! %1</source>
        <translation>Writing to the drive failed! %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入凸轮点数失败! %1</source>
        <translation>Writing the cam point count failed! %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>在凸轮表之前已中断; 驱动器的凸轮点数为 0 (无凸轮)</source>
        <translation>interrupted before the table; the drive&apos;s point count is 0 (no cam)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>驱动器中有 %1 / %2 个点, 凸轮点数为 0 (凸轮表不完整)</source>
        <translation>the drive holds %1 of %2 points and its point count is 0 (its cam table is incomplete)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>已中断; %1</source>
        <translation>interrupted; %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>凸轮点数量不能超过%1</source>
        <translation>A cam can have at most %1 points</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>烧写凸轮点失败! %1; %2</source>
        <translation>Writing the cam failed! %1; %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>烧写凸轮点成功! %1 点, 重试 %2 次</source>
        <translation>Cam written to the drive! %1 points, %2 retries</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/drive_session.cpp" line="-16"/>
        <source>设备 URL &apos;%1&apos; 有误: %2</source>
        <translation>bad device URL &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 没有参数目录</source>
        <translation>no parameter catalogue for %1</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>不是可选值之一:</source>
        <translation>not one of the options:</translation>
    </message>
    <message>
        <location filename="../tools/ecamctl/main.cpp" line="+32"/>
        <source>命令:</source>
        <translation>commands:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>COMMAND --help 显示该命令的用法。</source>
        <translation>COMMAND --help prints the usage of that command.</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>--lang 取 en 或 zh_CN, 不是 &apos;%1&apos;</source>
        <translation>--lang wants en or zh_CN, not &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>需要一个命令</source>
        <translation>a command is needed</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>未知命令 &apos;%1&apos;</source>
        <translation>unknown command &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
    <message>
        <location filename="../ui/lang/file_messages.cpp" line="-54"/>
        <source>应有4个字段 (主轴,从轴,速度,类型), 实有%1个</source>
        <translation>expected 4 fields master,slave,speed,type, found %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴、从轴和速度须为有限数</source>
        <translation>master, slave and speed must be finite numbers</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>类型须为 0 (Linear) 或 1 (Poly)</source>
        <translation>type must be 0 (Linear) or 1 (Poly)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴位置须严格递增</source>
        <translation>master positions must strictly increase</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法读取表格文件</source>
        <translation>cannot read the workbook</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法写入表格文件</source>
        <translation>cannot write the workbook</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法创建表格文件 (.xls 或 .xlsx)</source>
        <translation>cannot create the workbook (.xls or .xlsx)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未知的文件类型 (可用 .ecam, .csv, .xls, .xlsx 或 .ods)</source>
        <translation>unknown file type (use .ecam, .csv, .xls, .xlsx or .ods)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未知的文件类型 (可用 .ecam, .csv, .xls 或 .xlsx)</source>
        <translation>unknown file type (use .ecam, .csv, .xls or .xlsx)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>没有一行有完整的两个单元格</source>
        <translation>no complete row of two cells</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>点列表 (导入时会加入原点 0, 0)</source>
        <translation>the point list (the import adds an origin point at 0, 0)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>速度、段类型和两位小数以外的位置</source>
        <translation>speeds and segment types and positions beyond two decimals</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>速度和段类型</source>
        <translation>speeds and segment types</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>两位小数以外的位置</source>
        <translation>positions beyond two decimals</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>只有%1行点数据, 少于点数行所写的%2个 (文件被截断?)</source>
        <translation>holds %1 point rows, fewer than the %2 its count line announces (file cut short?)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不是凸轮文件 (第7行不是点数行)</source>
        <translation>not a cam profile (line 7 is not the point count line)</translation>
    </message>
</context>
<context>
    <name>FunCodeCatalogue</name>
    <message>
        <location filename="../ui/lang/fun_code_texts.cpp" line="+14"/>
        <source>位置指令来源</source>
        <translation>Position command source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>脉冲指令</source>
        <translation>Pulse command</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>步进量</source>
        <translation>Step amount</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>多段位置指令</source>
        <translation>Multi-segment position</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电子凸轮</source>
        <translation>Electronic cam</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲对应单位量</source>
        <translation>Master units per pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数</source>
        <translation>Master pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴脉冲对应单位量</source>
        <translation>Slave units per pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴脉冲数</source>
        <translation>Slave pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮启动方式</source>
        <translation>Cam start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>上电立即启动</source>
        <translation>At power-on</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DI信号启动</source>
        <translation>By DI signal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯启动</source>
        <translation>By communication</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮运行模式</source>
        <translation>Cam run mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>单次运行</source>
        <translation>Single cycle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>循环运行</source>
        <translation>Cyclic</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮点数</source>
        <translation>Cam point count</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴来源选择</source>
        <translation>Master source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>外部编码器</source>
        <translation>External encoder</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>脉冲指令输入</source>
        <translation>Pulse command input</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>虚拟主轴</source>
        <translation>Virtual master</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮相位偏移</source>
        <translation>Cam phase offset</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮切入加速时间</source>
        <translation>Cam engage accel. time</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴起始偏移</source>
        <translation>Master start offset</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>用户单位</source>
        <translation>user units</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴跟随误差阈值</source>
        <translation>Slave following error limit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮停止方式</source>
        <translation>Cam stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>立即停止</source>
        <translation>Immediately</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>周期结束后停止</source>
        <translation>At end of cycle</translation>
    </message>
    <message>
        <location filename="../host/fun_code_interface.cpp" line="+159"/>
        <source>%1: 无法打开参数目录</source>
        <translation>%1: cannot open the parameter catalogue</translation>
    </message>
</context>
<context>
    <name>FunCodeInput</name>
    <message>
        <location filename="../ui/lang/fun_code_texts.cpp" line="+4"/>
        <source>数据不能为空!</source>
        <translation>The value must not be empty!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请输入整形数据!</source>
        <translation>Please enter a whole number!</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1 (不在选项中)</source>
        <translation>%1 (not an option)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>数据有效范围:【%1-%2】</source>
        <translation>Valid range: [%1, %2]</translation>
    </message>
</context>
<context>
    <name>HostOptions</name>
    <message>
        <location filename="../app/host_options.cpp" line="+31"/>
        <source>--lang 取 en 或 zh_CN, 不是 %1</source>
        <translation>--lang wants en or zh_CN, not %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>多余的参数 %1</source>
        <translation>unexpected argument %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>--size 取 WxH, 如 1280x800, 不是 %1</source>
        <translation>--size wants WxH, e.g. 1280x800, not %1</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+57"/>
        <source>--device %1 无效: %2</source>
        <translation>bad --device %1: %2</translation>
    </message>
</context>
<context>
    <name>HostStrings</name>
    <message>
        <location filename="../ui/panel/profile_commands.cpp" line="-160"/>
        <source>无法启动表格组件，不能读写特殊点表格文件!</source>
        <translation>The spreadsheet component cannot start; special-point workbooks cannot be read or written!</translation>
    </message>
</context>
<context>
    <name>LinkFailure</name>
    <message>
        <location filename="../host/link_failure.cpp" line="+66"/>
        <source>连接被拒绝: %1 上没有程序在监听</source>
        <translation>connection refused: nothing listens on %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接超时: %1 没有应答</source>
        <translation>connection timed out: %1 does not answer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法到达 %1: 没有通往该主机的路由</source>
        <translation>cannot reach %1: no route to the host</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设备不存在: %1</source>
        <translation>no such device: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设备忙: %1 已被其他程序占用</source>
        <translation>device busy: another program holds %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>权限不足: 当前用户不能打开 %1; 请加入 %2 组 (sudo usermod -aG %2 $USER) 后重新登录</source>
        <translation>permission denied: this user may not open %1; join the group %2 (sudo usermod -aG %2 $USER) and log in again</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>权限不足: 当前用户不能打开 %1</source>
        <translation>permission denied: this user may not open %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>无法打开 %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
</context>
<context>
    <name>Mismatch</name>
    <message>
        <location filename="../ui/lang/drive_messages.cpp" line="-70"/>
        <source>从轴脉冲数</source>
        <translation>Slave pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴脉冲数对应的单位量</source>
        <translation>Slave units</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数</source>
        <translation>Master pulses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数对应的单位量</source>
        <translation>Master units</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>凸轮点数</source>
        <translation>Point count</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴位置</source>
        <translation>master</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴位置</source>
        <translation>slave</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>标幺速度</source>
        <translation>speed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>类型</source>
        <translation>type</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>第%1点 %2: 写入 %3, 读回失败</source>
        <translation>Point %1 %2: wrote %3, could not read back</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第%1点 %2: 写入 %3, 读回 %4</source>
        <translation>Point %1 %2: wrote %3, read back %4</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1: 写入 %2, 读回失败</source>
        <translation>%1: wrote %2, could not read back</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1: 写入 %2, 读回 %3</source>
        <translation>%1: wrote %2, read back %3</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>共%1处不一致</source>
        <translation>%1 differences in all</translation>
    </message>
</context>
<context>
    <name>PuuMessage</name>
    <message>
        <location line="-55"/>
        <source>请输入单位转换的换算比!</source>
        <translation>Please enter the unit conversion ratios!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据输入有误!</source>
        <translation>Invalid input!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴脉冲数超出范围(1~0x40000000)</source>
        <translation>Slave pulses out of range (1 to 0x40000000)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从轴脉冲数对应的单位量超出范围(1~30000)</source>
        <translation>Slave units out of range (1 to 30000)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数超出范围(1~0x40000000)</source>
        <translation>Master pulses out of range (1 to 0x40000000)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>主轴脉冲数对应的单位量超出范围(1~30000)</source>
        <translation>Master units out of range (1 to 30000)</translation>
    </message>
</context>
</TS>
