<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
    <context>
        <name>CECamFuncSetDlg</name>
        <message>
            <location filename="../ui/funcode/ecam_func_set_dlg.cpp" line="+30" />
            <source>参数编号</source>
            <translation>No.</translation>
        </message>
        <message>
            <location line="+1" />
            <source>参数名称</source>
            <translation>Name</translation>
        </message>
        <message>
            <location line="+1" />
            <source>参数值</source>
            <translation>Value</translation>
        </message>
        <message>
            <location line="+1" />
            <source>出厂值</source>
            <translation>Default</translation>
        </message>
        <message>
            <location line="+1" />
            <source>单位</source>
            <translation>Unit</translation>
        </message>
        <message>
            <location line="+1" />
            <source>最小值</source>
            <translation>Min</translation>
        </message>
        <message>
            <location line="+1" />
            <source>最大值</source>
            <translation>Max</translation>
        </message>
        <message>
            <location line="+16" />
            <source>功能码设置</source>
            <translation>Cam parameters</translation>
        </message>
        <message>
            <location line="+12" />
            <source>全选</source>
            <translation>All</translation>
        </message>
        <message>
            <location line="+5" />
            <source>读取参数</source>
            <translation>Read</translation>
        </message>
        <message>
            <location line="+6" />
            <source>写入参数</source>
            <translation>Write</translation>
        </message>
        <message>
            <location line="+94" />
            <source>串口未连接!</source>
            <translation>No connection to the drive!</translation>
        </message>
        <message>
            <location line="+28" />
            <source>读取数据失败!</source>
            <translation>Reading from the drive failed!</translation>
        </message>
        <message>
            <location line="+0" />
            <source>请选择要读取的参数!</source>
            <translation>Please tick the parameters to read!</translation>
        </message>
        <message>
            <location line="+0" />
            <source>读取成功!</source>
            <translation>Parameters read.</translation>
        </message>
        <message>
            <location line="+14" />
            <source>写入数据失败!</source>
            <translation>Writing to the drive failed!</translation>
        </message>
        <message>
            <location line="+0" />
            <source>请选择要写入的参数!</source>
            <translation>Please tick the parameters to write!</translation>
        </message>
        <message>
            <location line="+0" />
            <source>写入成功!</source>
            <translation>Parameters written.</translation>
        </message>
    </context>
    <context>
        <name>CListOperDlg</name>
        <message>
            <location filename="../ui/panel/list_oper_dlg.cpp" line="+25" />
            <source>起始行号：</source>
            <translation>First row:</translation>
        </message>
        <message>
            <location line="+6" />
            <source>行数：</source>
            <translation>Rows:</translation>
        </message>
        <message>
            <location line="+6" />
            <source>确定</source>
            <translation>OK</translation>
        </message>
        <message>
            <location line="+4" />
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>CMyListCtrl</name>
        <message>
            <location filename="../ui/funcode/my_list_ctrl.cpp" line="+166" />
            <source>输入错误</source>
            <translation>Invalid input</translation>
        </message>
    </context>
    <context>
        <name>CPanelTransfers</name>
        <message>
            <location filename="../ui/panel/panel_transfers.cpp" line="+123" />
            <source>写入数据失败!</source>
            <translation>Writing to the drive failed!</translation>
        </message>
        <message>
            <location line="+10" />
            <source>串口未连接!</source>
            <translation>No connection to the drive!</translation>
        </message>
        <message>
            <location line="+9" />
            <location line="+17" />
            <source>读取数据失败!</source>
            <translation>Reading from the drive failed!</translation>
        </message>
        <message>
            <location line="+24" />
            <source>写入凸轮点数失败!是否继续烧录?</source>
            <translation>Writing the cam point count failed! Write the cam anyway?</translation>
        </message>
        <message>
            <location line="+28" />
            <source>启动线程失败
