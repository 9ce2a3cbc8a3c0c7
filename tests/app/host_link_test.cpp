// The host and its drive. The connect dialog: the URL its fields make for
// each kind of link, a URL shown back in the fields, and the connection test
// against the simulated drive, a closed port and a drive that does not
// answer. Connecting another drive through the 驱动器 menu moves the panel to
// it, a running transfer refuses that, and the status line follows the
// outcome of the exchanges, whichever thread made them.
#include "app/connect_dialog.h"
#include "app/host_drive.h"
#include "app/host_settings.h"
#include "app/host_window.h"
#include "host/logic_manage.h"
#include "host/modbus_data_srv.h"
#include "tests/support/modal_driver.h"
#include "tests/support/modal_ui_recorder.h"
#include "tests/support/sim_drive.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace {

using ecamtest::StartSim;

QString u8(const char* text) { return QString::fromUtf8(text); }
QString UrlOf(const CDriveSimulator& sim) { return QString::fromStdString(sim.Url()); }

// Replaces a field's text as a user does: select all, type.
void Type(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

class ConnectDialogTest : public ::testing::Test {
protected:
    ConnectDialogTest() : drive(CSingleton<CLogicManage>::Instance()->GetDeviceManage()), dlg(drive, ui) {}

    template <class W>
    W* Child(const char* name) const
    {
        W* w = dlg.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { QTest::mouseClick(Child<QWidget>(name), Qt::LeftButton); }
    void Type(const char* name, const QString& text) { ::Type(Child<QWidget>(name), text); }
    void TypeCombo(const char* name, const QString& text) { ::Type(Child<QComboBox>(name)->lineEdit(), text); }

    // Runs the connection test and waits (bounded) for its report.
    QString RunTest(int boundMs = 5000)
    {
        Click("testButton");
        EXPECT_TRUE(dlg.TestRunning());
        EXPECT_FALSE(Child<QPushButton>("testButton")->isEnabled());
        EXPECT_EQ(dlg.TestResult(), u8("正在测试连接..."));
        QElapsedTimer clock;
        clock.start();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!dlg.TestRunning(), boundMs); }();
        lastTestMs = clock.elapsed();
        EXPECT_TRUE(Child<QPushButton>("testButton")->isEnabled());
        return dlg.TestResult();
    }

    CModalUiRecorder ui;
    CHostDrive drive;
    CConnectDialog dlg;
    qint64 lastTestMs = 0;
};

class HostLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = StartSim();
        b = StartSim();
        ASSERT_TRUE(drive.Select(UrlOf(*a), nullptr));
        window = std::make_unique<CHostWindow>(drive, ui);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { window.reset(); RememberDevice(QString()); }

    QWidget* PanelItem(const char* name) const
    {
        QWidget* w = window->Frame()->findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Reads every parameter through the panel's parameter dialog, as a user
    // does (tick all, read); returns the message shown.
    QString ReadParametersThroughPanel()
    {
        QString box;
        ModalDriver<QDialog> params([&](QDialog* dlg) {
            QTest::mouseClick(dlg->findChild<QCheckBox*>(QStringLiteral("idc6022")), Qt::LeftButton);
            ModalDriver<QMessageBox> done([&](QMessageBox* m) {
                box = m->text();
                m->accept();
            });
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("idc6019")), Qt::LeftButton);
            EXPECT_TRUE(done.Ran());
        });
        QTest::mouseClick(PanelItem("idc6005"), Qt::LeftButton);
        EXPECT_TRUE(params.Ran());
        return box;
    }

    std::unique_ptr<CDriveSimulator> a, b;
    CHostDrive drive{CSingleton<CLogicManage>::Instance()->GetDeviceManage()};
    std::shared_ptr<CModalUiRecorder> ui = std::make_shared<CModalUiRecorder>();
    std::unique_ptr<CHostWindow> window;
};

} // namespace

