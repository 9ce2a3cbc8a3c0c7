// The panel's transfer commands end to end against the simulated drive:
// what the user sees (messages, focus, buttons, progress), what stays locked
// meanwhile, and what the drive and the cam then hold.
#include "drive/cam_table.h"
#include "tests/support/panel_harness.h"
#include "tests/support/sim_link.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QLineEdit>

using ecamtest::ExpectRegs;
using ecamtest::ReadFileBytes;

// The panel harness bound to a simulated drive: the link is up before the
// panel binds to the host's selected device.
class PanelOnSim : public PanelHarness {
protected:
    explicit PanelOnSim(int timeoutMs = 150) : PanelHarness(QSize(1000, 720), Show::kShown), link(timeoutMs) {}

    void SetPuu(const char* slavePulse, const char* slaveUnits, const char* masterPulse, const char* masterUnits)
    {
        dlg->SetDlgItemText(IDC_EDIT_SLAVE_PULSE, QString::fromUtf8(slavePulse));
        dlg->SetDlgItemText(IDC_EDIT_SLAVE_UNITS, QString::fromUtf8(slaveUnits));
        dlg->SetDlgItemText(IDC_EDIT_MASTER_PULSE, QString::fromUtf8(masterPulse));
        dlg->SetDlgItemText(IDC_EDIT_MASTER_UNITS, QString::fromUtf8(masterUnits));
    }
    // A unit name enables the scaling fields and the standard write.
    void CommitUnit(const char* unit)
    {
        dlg->SetDlgItemText(IDC_EDIT_UNIT, QString::fromUtf8(unit));
        SendModuleMessage(dlg, WM_UNI_EDIT_ENTER, IDC_EDIT_UNIT, 0);
    }
    void SetProfile(int n, double masterStep, double slaveStep)
    {
        std::vector<ECamPoint> pts;
        for (int i = 0; i < n; ++i)
            pts.push_back({i * masterStep, i * slaveStep, 0.25 * i, i % 2 ? kECamLinear : kECamPoly});
        LoadCam(pts);
    }
    // A cam of n points, with a unit and a scaling the standard write takes.
    void Ready(int n, double masterStep = 1.0, double slaveStep = 1.0)
    {
        CommitUnit("mm");
        SetPuu("1000", "1", "1000", "1");
        SetProfile(n, masterStep, slaveStep);
    }
    bool LastBoxIs(const char* text) const { return boxes.LastIs(QString::fromUtf8(text)); }
    // Waits (bounded) for the running transfer to end; returns the last message shown.
    QString WaitForEnd()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !dlg->IsTransferRunning(); }, 20000)) << "the transfer runs on";
        return boxes.Calls().empty() ? QString() : boxes.Calls().back().text;
    }
    QString ClickToEnd(int id)
    {
        Click(id);
        return WaitForEnd();
    }

    SimLink link;
};

