// The host application shell: command line, the panel embedded through the
// exported API and kept at the frame's size, the motion-law entry that
// reaches the panel's dialog, the About text, what the host remembers.
#include "app/host_drive.h"
#include "app/host_options.h"
#include "app/host_settings.h"
#include "app/host_window.h"
#include "ecam_version.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "cam/cam_design.h"
#include "tests/support/modal_driver.h"
#include "tests/support/modal_ui_recorder.h"
#include "ui/panel_settings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QImage>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

#include <tuple>

TEST(HostOptionsTest, ParsesDeviceScreenshotAndSizeRejectsMistakesAndSizesTheFirstWindow)
{
    HostOptions o;
    QString why;
    ASSERT_TRUE(ParseHostOptions({"--device", "tcp://127.0.0.1:1502?unit=1", "--screenshot", "a.png", "--size",
                                  "800x600"},
                                 o, &why));
    EXPECT_EQ(std::tie(o.device, o.screenshot, o.size),
              std::make_tuple(QStringLiteral("tcp://127.0.0.1:1502?unit=1"), QStringLiteral("a.png"), QSize(800, 600)));

    HostOptions d;
    ASSERT_TRUE(ParseHostOptions({}, d, &why));
    EXPECT_TRUE(d.device.isEmpty());
    EXPECT_EQ(d.size, QSize(1280, 800));

    for (const QStringList& bad : {QStringList{"--size", "800*600"}, QStringList{"--size", "0x600"},
                                   QStringList{"--device"}, QStringList{"--bogus"}}) {
        HostOptions x;
        why.clear();
        EXPECT_FALSE(ParseHostOptions(bad, x, &why)) << bad.join(' ').toStdString();
        EXPECT_FALSE(why.isEmpty());
    }

    // The first window fits the screen: a 1366 x 768 laptop offers about 1366 x 728 below its panel.
    EXPECT_EQ(CHostWindow::FirstWindowSize(QSize(1366, 728)), QSize(1280, 688));
    EXPECT_EQ(CHostWindow::FirstWindowSize(QSize(1920, 1040)), QSize(1280, 800));
    // About carries the package version, as dpkg names it.
    EXPECT_EQ(CHostWindow::AboutText(), QString::fromUtf8("电子凸轮编辑器\n版本 %1.%2.%3")
                                            .arg(ECAM_VERSION_MAJOR).arg(ECAM_VERSION_MINOR).arg(ECAM_VERSION_PATCH));
}

namespace {

IDeviceManage* Devices()
{
    return CSingleton<CLogicManage>::Instance()->GetDeviceManage();
}

} // namespace

