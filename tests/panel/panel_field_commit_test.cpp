// Committing the master length and unit fields: Enter, a click elsewhere,
// Tab (no commit), the range checks and the unit's enabling.
#include "panel_fixture.h"

#include "ui/message_box.h"

namespace {

const QString kTooSmall = QString::fromUtf8("主轴长度不能小于10");
const QString kTooLarge = QString::fromUtf8("主轴长度不能大于1000000");

}  // namespace

TEST_F(PanelTest, MasterLengthEnterScalesCamAndRejectsOutOfRangeValues)
{
    CMessageBoxRecorder boxes;

    TypeMasterLength("2000", Qt::Key_Return);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(dlg->m_nMasterLength, 2000u);
    EXPECT_EQ(Points().back().master, 2000.0);
    EXPECT_EQ(Cell(1, 2), "2000.000");
    EXPECT_EQ(dlg->m_wndPosition->KeyPoints().back().x, 2000.0);

    // A middle point scales with the length; the same length again changes nothing.
    dlg->m_pointSet.InsertPoint({500.0, 10.0, 0.0, kECamPoly});
    dlg->RefreshTable();
    TypeMasterLength("4000", Qt::Key_Enter);
    ASSERT_EQ(Points().size(), 3u);
    EXPECT_DOUBLE_EQ(Points()[1].master, 1000.0);
    EXPECT_EQ(Cell(1, 2), "1000.000");
    const uint64_t revision = dlg->m_pointSet.Revision();
    QTest::keyClick(dlg->m_editMasterLength, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(Points()[1].master, 1000.0);
    EXPECT_EQ(Points().back().master, 4000.0);
    EXPECT_EQ(dlg->m_pointSet.Revision(), revision);

    // 9 and 1000001 are refused with their messages; the cam stays, the field
    // keeps the rejected text and the focus.
    const auto before = Points();
    for (const char* bad : {"9", "1000001"}) {
        TypeMasterLength(bad, Qt::Key_Return);
        EXPECT_EQ(Points(), before);
        EXPECT_EQ(dlg->m_editMasterLength->text(), bad);
        EXPECT_EQ(QApplication::focusWidget(), dlg->m_editMasterLength);
    }
    ASSERT_EQ(boxes.Texts(), (QStringList{kTooSmall, kTooLarge}));
    EXPECT_EQ(boxes.Calls()[0].owner, dlg);
    EXPECT_EQ(boxes.Calls()[0].buttons, MB_OK);

    // Both limits themselves are accepted.
    for (uint32_t len : {10u, 1000000u}) {
        TypeMasterLength(QString::number(len), Qt::Key_Return);
        EXPECT_EQ(Points().back().master, static_cast<double>(len));
        EXPECT_EQ(Cell(2, 2), QString::asprintf("%.3f", static_cast<double>(len)));
    }
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(PanelTest, MasterLengthThatDoesNotParseIsReportedAndPreviousValueKept)
{
    CMessageBoxRecorder boxes;
    TypeMasterLength("3000", Qt::Key_Return);
    ASSERT_EQ(Points().back().master, 3000.0);

    for (const char* bad : {"12abc", "-50", "", "99999999999"}) {
        TypeMasterLength(QString::fromUtf8(bad), Qt::Key_Return);
        EXPECT_EQ(dlg->m_nMasterLength, 3000u) << bad;
        EXPECT_EQ(Points().back().master, 3000.0) << bad;
    }
    // One data-exchange message per attempt, never a range message.
    ASSERT_EQ(boxes.Calls().size(), 4u);
    for (const QString& text : boxes.Texts())
        EXPECT_EQ(text, QString::fromUtf8("请输入一个正整数。"));
}

TEST_F(PanelTest, ClickElsewhereCommitsBeforeTheClickButTabDoesNot)
{
    CMessageBoxRecorder boxes;
    TypeMasterLength("1500");
    // Tab moves the focus on without committing.
    QTest::keyClick(dlg->m_editMasterLength, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), dlg->m_editMasterLength);
    EXPECT_EQ(Points().back().master, 1000.0);
    EXPECT_EQ(dlg->m_nMasterLength, 1000u);

    // A click on the table commits the field; the table already shows the
    // new cam when it handles that click (row 1 gets selected).
    QTest::mouseClick(dlg->m_editMasterLength, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), dlg->m_editMasterLength);
    const QRect cell = dlg->m_listPoints->visualRect(dlg->m_listPoints->model()->index(1, 1));
    QTest::mouseClick(dlg->m_listPoints->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Points().back().master, 1500.0);
    EXPECT_EQ(Cell(1, 2), "1500.000");
    EXPECT_EQ(dlg->m_listPoints->GetFirstSelectedRow(), 1);

    // A click inside the field itself commits nothing.
    TypeMasterLength("5");
    QTest::mouseClick(dlg->m_editMasterLength, Qt::LeftButton);
    EXPECT_TRUE(boxes.Calls().empty());

    // A click on a plain label also commits, exactly once.
    QTest::mouseClick(dlg->GetDlgItem(6001), Qt::LeftButton);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("主轴长度不能小于10")});
    EXPECT_EQ(QApplication::focusWidget(), dlg->m_editMasterLength);

    // A refused value committed by a click on the table: one message, the
    // focus comes back to the field, the cam stays.
    QTest::mouseClick(dlg->m_listPoints->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(boxes.Calls().size(), 2u);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg->m_editMasterLength));
    EXPECT_EQ(Points().back().master, 1500.0);

    // A right click elsewhere is not a commit.
    TypeMasterLength("1200");
    QTest::mouseClick(dlg->m_listPoints->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(Points().back().master, 1500.0);
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(PanelTest, UnitCommitEnablesScalingFieldsAndCopiesTheUnitName)
{
    const int scaling[] = {6012, 6010, 6013, 6011, 6006};
    QTest::mouseClick(dlg->m_editUnit, Qt::LeftButton);
    for (QChar c : QString::fromUtf8("毫米"))
        QTest::sendKeyEvent(QTest::Click, dlg->m_editUnit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    ASSERT_EQ(dlg->m_editUnit->text(), QString::fromUtf8("毫米"));
    QTest::keyClick(dlg->m_editUnit, Qt::Key_Return);
    for (int id : scaling)
        EXPECT_TRUE(dlg->GetDlgItem(id)->isEnabled()) << id;
    EXPECT_EQ(dlg->GetDlgItemText(6016), QString::fromUtf8("毫米"));
    EXPECT_EQ(dlg->GetDlgItemText(6017), QString::fromUtf8("毫米"));
    EXPECT_EQ(Points().back().master, 1000.0);  // the cam is not touched

    // Emptying the unit and clicking elsewhere disables them again.
    dlg->m_editUnit->selectAll();
    QTest::keyClick(dlg->m_editUnit, Qt::Key_Delete);
    QTest::mouseClick(dlg->m_wndSpeed, Qt::LeftButton, {}, QPoint(5, 5));
    for (int id : scaling)
        EXPECT_FALSE(dlg->GetDlgItem(id)->isEnabled()) << id;
    EXPECT_TRUE(dlg->GetDlgItemText(6016).isEmpty() && dlg->GetDlgItemText(6017).isEmpty());

    // Other commit ids are ignored.
    EXPECT_EQ(SendModuleMessage(dlg, WM_UNI_EDIT_ENTER, 6010, 0), 0);
    EXPECT_EQ(SendModuleMessage(dlg, WM_UNI_EDIT_ENTER, 6008, 0), 0);
}