// Everything that would change what is written, or start another transfer,
// is locked while a write runs and comes back at its end. The worker blocks
// on its first report until the test processes events, and the fields are
// paced, so every action below lands while the transfer runs.
TEST_F(PanelOnSim, StandardWriteLocksThePanelSendsScalingCountAndTableAndReadsItBack)
{
    ASSERT_NO_FATAL_FAILURE(Recreate({std::chrono::milliseconds(5), 10}));
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
    CommitUnit("mm");
    SetPuu("131072", "360", "10000", "25");
    SetProfile(17, 10.0, -1.5);
    const auto cam = Points();
    Edit(IDC_EDIT_UNIT)->setFocus();
    Click(IDC_BTN_STD_WRITE);
    ASSERT_TRUE(dlg->IsTransferRunning());
    EXPECT_TRUE(Progress()->isVisible());
    EXPECT_EQ(Progress()->maximum(), 34);   // written, then read back
    const int locked[] = {IDC_TABLE, IDC_CURVE_POSITION, IDC_CURVE_SPEED, IDC_EDIT_MASTER_LEN, IDC_EDIT_UNIT,
                          IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS,
                          IDC_BTN_IMPORT, IDC_BTN_SPECIAL_IMPORT, IDC_BTN_FUNCODE, IDC_BTN_STD_WRITE, IDC_BTN_READ,
                          IDC_BTN_SPECIAL_EXPORT, IDC_BTN_SPECIAL_WRITE};
    for (int id : locked)
        EXPECT_FALSE(Item(id)->isEnabled()) << id;
    // What the user tries meanwhile reaches nothing: a second transfer, the
    // settings dialog (it would block here), a length, a cell, the plot's
    // menu, a drag, undo.
    Click(IDC_BTN_SPECIAL_EXPORT);
    Click(IDC_BTN_FUNCODE);
    TypeMasterLength(QStringLiteral("320"), Qt::Key_Return);
    EXPECT_EQ(OpenEditorByClicks(1, kColSlave), nullptr);
    CECamCurveWnd* pos = PositionCurve();
    const QPoint marker = pos->DataToPixel(pos->KeyPoints()[1]);
    const std::size_t menus = ui->menus.Calls().size();
    QTest::mouseClick(pos, Qt::RightButton, {}, marker);
    EXPECT_EQ(ui->menus.Calls().size(), menus);
    QTest::mousePress(pos, Qt::LeftButton, {}, marker);
    QTest::mouseMove(pos, marker + QPoint(0, -30));
    QTest::mouseRelease(pos, Qt::LeftButton, {}, marker + QPoint(0, -30));
    QTest::keyClick(Table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Points(), cam);

    EXPECT_EQ(WaitForEnd(), "烧写凸轮点成功!");
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_FALSE(Progress()->isVisible());
    EXPECT_EQ(Progress()->value(), 33);
    for (int id : locked)   // the special write was disabled before and stays so
        EXPECT_EQ(Item(id)->isEnabled(), id != IDC_BTN_SPECIAL_WRITE) << id;
    EXPECT_EQ(Points(), cam);
    // Scaling, count and one sample of the table itself (its encoding is the
    // table builder's and the transfer's own contract): the last point's master.
    ExpectRegs(*link.sim, {{0x1B00, 25}, {0x1B01, 10000, 32}, {0x1B03, 360}, {0x1B04, 131072, 32}, {0x1B08, 17},
                           {0x1F00, 160000, 32}});

    // Something else changes point 3's master between the write and the
    // read-back: the worker waits in its last write report.
    boxes.Clear();
    QObject::connect(Progress(), &QProgressBar::valueChanged, Progress(), [this](int value) {
        if (value == 16)
            link.sim->SetRegister32(camtable::StandardPointAddress(3), 0x7FFF0000);
    });
    Click(IDC_BTN_STD_WRITE);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->IsTransferRunning(), 10000);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("烧写凸轮点后校验失败!\n"
                                                           "第3点 主轴位置: 写入 30000, 读回 2147418112")});
    EXPECT_EQ(link.sim->Register(camtable::kAddrPointCount), 17);
    EXPECT_EQ(Progress()->value(), 33);
    EXPECT_TRUE(Item(IDC_BTN_STD_WRITE)->isEnabled());

    // Read-back off (the host's setting): the same write only writes.
    verifyAfterWrite = false;
    const uint64_t before = link.sim->RequestCount();
    Click(IDC_BTN_STD_WRITE);
    EXPECT_EQ(Progress()->maximum(), 17);
    EXPECT_EQ(WaitForEnd(), "烧写凸轮点成功!");
    // Scaling (4), count 0, 17 points of 4 fields, the count: writes only.
    EXPECT_EQ(link.sim->RequestCount() - before, 4u + 1u + 68u + 1u);
}