TEST(HostWindowTest, PanelFillsTheFrameTakesAMotionLawAndReadBackGeometryAndDriveOutliveTheWindow)
{
    const QString first = QStringLiteral("tcp://127.0.0.1:1?unit=4");
    const QString second = QStringLiteral("rtu:/dev/ttyECAM9?baud=9600&parity=E&data=8&stop=1&unit=2");
    CHostDrive drive(Devices());
    ASSERT_TRUE(drive.Select(QStringLiteral("tcp://127.0.0.1:1?unit=1"), nullptr));
    {
        CHostWindow window(drive, std::make_shared<CModalUiRecorder>());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_FALSE(window.windowIcon().pixmap(32).isNull());

        QWidget* panel = window.Frame()->findChild<QWidget*>(QStringLiteral("RAZuvavivezUzoDlg"));
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(panel->isVisible());
        window.SetPanelSize(QSize(1000, 700));
        QTRY_COMPARE(panel->geometry(), QRect(0, 0, 1000, 700));

        // The picture has the panel's size and is not blank.
        QTemporaryDir dir;
        const QString path = dir.filePath("panel.png");
        ASSERT_TRUE(window.SavePanelPicture(path));
        QImage img(path);
        ASSERT_EQ(img.size(), QSize(1000, 700));
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); y += 7)
            for (int x = 0; x < img.width(); x += 7)
                colours.insert(img.pixel(x, y));
        EXPECT_GT(colours.size(), 3);

        // 凸轮 › 运动规律...: the default laws over the panel's length 1000,
        // accepted as they are, replace the cam (the dialog lives in the plug-in,
        // so it is known here by name only); the table lists each key point.
        auto* entry = window.findChild<QAction*>(QStringLiteral("motionLaws"));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text(), QString::fromUtf8("运动规律..."));
        ModalDriver<QDialog> driver([](QDialog* d) {
            ASSERT_EQ(d->objectName(), "motionLawDlg");
            d->accept();
        });
        entry->trigger();
        EXPECT_TRUE(driver.Ran());
        auto* length = window.Frame()->findChild<QLineEdit*>(QStringLiteral("idc6008"));
        ASSERT_NE(length, nullptr);
        EXPECT_EQ(length->text(), "1000");
        CamDesign expected;
        DesignError e;
        ASSERT_TRUE(DesignCam(RiseDwellReturnDwell(1000), {}, expected, e));
        auto* table = window.Frame()->findChild<QAbstractItemView*>(QStringLiteral("idc6018"));
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->model()->rowCount(), int(expected.points.size()));

        // The read-back setting: a check item, on until the user says otherwise.
        auto* readBack = window.findChild<QAction*>(QStringLiteral("verifyAfterWrite"));
        ASSERT_NE(readBack, nullptr);
        EXPECT_TRUE(VerifyAfterWriteSetting() && readBack->isCheckable() && readBack->isChecked());
        readBack->trigger();
        EXPECT_FALSE(VerifyAfterWriteSetting());
        window.setGeometry(QRect(30, 40, 700, 500));
        ASSERT_TRUE(window.Reconnect(first));
        // Closing the window destroys the panel through the API.
        QPointer<QWidget> watch(panel);
        window.close();
        EXPECT_TRUE(watch.isNull());
    }
    EXPECT_EQ(RememberedDevice(), first);
    {
        CHostWindow window(drive, std::make_shared<CModalUiRecorder>());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.geometry().size(), QSize(700, 500));
        auto* readBack = window.findChild<QAction*>(QStringLiteral("verifyAfterWrite"));
        ASSERT_NE(readBack, nullptr);
        EXPECT_FALSE(readBack->isChecked());   // the user's choice of the run before
        readBack->trigger();
        EXPECT_TRUE(VerifyAfterWriteSetting());
        // Drawing a picture does not change what the user's window keeps.
        window.SetRememberGeometry(false);
        window.SetPanelSize(QSize(500, 400));
        window.close();
    }
    CHostWindow third(drive, std::make_shared<CModalUiRecorder>());
    EXPECT_EQ(third.geometry().size(), QSize(700, 500));

    // Start-up: the command line first (for this run only), then the
    // remembered drive, then the simulated one.
    QString why;
    CHostDrive fromCommandLine(Devices());
    ASSERT_TRUE(SelectStartupDrive(fromCommandLine, second, &why));
    EXPECT_EQ(fromCommandLine.Choice(), second);
    EXPECT_EQ(RememberedDevice(), first);
    CHostDrive fromSettings(Devices());
    ASSERT_TRUE(SelectStartupDrive(fromSettings, QString(), &why));
    EXPECT_EQ(fromSettings.Choice(), first);
    EXPECT_TRUE(why.isEmpty());
    CHostDrive badCommandLine(Devices());
    EXPECT_FALSE(SelectStartupDrive(badCommandLine, QStringLiteral("tcp://h:70000"), &why));
    EXPECT_EQ(why, QStringLiteral("tcp://h:70000 中的 TCP 端口无效"));
    RememberDevice(QStringLiteral("serial:COM3"));
    CHostDrive fallback(Devices());
    why.clear();
    ASSERT_TRUE(SelectStartupDrive(fallback, QString(), &why));
    EXPECT_EQ(fallback.Choice(), CHostDrive::Simulated());
    EXPECT_TRUE(why.startsWith(QString::fromUtf8("上次的驱动器 serial:COM3 不可用: "))) << why.toStdString();
    ASSERT_NE(fallback.Simulator(), nullptr);
    EXPECT_EQ(fallback.Describe(),
              QString::fromUtf8("内置模拟驱动器 (Modbus TCP 127.0.0.1:%1 站号 1)").arg(fallback.Simulator()->Port()));
    RememberDevice(QString());
}