TEST_F(ConnectDialogTest, FieldsMakeTheUrlOfEachKindRefuseInvalidOnesAndShowAUrlUnchanged)
{
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    Click("kindTcp");
    Type("tcpHost", QStringLiteral("10.0.0.5"));
    Type("tcpPort", QStringLiteral("1502"));
    Type("tcpUnit", QStringLiteral("3"));
    EXPECT_EQ(dlg.Choice(), QStringLiteral("tcp://10.0.0.5:1502?unit=3"));
    Type("timeout", QStringLiteral("250"));
    EXPECT_EQ(dlg.Choice(), QStringLiteral("tcp://10.0.0.5:1502?unit=3&timeout=250"));
    Type("timeout", QStringLiteral("0"));

    // RTU: a path typed by hand (the port list may be empty), settings
    // picked from the lists with the keyboard.
    Click("kindRtu");
    TypeCombo("rtuPort", QStringLiteral("/dev/ttyUSB3"));
    TypeCombo("rtuBaud", QStringLiteral("9600"));
    for (const char* name : {"rtuParity", "rtuData", "rtuStop"}) {   // 无 -> 偶, 8 -> 7, 1 -> 2
        Child<QComboBox>(name)->setFocus();
        QTest::keyClick(Child<QComboBox>(name), Qt::Key_Down);
    }
    Type("rtuUnit", QStringLiteral("5"));
    EXPECT_EQ(dlg.Choice(), QStringLiteral("rtu:/dev/ttyUSB3?baud=9600&parity=E&data=7&stop=2&unit=5"));

    Click("kindSim");
    EXPECT_EQ(dlg.Choice(), CHostDrive::Simulated());
    EXPECT_FALSE(Child<QSpinBox>("timeout")->isEnabled());

    // Nothing to connect to: OK says why and the dialog stays.
    const struct {
        const char *kind, *field, *typed;
    } refusals[] = {{"kindTcp", "tcpHost", ""}, {"kindTcp", "tcpHost", "drive one"}, {"kindRtu", "rtuPort", ""}};
    for (const auto& r : refusals) {
        Click(r.kind);
        r.field[0] == 'r' ? TypeCombo(r.field, u8(r.typed)) : Type(r.field, u8(r.typed));
        QTest::mouseClick(Child<QWidget>("buttonBox")->findChildren<QPushButton*>().first(), Qt::LeftButton);
    }
    EXPECT_EQ(ui.boxes.Texts(), (QStringList{u8("请输入驱动器的主机地址。"), u8("主机地址无效: drive one"),
                                             u8("请选择或输入串口设备。")}));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    // A URL shown in the fields comes back unchanged.
    for (const char* url : {"tcp://192.168.1.10:502?unit=1", "tcp://drive.local:1502?unit=255&timeout=300",
                            "rtu:/dev/ttyUSB0?baud=115200&parity=N&data=8&stop=1&unit=1",
                            "rtu:/dev/pts/7?baud=57600&parity=O&data=7&stop=2&unit=247&timeout=80",
                            "rtu:/dev/ttyS1?baud=250000&parity=E&data=5&stop=1&unit=0"}) {
        ASSERT_TRUE(dlg.SetChoice(QString::fromLatin1(url))) << url;
        EXPECT_EQ(dlg.Choice(), QString::fromLatin1(url));
    }
    // The URL is read back from the fields, so the round trips above are the
    // fields' check; here what the user sees of them.
    ASSERT_TRUE(dlg.SetChoice(QStringLiteral("rtu:/dev/pts/7?baud=57600&parity=O&data=7&stop=2&unit=247&timeout=80")));
    EXPECT_TRUE(Child<QRadioButton>("kindRtu")->isChecked());
    EXPECT_EQ(Child<QComboBox>("rtuParity")->currentText(), u8("奇 (O)"));
    ASSERT_TRUE(dlg.SetChoice(QStringLiteral("tcp://drive.local?unit=9")));   // port left out: 502, no timeout
    EXPECT_TRUE(Child<QRadioButton>("kindTcp")->isChecked());
    EXPECT_EQ(dlg.Choice(), QStringLiteral("tcp://drive.local:502?unit=9"));

    ASSERT_TRUE(dlg.SetChoice(CHostDrive::Simulated()));
    EXPECT_TRUE(Child<QRadioButton>("kindSim")->isChecked());
    // Not a drive: the fields keep the simulated choice.
    EXPECT_FALSE(dlg.SetChoice(QStringLiteral("udp://1.2.3.4")));
    EXPECT_FALSE(dlg.SetChoice(QStringLiteral("tcp://h:502?unit=1&speed=9")));
    EXPECT_EQ(dlg.Choice(), CHostDrive::Simulated());
}