// "从驱动器读取凸轮表": the drive's standard table becomes the cam as one
// undoable step, and a table the panel cannot trust leaves the cam as it was.
TEST_F(PanelOnSim, ReadCamFromDriveOpensTheDriveTableAsOneUndoStepOrRefusesIt)
{
    SetProfile(4, 10.0, 1.0);
    CommitUnit("mm");   // unsaved: the read asks first
    const std::vector<ECamPoint> before = Points();
    const uint32_t lengthBefore = dlg->MasterLength();
    // Three points as the drive holds them: master and slave (32 bits), speed, segment code; point 0 all 0.
    ecamtest::SetRegs(*link.sim, {{camtable::kAddrPointCount, 3}, {0x1E06, 90500, 32}, {0x1E08, -12345, 32},
                                  {0x1E0A, 157}, {0x1E0B, 1}, {0x1E0C, 180000, 32}, {0x1E0E, 2000, 32}, {0x1E10, -3}});

    // Cancelled at the question: nothing read, nothing changed.
    boxes.QueueAnswer(IDCANCEL);
    const uint64_t requests = link.sim->RequestCount();
    EXPECT_FALSE(dlg->ReadCamFromDrive());
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("当前凸轮数据已修改，尚未保存。\n是否先保存到文件?")});
    EXPECT_EQ(link.sim->RequestCount(), requests);

    // Dropping the changes: the drive's points exactly, the length with them.
    boxes.Clear();
    boxes.QueueAnswer(IDNO);
    ASSERT_TRUE(dlg->ReadCamFromDrive());
    EXPECT_TRUE(Progress()->isVisible());
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    EXPECT_EQ(WaitForEnd(), "从驱动器读取凸轮表成功! 共3点。\n速度按驱动器保存的精度读回, 保留两位小数。");
    const std::vector<ECamPoint> read = {
        {0.0, 0.0, 0.0, kECamPoly}, {90.5, -12.345, 1.57, kECamLinear}, {180.0, 2.0, -0.03, kECamPoly}};
    EXPECT_EQ(Points(), read);
    EXPECT_EQ(dlg->MasterLength(), 180u);
    EXPECT_FALSE(Progress()->isVisible());

    // A count the standard table cannot hold: refused, the cam stays.
    for (int count : {273, 1}) {
        link.sim->SetRegister(camtable::kAddrPointCount, static_cast<uint16_t>(count));
        boxes.QueueAnswer(IDNO);   // the cam read is not saved yet
        ASSERT_TRUE(dlg->ReadCamFromDrive());
        EXPECT_EQ(WaitForEnd(), QString::fromUtf8("从驱动器读取凸轮表失败!\n驱动器中的凸轮点数为%1, 不是2~272内的完整凸轮表")
                                    .arg(count));
        EXPECT_EQ(Points(), read);
    }

    // One step back is the cam and length before the read.
    ASSERT_TRUE(dlg->UndoCamEdit());
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(dlg->MasterLength(), lengthBefore);
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_UNIT), QStringLiteral("mm"));   // only the read was undone
}

TEST_F(PanelOnSim, ScalingFieldsAreCheckedInOrderBeforeAnyDriveAccess)
{
    host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host.get()));
    CommitUnit("mm");
    const uint64_t requestsBefore = link.sim->RequestCount();

    // Fields, the message, the field that gets focus, and its selected text (none: not checked).
    struct Case { const char *sp, *su, *mp, *mu, *text; int focus; const char* selected; };
    const Case cases[] = {
        {"", "0", "", "5", "请输入单位转换的换算比!", 6012, nullptr},
        {"100", "5", "abc", "", "请输入单位转换的换算比!", 6011, nullptr},
        {"100", "5", "abc", "7", "数据输入有误!", 6013, "abc"},
        {"100", "30001", "-4", "7", "从轴脉冲数对应的单位量超出范围(1~30000)", 6010, "30001"},
        {"100", "30000", "-4", "7", "主轴脉冲数超出范围(1~0x40000000)", 0, nullptr},
    };
    for (const Case& c : cases) {
        SetPuu(c.sp, c.su, c.mp, c.mu);
        Click(6006);
        EXPECT_TRUE(LastBoxIs(c.text)) << c.text;
        EXPECT_TRUE(!c.focus || Item(c.focus)->hasFocus()) << c.text;
        EXPECT_TRUE(!c.selected || Edit(c.focus)->selectedText() == QString::fromUtf8(c.selected)) << c.text;
    }
    EXPECT_EQ(boxes.Calls().size(), 5u);
    EXPECT_EQ(link.sim->RequestCount(), requestsBefore);
    EXPECT_FALSE(dlg->IsTransferRunning());
}

