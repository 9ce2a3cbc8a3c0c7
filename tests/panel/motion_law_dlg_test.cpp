// The motion-law dialog driven from the keyboard inside the panel: segments
// typed into the table, a law picked from its list, a tolerance the point
// limit cannot meet (exact message, OK off), and OK replacing the cam and
// the master length as one step that undo takes back whole.
#include "tests/support/panel_harness.h"
#include "ui/panel/motion_law_dlg.h"
#include "ui/panel/motion_law_preview.h"

#include <QTableWidget>

namespace {

class MotionLawDialog : public PanelHarness {};

// Keys go where the user's keys go: to the widget with the focus.
void Keys(const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
        QCoreApplication::processEvents();  // the delegate commits through a queued call
    }
}

const std::vector<DesignSegment> kExample = RiseDwellReturnDwell(3600);  // 1200, 1800, 3000, 3600

} // namespace

TEST_F(MotionLawDialog, KeyboardDesignReplacesTheCamAsOneUndoableStep)
{
    std::vector<ECamPoint> before, after;
    dlg->GetPoints(before);
    CamDesign expected;
    DesignError e;
    ASSERT_TRUE(DesignCam(kExample, {0.01, 272}, expected, e));
    DesignError unreachable;
    CamDesign unused;
    ASSERT_FALSE(DesignCam(kExample, {0.0001, 272}, unused, unreachable));

    ModalDriver<CMotionLawDlg> driver([&](CMotionLawDlg* d) {
        auto* table = d->findChild<QTableWidget*>("segmentTable");
        auto* report = d->findChild<QTableWidget*>("report");
        auto* ok = d->findChild<QPushButton*>("ok");
        ASSERT_EQ(table->rowCount(), 4);  // rise, dwell, return, dwell over the panel's 1000
        EXPECT_EQ(table->item(2, 0)->text(), "修正正弦");
        EXPECT_EQ(table->item(2, 1)->text(), "833");
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->hasFocus(); }, 5000));
        Key(Qt::Key_Right);
        for (const char* end : {"1200", "1800", "3000", "3600"}) {
            Keys(end);
            Key(Qt::Key_Return);
            Key(Qt::Key_Down);
        }
        EXPECT_EQ(d->Segments().size(), 4u);
        EXPECT_EQ(d->Design().points, expected.points);
        EXPECT_EQ(d->StatusText(), QString("共 %1 个关键点, 位置偏差最大 %2。")
                                       .arg(expected.points.size())
                                       .arg(QString::asprintf("%.6f", expected.segments[2].maxPositionDeviation)));
        EXPECT_EQ(report->item(1, 2)->text(), "2");
        EXPECT_FALSE(d->findChild<CMotionLawPreview*>("preview")->Samples().empty());

        // The rise as 3-4-5 needs no point inside; then back to cycloidal.
        Key(Qt::Key_Up, {}, 4);
        Key(Qt::Key_Left);
        Key(Qt::Key_F2);
        Key(Qt::Key_Down, {}, 3);
        Key(Qt::Key_Return);
        EXPECT_EQ(table->item(0, 0)->text(), "3-4-5 多项式");
        EXPECT_EQ(report->item(0, 2)->text(), "2");
        Key(Qt::Key_F2);
        Key(Qt::Key_Up, {}, 3);
        Key(Qt::Key_Return);

        Key(Qt::Key_T, Qt::AltModifier);
        Key(Qt::Key_A, Qt::ControlModifier);
        Keys("0.0001");
        EXPECT_EQ(d->StatusText(),
                  QString("位置容差 0.0001 需要超过 272 个关键点; 272 个关键点能达到的最小容差为 %1。")
                      .arg(unreachable.bestTolerance));
        EXPECT_FALSE(ok->isEnabled());
        Key(Qt::Key_A, Qt::ControlModifier);
        Keys("0.01");
        EXPECT_TRUE(ok->isEnabled());
        Key(Qt::Key_Return);
    });
    ASSERT_TRUE(dlg->ShowMotionLawDialog());
    EXPECT_TRUE(driver.Ran());
    dlg->GetPoints(after);
    EXPECT_EQ(after, expected.points);
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_MASTER_LEN), "3600");

    ASSERT_TRUE(dlg->UndoCamEdit());
    dlg->GetPoints(after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_MASTER_LEN), "1000");
    ASSERT_TRUE(dlg->RedoCamEdit());
    dlg->GetPoints(after);
    EXPECT_EQ(after, expected.points);
}
