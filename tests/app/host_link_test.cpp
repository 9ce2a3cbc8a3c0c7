// The host and its drive: connecting another drive through the 驱动器 menu
// moves the panel to it, a running transfer refuses that, and the status
// line follows the outcome of the exchanges, whichever thread made them.
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
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace {

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

using ecamtest::StartSim;

QString UrlOf(const CDriveSimulator& sim)
{
    return QString::fromStdString(sim.Url());
}

class HostLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = StartSim();
        b = StartSim();
        a->SetRegister(0x1B08, 3);
        b->SetRegister(0x1B08, 7);
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

    // What the panel's parameter dialog reads for H1B-08 when the user ticks
    // every row and clicks read ("" when the dialog did not show it).
    QString ReadCamPointCountThroughPanel()
    {
        QString value, box;
        ModalDriver<QDialog> params([&](QDialog* dlg) {
            QTest::mouseClick(dlg->findChild<QCheckBox*>(QStringLiteral("idc6022")), Qt::LeftButton);
            ModalDriver<QMessageBox> done([&](QMessageBox* m) {
                box = m->text();
                m->accept();
            });
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("idc6019")), Qt::LeftButton);
            EXPECT_TRUE(done.Ran());
            auto* list = dlg->findChild<QTableWidget*>(QStringLiteral("idc6023"));
            for (int r = 0; list && r < list->rowCount(); ++r)
                if (list->item(r, 0) && list->item(r, 0)->text() == QStringLiteral("H1B-08"))
                    value = list->item(r, 2)->text();
        });
        QTest::mouseClick(PanelItem("idc6005"), Qt::LeftButton);
        EXPECT_TRUE(params.Ran());
        EXPECT_EQ(box, u8("读取成功!")) << box.toStdString();
        return value;
    }

    std::unique_ptr<CDriveSimulator> a, b;
    CHostDrive drive{CSingleton<CLogicManage>::Instance()->GetDeviceManage()};
    std::shared_ptr<CModalUiRecorder> ui = std::make_shared<CModalUiRecorder>();
    std::unique_ptr<CHostWindow> window;
};

} // namespace

TEST_F(HostLinkTest, ConnectingAnotherDriveThroughTheMenuMovesThePanelToIt)
{
    EXPECT_EQ(ReadCamPointCountThroughPanel(), QStringLiteral("3"));
    QTRY_COMPARE(window->LinkText(), u8("通信正常"));
    const uint64_t readOfA = a->RequestCount();
    const uint64_t readOfB = b->RequestCount();

    QWidget* const panelBefore = PanelItem("RAZuvavivezUzoDlg");
    QString shown;
    ModalDriver<CConnectDialog> connect([&](CConnectDialog* dlg) {
        shown = dlg->Choice();
        auto* port = dlg->findChild<QSpinBox*>(QStringLiteral("tcpPort"));
        port->setFocus();
        QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(port, QString::number(b->Port()));
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

    EXPECT_EQ(ReadCamPointCountThroughPanel(), QStringLiteral("7"));
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
    ASSERT_EQ(ui->boxes.Calls().size(), 1u);
    EXPECT_EQ(ui->boxes.Calls()[0].text, u8("凸轮数据正在传输, 不能更换驱动器。\n请等传输结束后再连接。"));
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