TEST_F(PanelOnSim, OversizeTableIsRefusedWithTheCountAtZeroAndAFailedCountAsks)
{
    Ready(273);
    link.sim->SetRegister32(0x1E00, 0x5A5A5A5A);
    EXPECT_EQ(ClickToEnd(6006), "凸轮点数量不能超过272");
    ExpectRegs(*link.sim, {{0x1B08, 0}, {0x1E00, 0x5A5A5A5A, 32}});   // no table claimed
    EXPECT_TRUE(Item(6006)->isEnabled());
    EXPECT_FALSE(Progress()->isVisible());

    // The drive refuses the count (after the four scaling writes): the user
    // is asked, No stops.
    link.sim->ScriptFault(link.sim->RequestCount() + 5, {SimScriptedFault::Exception, 4});
    boxes.QueueAnswer(IDNO);
    Click(6006);
    ASSERT_EQ(boxes.Calls().size(), 2u);   // the refusal above, then the question
    const MessageBoxCall& asked = boxes.Calls()[1];
    EXPECT_EQ(std::tuple(asked.text, asked.buttons, asked.icon),
              std::tuple(QString::fromUtf8("写入凸轮点数失败!是否继续烧录?"), MB_YESNO, MB_ICONQUESTION));
    EXPECT_FALSE(dlg->IsTransferRunning());
    link.sim->ScriptFault(link.sim->RequestCount() + 5, {SimScriptedFault::Exception, 4});
    boxes.QueueAnswer(IDYES);   // going on: the worker then refuses the table
    EXPECT_EQ(ClickToEnd(6006), "凸轮点数量不能超过272");
}

TEST_F(PanelOnSim, SpecialWriteResamplesAndValidatesTheCount)
{
    SetProfile(26, 10.5, -7.77);
    Item(6033)->setEnabled(true);   // as after a spreadsheet import
    dlg->SetDlgItemText(6029, QStringLiteral("1500"));
    Click(6033);
    EXPECT_FALSE(Item(6033)->isEnabled());
    EXPECT_EQ(WaitForEnd(), "烧写凸轮点成功!");
    EXPECT_TRUE(Item(6033)->isEnabled());
    // The last point, as a sample; the special write leaves the scaling alone.
    ExpectRegs(*link.sim, {{0x1B08, 26}, {0x4100, 26250, 32}, {0x1B01, 10000, 32}});

    SetProfile(10, 1.0, 1.0);
    dlg->SetDlgItemText(6029, QStringLiteral("4"));
    ClickToEnd(6033);
    EXPECT_EQ(g_nValidPointCount, 4);
    ExpectRegs(*link.sim, {{0x1B08, 4}, {0x400C, 900, 32}});   // resampled to 4: the last one is point 9

    boxes.Clear();
    for (const char* text : {"2", "1501", "3.0", "", "abc"}) {
        dlg->SetDlgItemText(6029, QString::fromUtf8(text));
        Click(6033);
        EXPECT_FALSE(dlg->IsTransferRunning()) << text;
        EXPECT_EQ(boxes.Calls().back().owner, nullptr) << text;
    }
    EXPECT_EQ(boxes.Texts(), QStringList(5, QString::fromUtf8("输入有效点数有误!请输入3~1500内的整数!")));
    EXPECT_EQ(g_nValidPointCount, -1);   // what the last attempt read
}