TEST_F(ConnectDialogTest, TestingADriveReportsTheRegisterItReadOrTheErrorInBoundedTimeAndClosingCutsItShort)
{
    auto sim = StartSim();
    sim->SetRegister(0x1B08, 37);
    dlg.show();
    ASSERT_TRUE(dlg.SetChoice(QString::fromStdString(sim->Url())));
    EXPECT_EQ(RunTest(), u8("连接成功: H1B-08 (凸轮点数) = 37"));
    EXPECT_EQ(sim->RequestCount(), 2u);   // the read and its closing probe

    // The built-in drive, started by the test itself.
    Click("kindSim");
    EXPECT_EQ(RunTest(), u8("连接成功: H1B-08 (凸轮点数) = 0"));
    ASSERT_NE(drive.Simulator(), nullptr);
    drive.Simulator()->SetRegister(0x1B08, 1234);
    EXPECT_EQ(RunTest(), u8("连接成功: H1B-08 (凸轮点数) = 1234"));
    EXPECT_EQ(drive.Simulator()->RequestCount(), 4u);

    // A closed port, a silent drive and a refusing one: the error, in bounded time.
    auto closed = StartSim();
    const QString url = QString::fromStdString(closed->Url());
    closed->Stop();
    ASSERT_TRUE(dlg.SetChoice(url));
    EXPECT_EQ(RunTest(), u8("连接失败: 无法连接驱动器"));
    EXPECT_LT(lastTestMs, 3000);

    // A drive that takes every request and never answers: one response
    // timeout (the URL's 300 ms) and the dialog says so; it kept serving
    // events meanwhile (RunTest saw "正在测试连接..." and waited in its loop).
    SimFaults silent;
    silent.dropRate = 1.0;
    auto mute = ecamtest::StartSimWithFaults(silent);
    ASSERT_TRUE(dlg.SetChoice(QString::fromStdString(mute->Url()) + QStringLiteral("&timeout=300")));
    EXPECT_EQ(RunTest(), u8("连接失败: 驱动器在超时时间内无应答"));
    EXPECT_GE(lastTestMs, 250);
    EXPECT_LT(lastTestMs, 3000);
    // Closing a dialog during such a test waits no longer than the request, cut short.
    QElapsedTimer clock;
    {
        CConnectDialog closing(drive, ui);
        ASSERT_TRUE(closing.SetChoice(QString::fromStdString(mute->Url()) + QStringLiteral("&timeout=20000")));
        const uint64_t seen = mute->RequestCount();
        closing.TestConnection();
        ASSERT_TRUE(mute->WaitRequests(seen + 1, 5000));
        clock.start();
    }
    EXPECT_LT(clock.elapsed(), 2000);

    // A drive that refuses the read.
    auto refusing = StartSim();
    refusing->ScriptFault(1, {SimScriptedFault::Exception, 2});
    ASSERT_TRUE(dlg.SetChoice(QString::fromStdString(refusing->Url())));
    EXPECT_EQ(RunTest(), u8("连接失败: 驱动器拒绝请求 (异常码 02: 非法数据地址)"));
}

TEST_F(HostLinkTest, ConnectingAnotherDriveThroughTheMenuMovesThePanelToIt)
{
    EXPECT_EQ(ReadParametersThroughPanel(), u8("读取成功!"));
    QTRY_COMPARE(window->LinkText(), u8("通信正常"));
    const uint64_t readOfA = a->RequestCount();
    const uint64_t readOfB = b->RequestCount();
    EXPECT_GT(readOfA, 0u);

    QWidget* const panelBefore = PanelItem("RAZuvavivezUzoDlg");
    QString shown;
    ModalDriver<CConnectDialog> connect([&](CConnectDialog* dlg) {
        shown = dlg->Choice();
        Type(dlg->findChild<QSpinBox*>(QStringLiteral("tcpPort")), QString::number(b->Port()));
        QTest::mouseClick(dlg->findChild<QWidget*>(QStringLiteral("buttonBox"))->findChildren<QPushButton*>().first(),
                          Qt::LeftButton);
    });
    window->findChild<QAction*>(QStringLiteral("connectDrive"))->trigger();
    ASSERT_TRUE(connect.Ran());
    EXPECT_EQ(shown, UrlOf(*a));   // the dialog opens on the drive in use

    EXPECT_EQ(drive.Choice(), UrlOf(*b));
    EXPECT_EQ(RememberedDevice(), UrlOf(*b));
    EXPECT_EQ(window->StatusText(), u8("驱动器: Modbus TCP 127.0.0.1:%1 站号 1").arg(b->Port()));
    EXPECT_EQ(window->LinkText(), u8("未通信"));
    EXPECT_TRUE(ui->boxes.Calls().empty());
    // Another drive keeps the panel, and with it the cam and its history.
    EXPECT_EQ(PanelItem("RAZuvavivezUzoDlg"), panelBefore);

    EXPECT_EQ(ReadParametersThroughPanel(), u8("读取成功!"));
    EXPECT_EQ(a->RequestCount(), readOfA);
    EXPECT_GT(b->RequestCount(), readOfB);
    QTRY_COMPARE(window->LinkText(), u8("通信正常"));

    // The same drive again: nothing to change, the panel keeps its cam.
    QWidget* panel = PanelItem("RAZuvavivezUzoDlg");
    EXPECT_TRUE(window->Reconnect(QStringLiteral("tcp://127.0.0.1:%1").arg(b->Port())));
    EXPECT_EQ(PanelItem("RAZuvavivezUzoDlg"), panel);
}

