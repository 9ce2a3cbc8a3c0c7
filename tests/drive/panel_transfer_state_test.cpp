// The panel's state holds while a transfer runs: everything that would
// change what is written is locked, and comes back at the transfer's end.
// The worker blocks on its first report until the test processes events,
// so every action below lands while the transfer runs.
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
};

} // namespace

TEST_F(PanelStateDuringTransfer, EverythingThatChangesTheWrittenCamIsLockedUntilTheWriteEnds)
{
    const auto cam = Points();
    StartStandardWrite();
    const int locked[] = {IDC_TABLE,           IDC_CURVE_POSITION,    IDC_CURVE_SPEED,       IDC_EDIT_MASTER_LEN,
                          IDC_EDIT_UNIT,       IDC_EDIT_SLAVE_PULSE,  IDC_EDIT_SLAVE_UNITS,  IDC_EDIT_MASTER_PULSE,
                          IDC_EDIT_MASTER_UNITS, IDC_BTN_IMPORT,      IDC_BTN_SPECIAL_IMPORT, IDC_BTN_FUNCODE};
    for (int id : locked)
        EXPECT_FALSE(Item(id)->isEnabled()) << id;
    // What the user tries meanwhile reaches nothing: a length, a cell, the
    // plot's menu, a drag, undo.
    TypeMasterLength(QStringLiteral("320"), Qt::Key_Return);
    EXPECT_EQ(OpenEditorByClicks(1, kColSlave), nullptr);
    CECamCurveWnd* pos = PositionCurve();
    const QPoint marker = pos->DataToPixel(pos->KeyPoints()[1]);
    const std::size_t menus = ui->menus.Calls().size();
    QTest::mouseClick(pos, Qt::RightButton, {}, marker);
    EXPECT_EQ(ui->menus.Calls().size(), menus);
    QTest::mousePress(pos, Qt::LeftButton, {}, marker);
    QTest::mouseMove(pos, marker + QPoint(0, -30));
    QTest::mouseRelease(pos, Qt::LeftButton, {}, marker + QPoint(0, -30));
    QTest::keyClick(Table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Points(), cam);
    EXPECT_EQ(WaitForEnd(), "烧写凸轮点成功!");
    for (int id : locked)
        EXPECT_TRUE(Item(id)->isEnabled()) << id;
    // The drive holds the cam the panel shows.
    EXPECT_EQ(Points(), cam);
    EXPECT_EQ(static_cast<int32_t>(link.sim->Register32(0x1F00)), 160000);
}