TEST_F(PanelOnSim, SpecialExportAndReadSaveTheDriveTableByteForByte)
{
    ecamtest::SetRegs(*link.sim, {{0x1B08, 3}, {0x4000, 0, 32}, {0x4002, 0, 32}, {0x4004, 1234, 32}, {0x4006, -5, 32},
                                  {0x4008, INT32_MIN, 32}, {0x400A, INT32_MAX, 32}});
    const ecamtest::TempDir dir("export");
    const auto path = dir.Write("ReadECam1.csv", "an older and much longer file that must disappear\r\n");
    files.QueueAnswer(QString::fromStdString(path.string()));
    Click(6028);
    EXPECT_FALSE(Item(6026)->isEnabled());
    EXPECT_EQ(WaitForEnd(), "凸轮点读取成功!");
    EXPECT_TRUE(Item(6026)->isEnabled());
    EXPECT_EQ(ReadFileBytes(path), "0 , 0\r\n1234 , -5\r\n-2147483648 , 2147483647\r\n");
    ASSERT_EQ(files.Calls().size(), 1u);
    const FileDialogCall& call = files.Calls()[0];
    EXPECT_EQ(std::tuple(call.save, call.title, call.initialName, call.defaultExt, call.filter.section(";;", 0, 0)),
              std::tuple(true, QString::fromUtf8("保存凸轮数据文件"), "ReadECam1.csv", "csv", "CSV Files(*.csv)"));

    // An empty table gives an empty file; a cancelled dialog writes nothing
    // and the read still reports success.
    link.sim->SetRegister(0x1B08, 0);
    files.QueueAnswer(QString::fromStdString(path.string()));
    ClickToEnd(6028);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    std::filesystem::remove(path);
    EXPECT_EQ(ClickToEnd(6028), "凸轮点读取成功!");   // no queued answer: cancelled
    EXPECT_FALSE(std::filesystem::exists(path));

    // A count beyond the special table fails before any point is read.
    link.sim->SetRegister(0x1B08, 1501);
    const auto before = link.sim->RequestCount();
    Click(6028);
    EXPECT_TRUE(LastBoxIs("读取数据失败!"));
    EXPECT_FALSE(dlg->IsTransferRunning());
    EXPECT_FALSE(Progress()->isVisible());
    EXPECT_EQ(link.sim->RequestCount(), before + 2);   // the count and its probe

    // The read command fills the scaling fields too and gives both buttons back.
    ecamtest::SetRegs(*link.sim, {{0x1B00, 3}, {0x1B01, 4096, 32}, {0x1B03, 7}, {0x1B04, 65536, 32}, {0x1B08, 2},
                                  {0x4004, 777, 32}});
    files.QueueAnswer(QString::fromStdString((dir / "read.csv").string()));
    Click(IDC_BTN_READ);
    EXPECT_FALSE(Item(6006)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->IsTransferRunning(), 10000);
    EXPECT_EQ(QStringList({dlg->GetDlgItemText(6011), dlg->GetDlgItemText(6013), dlg->GetDlgItemText(6010),
                           dlg->GetDlgItemText(6012)}), QStringList({"3", "4096", "7", "65536"}));
    EXPECT_TRUE(Item(6006)->isEnabled());
    EXPECT_TRUE(Item(6007)->isEnabled());
    EXPECT_EQ(ReadFileBytes(dir / "read.csv"), "0 , 0\r\n777 , -5\r\n");   // the slave left from the table above
}

