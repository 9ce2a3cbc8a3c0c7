// The host application shell: command line, the panel embedded through the
// exported API and kept at the frame's size, the About text.
#include "app/host_options.h"
#include "app/host_window.h"
#include "ecam_version.h"
#include "ui/panel_settings.h"

#include <QAction>

#include <QTemporaryDir>
#include <QImage>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

TEST(HostOptionsTest, ParsesDeviceScreenshotAndSizeAndRejectsMistakes)
{
    HostOptions o;
    QString why;
    ASSERT_TRUE(ParseHostOptions({"--device", "tcp://127.0.0.1:1502?unit=1", "--screenshot", "a.png", "--size",
                                  "800x600"},
                                 o, &why));
    EXPECT_EQ(o.device, "tcp://127.0.0.1:1502?unit=1");
    EXPECT_EQ(o.screenshot, "a.png");
    EXPECT_EQ(o.size, QSize(800, 600));

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
}

TEST(HostWindowTest, PanelFillsTheFrameAndFollowsEveryResize)
{
    CHostWindow window(QStringLiteral("tcp://127.0.0.1:1?unit=1"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.StatusText().contains("tcp://127.0.0.1:1?unit=1"));

    QWidget* panel = window.Frame()->findChild<QWidget*>(QStringLiteral("RAZuvavivezUzoDlg"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    window.SetPanelSize(QSize(800, 600));
    QTRY_COMPARE(panel->geometry(), QRect(0, 0, 800, 600));

    window.SetPanelSize(QSize(1000, 700));
    QTRY_COMPARE(panel->size(), QSize(1000, 700));

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

    // Closing the window destroys the panel through the API.
    QPointer<QWidget> watch(panel);
    window.close();
    EXPECT_TRUE(watch.isNull());
}

TEST(HostWindowTest, AboutTextCarriesTheProjectVersion)
{
    const QString text = CHostWindow::AboutText();
    EXPECT_TRUE(text.contains(QString("%1.%2.%3.0").arg(ECAM_VERSION_MAJOR).arg(ECAM_VERSION_MINOR)
                                  .arg(ECAM_VERSION_PATCH)))
        << text.toStdString();
}

TEST(HostWindowTest, ReadBackSettingIsACheckItemRememberedAcrossRuns)
{
    ASSERT_TRUE(VerifyAfterWriteSetting());   // on until the user says otherwise
    {
        CHostWindow window(QStringLiteral("sim"));
        auto* item = window.findChild<QAction*>(QStringLiteral("verifyAfterWrite"));
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->isCheckable() && item->isChecked());
        item->trigger();
        EXPECT_FALSE(VerifyAfterWriteSetting());
    }
    // A later run starts with the user's choice.
    CHostWindow again(QStringLiteral("sim"));
    auto* item = again.findChild<QAction*>(QStringLiteral("verifyAfterWrite"));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(VerifyAfterWriteSetting());
}
