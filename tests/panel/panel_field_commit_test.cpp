// Committing the master length and unit fields: Enter, a click elsewhere,
// Tab (no commit), the range checks and the unit's enabling.
#include "tests/support/panel_harness.h"

namespace {

const QString kTooSmall = QString::fromUtf8("主轴长度不能小于10");
const QString kTooLarge = QString::fromUtf8("主轴长度不能大于1000000");
const QString kNotANumber = QString::fromUtf8("请输入一个正整数。");

}  // namespace

TEST_F(PanelTest, MasterLengthEnterScalesCamAndRejectsOutOfRangeValues)
{
    // (The cam, the table, the history and the field after an accepted,
    // refused or unchanged length: the table's property test.)
    // (How the cam scales: the point set's own test.)
    TypeMasterLength("2000", Qt::Key_Return);
    TypeMasterLength("4000", Qt::Key_Enter);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Points().back().master, 4000.0);

    // 9 and 1000001 are refused with their messages, what does not parse
    // with another; the field keeps the focus.
    for (const char* bad : {"9", "1000001", "12abc", "-50", "", "99999999999"}) {
        TypeMasterLength(bad, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), Edit(IDC_EDIT_MASTER_LEN)) << bad;
    }
    ASSERT_EQ(boxes.Texts(), (QStringList{kTooSmall, kTooLarge, kNotANumber, kNotANumber, kNotANumber, kNotANumber}));
    EXPECT_EQ(boxes.Calls()[0].owner, dlg);
    EXPECT_EQ(boxes.Calls()[0].buttons, MB_OK);

    // Both limits themselves are accepted.
    for (uint32_t len : {10u, 1000000u}) {
        TypeMasterLength(QString::number(len), Qt::Key_Return);
        EXPECT_EQ(Points().back().master, static_cast<double>(len));
    }
    EXPECT_EQ(boxes.Calls().size(), 6u);
}

TEST_F(PanelTest, ClickElsewhereCommitsBeforeTheClickButTabDoesNot)
{
    TypeMasterLength("1500");
    // Tab moves the focus on without committing.
    QTest::keyClick(Edit(IDC_EDIT_MASTER_LEN), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), Edit(IDC_EDIT_MASTER_LEN));
    EXPECT_EQ(Points().back().master, 1000.0);
    EXPECT_EQ(dlg->MasterLength(), 1000u);

    // A click on the table commits the field; the table already shows the
    // new cam when it handles that click (row 1 gets selected).
    QTest::mouseClick(Edit(IDC_EDIT_MASTER_LEN), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), Edit(IDC_EDIT_MASTER_LEN));
    const QRect cell = Table()->visualRect(Table()->model()->index(1, 1));
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Points().back().master, 1500.0);
    EXPECT_EQ(Table()->GetFirstSelectedRow(), 1);

    // A click inside the field itself commits nothing.
    TypeMasterLength("5");
    QTest::mouseClick(Edit(IDC_EDIT_MASTER_LEN), Qt::LeftButton);
    EXPECT_TRUE(boxes.Calls().empty());

    // A click on a plain label also commits, exactly once.
    QTest::mouseClick(dlg->GetDlgItem(6001), Qt::LeftButton);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("主轴长度不能小于10")});
    EXPECT_EQ(QApplication::focusWidget(), Edit(IDC_EDIT_MASTER_LEN));

    // A refused value committed by a click on the table: one message, the
    // focus comes back to the field (the cam stays: the property test).
    TypeMasterLength("5");
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(boxes.Calls().size(), 2u);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit(IDC_EDIT_MASTER_LEN)));

    // A right click elsewhere is not a commit.
    TypeMasterLength("1200");
    QTest::mouseClick(Table()->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(Points().back().master, 1500.0);
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(PanelTest, UnitCommitEnablesScalingFieldsAndCopiesTheUnitName)
{
    const int scaling[] = {6012, 6010, 6013, 6011, 6006};
    QTest::mouseClick(Edit(IDC_EDIT_UNIT), Qt::LeftButton);
    for (QChar c : QString::fromUtf8("毫米"))
        QTest::sendKeyEvent(QTest::Click, Edit(IDC_EDIT_UNIT), Qt::Key_unknown, QString(c), Qt::NoModifier);
    ASSERT_EQ(Edit(IDC_EDIT_UNIT)->text(), QString::fromUtf8("毫米"));
    QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Return);
    for (int id : scaling)
        EXPECT_TRUE(dlg->GetDlgItem(id)->isEnabled()) << id;
    // (The unit labels after Enter: the text-fit test; the cam left alone:
    // the table's property test.)

    // Emptying the unit and clicking elsewhere disables them again.
    Edit(IDC_EDIT_UNIT)->selectAll();
    QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Delete);
    QTest::mouseClick(SpeedCurve(), Qt::LeftButton, {}, QPoint(5, 5));
    for (int id : scaling)
        EXPECT_FALSE(dlg->GetDlgItem(id)->isEnabled()) << id;
    EXPECT_TRUE(dlg->GetDlgItemText(6016).isEmpty() && dlg->GetDlgItemText(6017).isEmpty());

    // Other ids commit nothing typed: neither the unit nor the length.
    Edit(IDC_EDIT_UNIT)->setText(QStringLiteral("mm"));
    Edit(IDC_EDIT_MASTER_LEN)->setText(QStringLiteral("2000"));
    SendModuleMessage(dlg, WM_UNI_EDIT_ENTER, 6010, 0);
    EXPECT_TRUE(!dlg->GetDlgItem(6012)->isEnabled() && dlg->MasterLength() == 1000u);
}