TEST_F(PanelOnSim, StoppedOrCutTransfersGiveControlsBack)
{
    using std::chrono::milliseconds;
    auto prepare = [this](camxfer::Timing timing, int points) {
        Recreate(timing);
        // The new panel's first field has the focus; a click elsewhere would
        // commit it and rescale the profile to its length.
        Edit(IDC_EDIT_MASTER_LEN)->clearFocus();
        Ready(points);
    };
    prepare({milliseconds(2), 10}, 40);
    Click(6006);
    QTRY_VERIFY_WITH_TIMEOUT(Progress()->value() >= 2, 10000);
    dlg->StopTransfers();
    EXPECT_FALSE(dlg->IsTransferRunning());
    EXPECT_FALSE(Progress()->isVisible());
    EXPECT_TRUE(Item(6006)->isEnabled());
    EXPECT_TRUE(Item(6005)->isEnabled());
    EXPECT_TRUE(boxes.Calls().empty());

    prepare({milliseconds(0), 10}, 40);
    EXPECT_EQ(ClickToEnd(6006), "烧写凸轮点成功!");   // after a stop, the next transfer runs to its end

    // The link cut mid-transfer: the failure, the buttons back, no hang.
    prepare({milliseconds(2), 10}, 60);
    Click(6006);
    QTRY_VERIFY_WITH_TIMEOUT(Progress()->value() >= 3, 10000);
    link.sim->Stop();
    EXPECT_EQ(WaitForEnd(), "烧写凸轮点失败!\n驱动器中的凸轮表不完整, 凸轮点数为0");
    EXPECT_EQ(boxes.Calls().size(), 2u);
    EXPECT_TRUE(Item(6006)->isEnabled());
    EXPECT_FALSE(Progress()->isVisible());
    // With the drive gone the next command stops at the connection check,
    // which adds why on a second line.
    Click(6028);
    const QString last = boxes.Texts().back();
    EXPECT_TRUE(last == QString::fromUtf8("读取数据失败!") || last.startsWith(QString::fromUtf8("串口未连接!\n")))
        << last.toStdString();
    EXPECT_FALSE(dlg->IsTransferRunning());
}

// A drive that never answers, with a response timeout far longer than a
// user would wait for a window to close.
class PanelOnSilentDrive : public PanelOnSim {
protected:
    PanelOnSilentDrive() : PanelOnSim(5000) {}
};

TEST_F(PanelOnSilentDrive, ClosingWhileARequestWaitsForItsAnswerDoesNotWaitItOut)
{
    link.sim->SetRegister(camtable::kAddrPointCount, 40);
    files.QueueAnswer(QStringLiteral("/nonexistent/never-written.csv"));
    // The export reads the count on the GUI thread, then the points on the
    // worker: the worker's first request is never answered.
    const uint64_t firstOfWorker = link.sim->RequestCount() + 2;
    link.sim->ScriptFault(firstOfWorker, {SimScriptedFault::Silent, 0});
    Click(IDC_BTN_SPECIAL_EXPORT);
    ASSERT_TRUE(dlg->IsTransferRunning());
    ASSERT_TRUE(link.sim->WaitRequests(firstOfWorker, 5000));
    const auto t0 = std::chrono::steady_clock::now();
    delete dlg;
    dlg = nullptr;
    // A bound, not a speed figure: the close did not wait for the 5 s timeout.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(2500));
    EXPECT_TRUE(boxes.Calls().empty());

    // The link is usable again for whoever asks next.
    Recreate({std::chrono::milliseconds(0), 10});
    link.sim->SetRegister(camtable::kAddrPointCount, 1);
    files.QueueAnswer(QString());
    EXPECT_EQ(ClickToEnd(IDC_BTN_SPECIAL_EXPORT), "凸轮点读取成功!");
}

// Closing the panel while its worker runs: the destructor stops the worker
// at its next field and waits, with reports pending or not.
TEST_F(PanelOnSim, ClosingMidTransferAHundredTimes)
{
    for (int round = 0; round < 100; ++round) {
        ASSERT_NO_FATAL_FAILURE(Recreate({std::chrono::milliseconds(1), 10}));
        Ready(40);
        Click(IDC_BTN_STD_WRITE);
        ASSERT_TRUE(dlg->IsTransferRunning());
        // Let a varying number of reports through: none, some, many.
        const int reports = round % 5 == 0 ? 0 : round % 7;
        if (reports > 0)
            QTRY_VERIFY_WITH_TIMEOUT(Progress()->value() >= reports, 10000);
        delete dlg;
        dlg = nullptr;
    }
    QCoreApplication::processEvents();   // stale queued deliveries find no panel
    EXPECT_TRUE(boxes.Calls().empty());
}