!</source>
            <translation>Could not start the transfer!</translation>
        </message>
        <message>
            <location line="+129" />
            <source>输入有效点数有误!请输入3~%1内的整数!</source>
            <translation>Invalid number of points! Please enter a whole number from 3 to %1!</translation>
        </message>
        <message>
            <location line="+85" />
            <source>烧写凸轮点成功!</source>
            <translation>Cam written to the drive!</translation>
        </message>
        <message>
            <location line="+4" />
            <source>烧写凸轮点后校验失败!</source>
            <translation>The cam read back from the drive differs from what was written!</translation>
        </message>
        <message>
            <location line="+3" />
            <source>烧写凸轮点失败!</source>
            <translation>Writing the cam failed!</translation>
        </message>
        <message>
            <location line="+9" />
            <source>凸轮点数量不能超过272</source>
            <translation>A cam can have at most 272 points</translation>
        </message>
        <message>
            <location line="+10" />
            <source>凸轮点数量不能超过%1</source>
            <translation>A cam can have at most %1 points</translation>
        </message>
        <message>
            <location line="+11" />
            <source>凸轮点读取成功!</source>
            <translation>Cam points read from the drive!</translation>
        </message>
        <message>
            <location line="+2" />
            <source>凸轮点读取失败!</source>
            <translation>Reading the cam points failed!</translation>
        </message>
        <message>
            <location line="+10" />
            <source>保存凸轮数据文件</source>
            <translation>Save cam data file</translation>
        </message>
        <message>
            <location line="+10" />
            <source>保存文件失败!</source>
            <translation>Saving the file failed!</translation>
        </message>
    </context>
    <context>
        <name>CPointTableEditor</name>
        <message>
            <location filename="../ui/panel/point_table_editor.cpp" line="+42" />
            <source>主轴位置必须在前后两点之间，且与相邻点的间距不小于0.002!</source>
            <translation>The master position must lie between its neighbours, at least 0.002 from each!</translation>
        </message>
        <message>
            <location line="+1" />
            <source>相邻两点间距太小，无法在其间增加点!</source>
            <translation>The neighbouring points are too close to add points between them!</translation>
        </message>
        <message>
            <location line="+177" />
            <source>第一行不能删除!</source>
            <translation>The first row cannot be deleted!</translation>
        </message>
        <message>
            <location line="+24" />
            <source>起始行请规范到%1 - %2</source>
            <translation>The first row must be from %1 to %2</translation>
        </message>
        <message>
            <location line="+4" />
            <source>操作行数必须大于零!</source>
            <translation>The number of rows must be greater than zero!</translation>
        </message>
        <message>
            <location line="+10" />
            <source>删除指定行</source>
            <translation>Delete rows</translation>
        </message>
        <message>
            <location line="+20" />
            <source>增加指定行</source>
            <translation>Insert rows</translation>
        </message>
        <message>
            <location line="+4" />
            <source>操作行数不能大于%1!</source>
            <translation>The number of rows must not exceed %1!</translation>
        </message>
    </context>
    <context>
        <name>CRAZuvavivezUzoDlg</name>
        <message>
            <location filename="../ui/panel/panel_template.cpp" line="+64" />
            <source>PUU设定</source>
            <translation>PUU settings</translation>
        </message>
        <message>
            <location line="+3" />
            <source>主轴长度</source>
            <translation>Master length</translation>
        </message>
        <message>
            <location line="+1" />
            <source>单位</source>
            <translation>Unit</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴脉冲数</source>
            <translation>Slave pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲数</source>
            <translation>Master pulses</translation>
        </message>
        <message>
            <location line="+21" />
            <source>功能码设置</source>
            <translation>Parameters</translation>
        </message>
        <message>
            <location line="+1" />
            <source>标准写入</source>
            <translation>Write cam</translation>
        </message>
        <message>
            <location line="+1" />
            <source>特殊点写入</source>
            <translation>Write special</translation>
        </message>
        <message>
            <location line="+1" />
            <source>读  取</source>
            <translation>Read</translation>
        </message>
        <message>
            <location line="+1" />
            <source>导入</source>
            <translation>Open</translation>
        </message>
        <message>
            <location line="+1" />
            <source>保存</source>
            <translation>Save</translation>
        </message>
        <message>
            <location line="+1" />
            <source>特殊点导入</source>
            <translation>Import</translation>
        </message>
        <message>
            <location line="+1" />
            <source>特殊点保存</source>
            <translation>Export</translation>
        </message>
        <message>
            <location line="+1" />
            <source>特殊点导出</source>
            <translation>Upload</translation>
        </message>
        <message>
            <location line="+3" />
            <source>删除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <location line="+1" />
            <source>增加</source>
            <translation>Insert</translation>
        </message>
        <message>
            <location filename="../ui/panel/razuvavivezuzo_dlg.cpp" line="+42" />
            <source>请输入一个正整数。</source>
            <translation>Please enter a positive integer.</translation>
        </message>
        <message>
            <location line="+125" />
            <source>位置</source>
            <translation>Position</translation>
        </message>
        <message>
            <location line="+1" />
            <source>速度</source>
            <translation>Speed</translation>
        </message>
        <message>
            <location line="+1" />
            <source>加速度</source>
            <translation>Acceleration</translation>
        </message>
        <message>
            <location line="+58" />
            <source>主轴位置</source>
            <translation>Master</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴位置</source>
            <translation>Slave</translation>
        </message>
        <message>
            <location line="+1" />
            <source>标幺速度</source>
            <translation>Speed (pu)</translation>
        </message>
        <message>
            <location line="+11" />
            <source>类型</source>
            <translation>Type</translation>
        </message>
        <message>
            <location line="+85" />
            <source>主轴长度不能小于10</source>
            <translation>The master length must be at least 10</translation>
        </message>
        <message>
            <location line="+5" />
            <source>主轴长度不能大于1000000</source>
            <translation>The master length must not exceed 1000000</translation>
        </message>
    </context>
    <context>
        <name>CSpecListCtrl</name>
        <message>
            <location filename="../ui/panel/spec_list_ctrl.cpp" line="+20" />
            <source>添加点</source>
            <translation>Add point</translation>
        </message>
        <message>
            <location line="+0" />
            <source>删除点</source>
            <translation>Delete point</translation>
        </message>
    </context>
    <context>
        <name>FunCodeCatalogue</name>
        <message>
            <location filename="../ui/funcode/fun_code_texts.cpp" line="+14" />
            <source>位置指令来源</source>
            <translation>Position command source</translation>
        </message>
        <message>
            <location line="+1" />
            <source>脉冲指令</source>
            <translation>Pulse command</translation>
        </message>
        <message>
            <location line="+1" />
            <source>步进量</source>
            <translation>Step amount</translation>
        </message>
        <message>
            <location line="+1" />
            <source>多段位置指令</source>
            <translation>Multi-segment position</translation>
        </message>
        <message>
            <location line="+1" />
            <source>电子凸轮</source>
            <translation>Electronic cam</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲对应单位量</source>
            <translation>Master units per pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲数</source>
            <translation>Master pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴脉冲对应单位量</source>
            <translation>Slave units per pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴脉冲数</source>
            <translation>Slave pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮启动方式</source>
            <translation>Cam start</translation>
        </message>
        <message>
            <location line="+1" />
            <source>上电立即启动</source>
            <translation>At power-on</translation>
        </message>
        <message>
            <location line="+1" />
            <source>DI信号启动</source>
            <translation>By DI signal</translation>
        </message>
        <message>
            <location line="+1" />
            <source>通讯启动</source>
            <translation>By communication</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮运行模式</source>
            <translation>Cam run mode</translation>
        </message>
        <message>
            <location line="+1" />
            <source>单次运行</source>
            <translation>Single cycle</translation>
        </message>
        <message>
            <location line="+1" />
            <source>循环运行</source>
            <translation>Cyclic</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮点数</source>
            <translation>Cam point count</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴来源选择</source>
            <translation>Master source</translation>
        </message>
        <message>
            <location line="+1" />
            <source>外部编码器</source>
            <translation>External encoder</translation>
        </message>
        <message>
            <location line="+1" />
            <source>脉冲指令输入</source>
            <translation>Pulse command input</translation>
        </message>
        <message>
            <location line="+1" />
            <source>虚拟主轴</source>
            <translation>Virtual master</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮相位偏移</source>
            <translation>Cam phase offset</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮切入加速时间</source>
            <translation>Cam engage accel. time</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴起始偏移</source>
            <translation>Master start offset</translation>
        </message>
        <message>
            <location line="+1" />
            <source>用户单位</source>
            <translation>user units</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴跟随误差阈值</source>
            <translation>Slave following error limit</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮停止方式</source>
            <translation>Cam stop</translation>
        </message>
        <message>
            <location line="+1" />
            <source>立即停止</source>
            <translation>Immediately</translation>
        </message>
        <message>
            <location line="+1" />
            <source>周期结束后停止</source>
            <translation>At end of cycle</translation>
        </message>
    </context>
    <context>
        <name>FunCodeInput</name>
        <message>
            <location line="+4" />
            <source>数据不能为空!</source>
            <translation>The value must not be empty!</translation>
        </message>
        <message>
            <location line="+1" />
            <source>请输入整形数据!</source>
            <translation>Please enter a whole number!</translation>
        </message>
        <message>
            <location line="+37" />
            <source>数据有效范围:【%1-%2】</source>
            <translation>Valid range: [%1, %2]</translation>
        </message>
    </context>
    <context>
        <name>Mismatch</name>
        <message>
            <location filename="../ui/panel/drive_messages.cpp" line="+23" />
            <source>从轴脉冲数</source>
            <translation>Slave pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴脉冲数对应的单位量</source>
            <translation>Slave units</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲数</source>
            <translation>Master pulses</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲数对应的单位量</source>
            <translation>Master units</translation>
        </message>
        <message>
            <location line="+1" />
            <source>凸轮点数</source>
            <translation>Point count</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴位置</source>
            <translation>master</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴位置</source>
            <translation>slave</translation>
        </message>
        <message>
            <location line="+1" />
            <source>标幺速度</source>
            <translation>speed</translation>
        </message>
        <message>
            <location line="+1" />
            <source>类型</source>
            <translation>type</translation>
        </message>
        <message>
            <location line="+18" />
            <source>第%1点 %2: 写入 %3, 读回失败</source>
            <translation>Point %1 %2: wrote %3, could not read back</translation>
        </message>
        <message>
            <location line="+1" />
            <source>第%1点 %2: 写入 %3, 读回 %4</source>
            <translation>Point %1 %2: wrote %3, read back %4</translation>
        </message>
        <message>
            <location line="+4" />
            <source>%1: 写入 %2, 读回失败</source>
            <translation>%1: wrote %2, could not read back</translation>
        </message>
        <message>
            <location line="+1" />
            <source>%1: 写入 %2, 读回 %3</source>
            <translation>%1: wrote %2, read back %3</translation>
        </message>
        <message>
            <location line="+9" />
            <source>共%1处不一致</source>
            <translation>%1 differences in all</translation>
        </message>
    </context>
    <context>
        <name>PuuMessage</name>
        <message>
            <location line="-55" />
            <source>请输入单位转换的换算比!</source>
            <translation>Please enter the unit conversion ratios!</translation>
        </message>
        <message>
            <location line="+1" />
            <source>数据输入有误!</source>
            <translation>Invalid input!</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴脉冲数超出范围(1~0x40000000)</source>
            <translation>Slave pulses out of range (1 to 0x40000000)</translation>
        </message>
        <message>
            <location line="+1" />
            <source>从轴脉冲数对应的单位量超出范围(1~30000)</source>
            <translation>Slave units out of range (1 to 30000)</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲数超出范围(1~0x40000000)</source>
            <translation>Master pulses out of range (1 to 0x40000000)</translation>
        </message>
        <message>
            <location line="+1" />
            <source>主轴脉冲数对应的单位量超出范围(1~30000)</source>
            <translation>Master units out of range (1 to 30000)</translation>
        </message>
    </context>
    <context>
        <name>CCurveMenu</name>
        <message>
            <source>添加凸轮点</source>
            <translation>Add cam point</translation>
        </message>
        <message>
            <source>删除凸轮点</source>
            <translation>Delete cam point</translation>
        </message>
        <message>
            <source>显示凸轮点</source>
            <translation>Show cam points</translation>
        </message>
        <message>
            <source>此处已有凸轮点或超出主轴范围，不能添加凸轮点</source>
            <translation>No cam point can be added here: there is one already, or it lies outside the master range</translation>
        </message>
    </context>
    <context>
        <name>CProfileCommands</name>
        <message>
            <source>打开凸轮数据文件</source>
            <translation>Open cam data file</translation>
        </message>
        <message>
            <source>保存凸轮数据文件</source>
            <translation>Save cam data file</translation>
        </message>
        <message>
            <source>打开数据文件失败!</source>
            <translation>Opening the data file failed!</translation>
        </message>
        <message>
            <source>文件已经存在，是否覆盖?</source>
            <translation>The file exists already. Replace it?</translation>
        </message>
        <message>
            <source>提示</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>保存数据文件失败!</source>
            <translation>Saving the data file failed!</translation>
        </message>
        <message>
            <source>本地未安装Excel,请先安装再使用本功能!</source>
            <translation>No spreadsheet support is installed; install it to use this function!</translation>
        </message>
        <message>
            <source>保存文件失败!</source>
            <translation>Saving the file failed!</translation>
        </message>
    </context>
    <context>
        <name>CHostWindow</name>
        <message>
            <source>电子凸轮编辑器</source>
            <translation>ECam Editor</translation>
        </message>
        <message>
            <source>文件(&amp;F)</source>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>退出(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>设置(&amp;S)</source>
            <translation>&amp;Settings</translation>
        </message>
        <message>
            <source>写入后校验(&amp;V)</source>
            <translation>&amp;Verify after writing</translation>
        </message>
        <message>
            <source>帮助(&amp;H)</source>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>关于(&amp;A)...</source>
            <translation>&amp;About...</translation>
        </message>
        <message>
            <source>设备: </source>
            <translation>Device: </translation>
        </message>
        <message>
            <source>电子凸轮编辑器
版本 </source>
            <translation>ECam Editor
Version </translation>
        </message>
        <message>
            <source>关于</source>
            <translation>About</translation>
        </message>
        <message>
            <source> (内置模拟驱动器)</source>
            <translation> (built-in simulated drive)</translation>
        </message>
        <message>
            <source>无</source>
            <translation>none</translation>
        </message>
    </context>
</TS>
