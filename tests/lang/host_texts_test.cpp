// The host application in English: its window with the panel inside, its
// menus, the About box, the connect dialog on each of its three pages with
// its checks and its connection test, and its words for drives and drive
// errors hold no Chinese, and the dialog's labels and buttons show whole.
#include "app/connect_dialog.h"
#include "app/drive_text.h"
#include "app/host_drive.h"
#include "app/host_window.h"
#include "host/drive_error.h"
#include "host/logic_manage.h"
#include "tests/lang/ui_text_walk.h"
#include "tests/support/modal_driver.h"
#include "tests/support/modal_ui_recorder.h"
#include "ui/lang/ui_language.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class HostWindowTexts : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kEnglish).panel); }
    void TearDown() override { InstallUiTranslators(*qApp, UiLanguage::kChinese); }

    // Opens a menu of the menu bar and clicks one of its entries, as a user does.
    static void ClickMenuEntry(QMainWindow& window, QAction* entry)
    {
        QMenuBar* bar = window.menuBar();
        auto* menu = qobject_cast<QMenu*>(entry->associatedObjects().value(0));
        ASSERT_TRUE(menu && bar->actions().contains(menu->menuAction()));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }
};

// Clicks the radio button of a kind of link.
void ClickKind(CConnectDialog* d, const char* kind)
{
    auto* radio = d->findChild<QRadioButton*>(QLatin1String(kind));
    ASSERT_NE(radio, nullptr) << kind;
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    EXPECT_TRUE(radio->isChecked()) << kind;
}

} // namespace

TEST_F(HostWindowTexts, WindowMenusAboutConnectDialogAndDriveErrorsSpeakEnglish)
{
    CHostDrive drive(CSingleton<CLogicManage>::Instance()->GetDeviceManage());
    ASSERT_TRUE(drive.Select(QStringLiteral("tcp://127.0.0.1:9?unit=1"), nullptr));
    auto boxes = std::make_shared<CModalUiRecorder>();
    UiTexts texts;
    QStringList cutOff;
    {
        CHostWindow window(drive, boxes);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        CollectWidgetTexts(&window, QStringLiteral("host"), texts);
        // The menus and the panel inside are walked too.
        EXPECT_GT(texts.size(), 30u);

        // Help, the last menu: About, its first entry.
        ClickMenuEntry(window, window.menuBar()->actions().last()->menu()->actions().first());
        const auto& shown = boxes->boxes.Calls();
        ASSERT_EQ(shown.size(), 1u);

        ModalDriver<CConnectDialog> driver([&](CConnectDialog* d) {
            // Each kind of link's page, with whatever it cannot show whole.
            for (const char* kind : {"kindTcp", "kindRtu", "kindSim"}) {
                ClickKind(d, kind);
                CollectWidgetTexts(d, QStringLiteral("connect %1").arg(QLatin1String(kind)), texts);
                cutOff << TextsCutOff(d);
            }

            // The checks of the fields, each refused with its message.
            QPushButton* ok = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok);
            for (const auto& [kind, typed] : {std::pair{"kindTcp", ""}, {"kindTcp", "a b"}, {"kindRtu", ""}}) {
                ClickKind(d, kind);
                QLineEdit* field = kind == std::string("kindTcp")
                                       ? d->findChild<QLineEdit*>(QStringLiteral("tcpHost"))
                                       : d->findChild<QComboBox*>(QStringLiteral("rtuPort"))->lineEdit();
                field->selectAll();
                QTest::keyClick(field, Qt::Key_Delete);
                QTest::keyClicks(field, QLatin1String(typed));
                QTest::mouseClick(ok, Qt::LeftButton);
            }
            EXPECT_TRUE(d->isVisible());

            // The connection test on the simulated drive, waited for with a bound.
            ClickKind(d, "kindSim");
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("testButton")), Qt::LeftButton);
            texts.push_back({QStringLiteral("test running"), d->TestResult()});
            EXPECT_TRUE(QTest::qWaitFor([d] { return !d->TestRunning(); }, 10000));
            texts.push_back({QStringLiteral("test result"), d->TestResult()});
            EXPECT_TRUE(d->TestResult().startsWith(QLatin1String("Connected"))) << d->TestResult().toStdString();
        });
        ClickMenuEntry(window, window.findChild<QAction*>(QStringLiteral("connectDrive")));
        EXPECT_TRUE(driver.Ran());
        // The About box, then three refusals.
        EXPECT_EQ(shown.size(), 4u);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            texts.push_back({QStringLiteral("connect box %1").arg(i), shown[i].text});
            texts.push_back({QStringLiteral("connect box %1 caption").arg(i), shown[i].caption});
        }
    }
    EXPECT_TRUE(cutOff.isEmpty()) << cutOff.join(QLatin1Char('\n')).toStdString();

    // How the status line names drives: a serial one, the simulated one, none.
    for (const QString& url : {QStringLiteral("rtu:/dev/ttyUSB0?baud=115200&parity=E&unit=3&timeout=500"),
                               CHostDrive::Simulated()}) {
        ASSERT_TRUE(drive.Select(url, nullptr));
        texts.push_back({url, drive.Describe()});
    }
    drive.SelectNone();
    texts.push_back({QStringLiteral("none"), drive.Describe()});

    // Every drive error, each kind in words of its own.
    for (int code = DriveError::Ok; code <= DriveError::Cancelled; ++code) {
        texts.push_back({QStringLiteral("error %1").arg(code), DescribeDriveError(DriveError(code))});
        if (code > DriveError::Ok) {
            EXPECT_NE(texts.back().text, texts[texts.size() - 2].text) << code;
        }
    }
    for (int exception = 1; exception <= 12; ++exception)
        texts.push_back({QStringLiteral("exception %1").arg(exception),
                         DescribeDriveError(DriveError::FromException(exception))});
    for (const UiText& t : texts)
        EXPECT_FALSE(HasCjk(t.text)) << t.where.toStdString() << " = " << t.text.toStdString();
}