TEST_F(HostLinkTest, AReconnectWhileATransferRunsIsRefusedAndWorksAfterIt)
{
    // The panel reads the special points back from drive A (3 of them,
    // paced as in the product), offers to save them (declined) and reports.
    constexpr int kTurns = 100000000;   // a bound on event-loop turns; the drive answers long before
    ModalDriver<QFileDialog> save([](QFileDialog* d) { d->reject(); }, kTurns);
    QString endBox;
    ModalDriver<QMessageBox> end(
        [&](QMessageBox* m) {
            endBox = m->text();
            m->accept();
        },
        kTurns);
    QTest::mouseClick(PanelItem("idc6028"), Qt::LeftButton);
    ASSERT_TRUE(window->PanelBusy()) << endBox.toStdString();

    EXPECT_FALSE(window->Reconnect(UrlOf(*b)));
    EXPECT_EQ(ui->boxes.Texts(), QStringList{u8("凸轮数据正在传输, 不能更换驱动器。\n请等传输结束后再连接。")});
    EXPECT_EQ(drive.Choice(), UrlOf(*a));
    EXPECT_EQ(window->StatusText(), u8("驱动器: Modbus TCP 127.0.0.1:%1 站号 1").arg(a->Port()));

    QTRY_VERIFY_WITH_TIMEOUT(end.Ran(), 30000);
    EXPECT_TRUE(save.Ran());
    EXPECT_EQ(endBox, u8("凸轮点读取成功!"));
    EXPECT_FALSE(window->PanelBusy());
    EXPECT_TRUE(window->Reconnect(UrlOf(*b)));
    EXPECT_EQ(drive.Choice(), UrlOf(*b));
}

TEST_F(HostLinkTest, TheStatusLineShowsTheLastExchangeOfAnyThread)
{
    CModbusDataSrv* srv = drive.SelectedService();
    ASSERT_NE(srv, nullptr);
    auto readOnWorker = [srv](int times) {
        std::thread worker([srv, times] {
            for (int i = 0; i < times; ++i) {
                uint16_t words[2];
                srv->ReadValue(0x1B08, 16, words, 1000);
            }
        });
        worker.join();
    };
    EXPECT_EQ(window->LinkText(), u8("未通信"));
    readOnWorker(200);
    QTRY_COMPARE(window->LinkText(), u8("通信正常"));

    a->ScriptFault(a->RequestCount() + 1, {SimScriptedFault::Exception, 4});
    readOnWorker(1);
    QTRY_COMPARE(window->LinkText(), u8("通信失败: 驱动器拒绝请求 (异常码 04: 从站设备故障)"));
    readOnWorker(1);
    QTRY_COMPARE(window->LinkText(), u8("通信正常"));

    // The drive goes away: the link breaks, then it cannot be opened again.
    a->Stop();
    readOnWorker(2);
    QTRY_COMPARE(window->LinkText(), u8("通信失败: 无法连接驱动器"));

    // After a switch, the old drive's exchanges no longer count.
    ASSERT_TRUE(window->Reconnect(UrlOf(*b)));
    readOnWorker(1);   // still the old service: fails again
    QCoreApplication::processEvents();
    EXPECT_EQ(window->LinkText(), u8("未通信"));
}
