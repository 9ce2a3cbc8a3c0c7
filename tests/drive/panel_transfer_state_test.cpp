// The panel's enabled states hold while a transfer runs: whatever a field
// commit would enable or disable among the controls the transfer holds waits
// for the transfer's end, and then shows the state the commits asked for.
// The worker blocks on its first report until the test processes events,
// so every commit below lands while the transfer runs.
#include "panel_on_sim.h"

#include <QApplication>
#include <QLabel>

namespace {

class PanelStateDuringTransfer : public PanelOnSim {
protected:
    void SetUp() override
    {
        PanelOnSim::SetUp();
        verifyAfterWrite = false;
        // Paced, so the transfer outlasts whatever the test does before it waits.
        ASSERT_NO_FATAL_FAILURE(Recreate({std::chrono::milliseconds(5), 10}));
        host->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
        SetPuu("1000", "1", "1000", "1");
        SetProfile(17, 10.0, 1.0);
    }
    // Starts a standard write with unit "mm" committed.
    void StartStandardWrite()
    {
        CommitUnit("mm");
        Edit(IDC_EDIT_UNIT)->setFocus();
        Click(IDC_BTN_STD_WRITE);
        ASSERT_TRUE(dlg->IsTransferRunning());
    }
    // Starts a special write with no unit: 6006 is disabled at its start.
    void StartSpecialWriteWithoutUnit()
    {
        CommitUnit("");
        Item(IDC_BTN_SPECIAL_WRITE)->setEnabled(true);   // as a successful special import leaves it
        Edit(IDC_EDIT_UNIT)->setFocus();
        Click(IDC_BTN_SPECIAL_WRITE);
        ASSERT_TRUE(dlg->IsTransferRunning());
    }
    void TypeUnit(const char* unit)
    {
        QLineEdit* e = Edit(IDC_EDIT_UNIT);
        e->setFocus();
        e->setText(QString::fromUtf8(unit));
    }
    void WaitForEnd() { QTRY_VERIFY_WITH_TIMEOUT(!dlg->IsTransferRunning(), 20000); }
    bool ScalingFieldsEnabled(bool enabled) const
    {
        for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS})
            if (Item(id)->isEnabled() != enabled)
                return false;
        return true;
    }
};

} // namespace

TEST_F(PanelStateDuringTransfer, UnitCommittedByEnterDuringAWriteKeepsTheWriteButtonsLocked)
{
    StartStandardWrite();
    TypeUnit("mm");
    QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Return);
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    EXPECT_TRUE(ScalingFieldsEnabled(true));
    WaitForEnd();
    EXPECT_TRUE(Item(IDC_BTN_STD_WRITE)->isEnabled());

    // An emptied unit during the next write: the write's end leaves 6006
    // disabled, as the unit asks, with the scaling fields off at once.
    StartStandardWrite();
    TypeUnit("");
    QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Return);
    EXPECT_TRUE(ScalingFieldsEnabled(false));
    EXPECT_EQ(dlg->GetDlgItemText(IDC_LBL_SLAVE_UNIT), QString());
    WaitForEnd();
    EXPECT_TRUE(LastBoxIs("烧写凸轮点成功!"));
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    EXPECT_TRUE(Item(IDC_BTN_FUNCODE)->isEnabled());
}

TEST_F(PanelStateDuringTransfer, UnitCommittedByAClickElsewhereWaitsForTheTransfersEnd)
{
    // Click on a label (no focus change): the pre-filter commits.
    StartSpecialWriteWithoutUnit();
    TypeUnit("deg");
    QTest::mouseClick(Item(IDC_LBL_MASTER_LEN), Qt::LeftButton);
    EXPECT_EQ(dlg->GetDlgItemText(IDC_LBL_MASTER_UNIT), QStringLiteral("deg"));
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    WaitForEnd();
    EXPECT_TRUE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    EXPECT_TRUE(ScalingFieldsEnabled(true));

    // Click on the table (the focus moves there): the focus loss commits.
    StartSpecialWriteWithoutUnit();
    TypeUnit("mm");
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(0, kColId));
    ASSERT_NE(QApplication::focusWidget(), Edit(IDC_EDIT_UNIT));
    EXPECT_EQ(dlg->GetDlgItemText(IDC_LBL_SLAVE_UNIT), QStringLiteral("mm"));
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    WaitForEnd();
    EXPECT_TRUE(Item(IDC_BTN_STD_WRITE)->isEnabled());
}

TEST_F(PanelStateDuringTransfer, MasterLengthCommittedDuringAWriteChangesTheCamNotTheLocksOrTheWrite)
{
    StartStandardWrite();
    TypeMasterLength(QStringLiteral("320"), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(Points().back().master, 320.0);
    for (int id : {IDC_BTN_STD_WRITE, IDC_BTN_FUNCODE, IDC_BTN_IMPORT, IDC_BTN_SPECIAL_IMPORT})
        EXPECT_FALSE(Item(id)->isEnabled()) << id;
    // Again by clicking away from the field.
    TypeMasterLength(QStringLiteral("640"));
    QTest::mouseClick(Item(IDC_LBL_UNIT), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(Points().back().master, 640.0);
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    WaitForEnd();
    EXPECT_TRUE(LastBoxIs("烧写凸轮点成功!"));
    EXPECT_TRUE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    // The drive holds the cam as it was when the write started.
    EXPECT_EQ(static_cast<int32_t>(link.sim->Register32(0x1F00)), 160000);
}
