// Leaving an unsaved cam asks first. (Refused and unchanged commits and the
// plot menu's marker under the pointer: the table's property test.)
#include "files/ecam_file.h"
#include "tests/support/panel_harness.h"

#include <QTemporaryDir>

namespace {

const QString kLeave = QStringLiteral("当前凸轮数据已修改，尚未保存。\n是否先保存到文件?");

class AcceptedState : public PanelTest {
protected:
    QTemporaryDir dir;
    ecam::ECamProfile Saved(const QString& path)
    {
        ecam::ECamProfile p;
        EXPECT_TRUE(ecam::ReadECamProfileFile(path.toStdString(), p));
        return p;
    }
};

} // namespace

TEST_F(AcceptedState, OpeningAnotherProfileAsksFirstWhenTheCamIsUnsaved)
{
    const QString other = dir.filePath(QStringLiteral("other.ecam"));
    files.QueueAnswer(other);
    Click(IDC_BTN_SAVE);   // the default cam, saved: nothing to ask
    files.QueueAnswer(other);
    Click(IDC_BTN_IMPORT);
    EXPECT_TRUE(boxes.Calls().empty());

    ASSERT_TRUE(EditCellText(1, kColSlave, QStringLiteral("7")));
    const auto edited = Points();
    // Cancel: no file dialog, the cam stays.
    boxes.QueueAnswer(IDCANCEL);
    Click(IDC_BTN_IMPORT);
    EXPECT_EQ(boxes.Texts(), QStringList{kLeave});
    EXPECT_EQ(files.Calls().size(), 2u);
    EXPECT_EQ(Points(), edited);
    // Yes: saved first (where the user says), then the other one opens.
    const QString mine = dir.filePath(QStringLiteral("mine.ecam"));
    boxes.QueueAnswer(IDYES);
    files.QueueAnswer(mine);
    files.QueueAnswer(other);
    Click(IDC_BTN_IMPORT);
    EXPECT_EQ(Saved(mine).points, edited);
    EXPECT_EQ(Points(), Saved(other).points);
    EXPECT_FALSE(dlg->History().Modified());
}
