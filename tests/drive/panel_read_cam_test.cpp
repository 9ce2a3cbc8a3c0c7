// "从驱动器读取凸轮表" end to end against the simulated drive: the drive's
// standard table becomes the cam as one undoable step, and a table the
// panel cannot trust leaves the cam as it was.
#include "drive/cam_table.h"
#include "panel_on_sim.h"

TEST_F(PanelOnSim, ReadCamFromDriveOpensTheDriveTableAsOneUndoStepOrRefusesIt)
{
    SetProfile(4, 10.0, 1.0);
    CommitUnit("mm");   // unsaved: the read asks first
    const std::vector<ECamPoint> before = Points();
    const uint32_t lengthBefore = dlg->MasterLength();
    // Three points as the drive holds them: master and slave (32 bits), speed, segment code; point 0 all 0.
    ecamtest::SetRegs(*link.sim, {{camtable::kAddrPointCount, 3}, {0x1E06, 90500, 32}, {0x1E08, -12345, 32},
                                  {0x1E0A, 157}, {0x1E0B, 1}, {0x1E0C, 180000, 32}, {0x1E0E, 2000, 32}, {0x1E10, -3}});

    // Cancelled at the question: nothing read, nothing changed.
    boxes.QueueAnswer(IDCANCEL);
    const uint64_t requests = link.sim->RequestCount();
    EXPECT_FALSE(dlg->ReadCamFromDrive());
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("当前凸轮数据已修改，尚未保存。\n是否先保存到文件?")});
    EXPECT_EQ(link.sim->RequestCount(), requests);

    // Dropping the changes: the drive's points exactly, the length with them.
    boxes.Clear();
    boxes.QueueAnswer(IDNO);
    ASSERT_TRUE(dlg->ReadCamFromDrive());
    EXPECT_TRUE(Progress()->isVisible());
    EXPECT_FALSE(Item(IDC_BTN_STD_WRITE)->isEnabled());
    EXPECT_EQ(WaitForEnd(), "从驱动器读取凸轮表成功! 共3点。\n速度按驱动器保存的精度读回, 保留两位小数。");
    const std::vector<ECamPoint> read = {
        {0.0, 0.0, 0.0, kECamPoly}, {90.5, -12.345, 1.57, kECamLinear}, {180.0, 2.0, -0.03, kECamPoly}};
    EXPECT_EQ(Points(), read);
    EXPECT_EQ(dlg->MasterLength(), 180u);
    EXPECT_FALSE(Progress()->isVisible());

    // A count the standard table cannot hold: refused, the cam stays.
    for (int count : {273, 1}) {
        link.sim->SetRegister(camtable::kAddrPointCount, static_cast<uint16_t>(count));
        boxes.QueueAnswer(IDNO);   // the cam read is not saved yet
        ASSERT_TRUE(dlg->ReadCamFromDrive());
        EXPECT_EQ(WaitForEnd(), QString::fromUtf8("从驱动器读取凸轮表失败!\n驱动器中的凸轮点数为%1, 不是2~272内的完整凸轮表")
                                    .arg(count));
        EXPECT_EQ(Points(), read);
    }

    // One step back is the cam and length before the read.
    ASSERT_TRUE(dlg->UndoCamEdit());
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(dlg->MasterLength(), lengthBefore);
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_UNIT), QStringLiteral("mm"));   // only the read was undone
}
