// The host's 凸轮 › 运动规律... entry reaches the panel's motion-law dialog
// through the exported API; OK there replaces the panel's cam.
#include "app/host_drive.h"
#include "app/host_window.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "tests/support/modal_driver.h"
#include "tests/support/modal_ui_recorder.h"
#include "cam/cam_design.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(HostWindowTest, MotionLawMenuEntryReplacesThePanelsCam)
{
    CHostDrive drive(CSingleton<CLogicManage>::Instance()->GetDeviceManage());
    ASSERT_TRUE(drive.Select(QStringLiteral("tcp://127.0.0.1:1?unit=1"), nullptr));
    CHostWindow window(drive, std::make_shared<CModalUiRecorder>());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* entry = window.findChild<QAction*>(QStringLiteral("motionLaws"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), QString::fromUtf8("运动规律..."));

    // The default laws over the panel's length 1000, accepted as they are.
    // (The dialog lives in the plug-in, so it is known here by name only.)
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
    // The table lists one row per key point.
    auto* table = window.Frame()->findChild<QAbstractItemView*>(QStringLiteral("idc6018"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->model()->rowCount(), int(expected.points.size()));
}
