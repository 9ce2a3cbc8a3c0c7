// Cell edits of the key-point table, driven by two clicks and typing: what a
// finished edit leaves in the cam and in the rows. (The ways an edit ends,
// and the rows showing the cam after each: the property test.)
#include "tests/support/cam_match.h"
#include "tests/support/panel_harness.h"

#include "grid/grid_editor_combo_box.h"

namespace {

const std::vector<ECamPoint> kFiveCam{
    Pt(0, 0, 0, kECamPoly), Pt(100, 50, 0, kECamPoly), Pt(200, 100, 0.5, kECamPoly),
    Pt(300, 100, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly),
};

}  // namespace

using TableCellEdit = WidePanelTest;

TEST_F(TableCellEdit, EditsReachTheirOwnPointAndMastersOutsideTheNeighboursAreRefused)
{
    LoadCam(kFiveCam);
    // "ID" is plain text and never edits.
    EXPECT_EQ(OpenEditorByClicks(2, 1), nullptr);

    // A master at and just short of the next point, at and before the
    // previous one is refused and the row restored; the first and the last
    // point have one neighbour only.
    const QStringList masters = Column(2);
    const QString refusal = QStringLiteral("主轴位置必须在前后两点之间，且与相邻点的间距不小于0.002!");
    const std::pair<int, const char*> refused[] = {{2, "300"}, {2, "299.999"}, {2, "100"}, {2, "-5"}, {4, "300"},
                                                   {0, "100"}};
    for (const auto& [row, typed] : refused) {
        SCOPED_TRACE(typed);
        boxes.Clear();
        ASSERT_TRUE(EditCellText(row, 2, QString::fromLatin1(typed)));
        EXPECT_EQ(Points(), kFiveCam);
        EXPECT_EQ(Column(2), masters);
        EXPECT_EQ(boxes.Texts(), QStringList{refusal});
    }
    // Just inside the gap is accepted, also for the last point.
    boxes.Clear();
    ASSERT_TRUE(EditCellText(2, 2, QStringLiteral("299.998")));
    ASSERT_TRUE(EditCellText(4, 2, QStringLiteral("5000")));
    EXPECT_TRUE(ecamtest::SameCam(Points(), {kFiveCam[0], kFiveCam[1], Pt(299.998, 100, 0.5, kECamPoly), kFiveCam[3],
                                             Pt(5000, 0, 0, kECamPoly)}));

    // Type of row 1 through the drop-down list: "Poly" -> "Linear", with the
    // slope the point set gives a Linear point; row 0 is not rewritten
    // (marked to tell).
    Table()->SetItemText(0, 4, QStringLiteral("mark"));
    QWidget* editor = OpenEditorByClicks(1, 5);
    auto* combo = qobject_cast<CGridEditorComboBox*>(editor);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Poly"));
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(Table()->GetActiveEditor(), nullptr);
    EXPECT_EQ(Points()[1], Pt(100, 50, (100.0 - 50) / (299.998 - 100), kECamLinear));
    EXPECT_EQ(Cell(0, 4), QStringLiteral("mark"));

    // Speed of row 2 now follows a line: the point set moves row 2's slave
    // and sets row 1's speed; both rows are rewritten.
    ASSERT_TRUE(EditCellText(2, 4, QStringLiteral("2")));
    const auto pts = Points();
    EXPECT_DOUBLE_EQ(pts[1].speed, 2.0);
    EXPECT_DOUBLE_EQ(pts[2].slave, 50.0 + 199.998 * 2.0);
    EXPECT_TRUE(boxes.Texts().isEmpty());

    // A loaded profile may hold points closer than the master tolerance:
    // each row still edits its own point, never its close neighbour.
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(10, 5, 0, kECamPoly), Pt(10.0004, 6, 0, kECamPoly),
             Pt(100, 0, 0, kECamPoly)});
    ASSERT_TRUE(EditCellText(2, 3, QStringLiteral("7")));
    ASSERT_TRUE(EditCellText(2, 4, QStringLiteral("0.5")));
    editor = OpenEditorByClicks(2, 5);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    const double line = -7 / (100 - 10.0004);   // row 2's new line, which the Poly after it follows
    EXPECT_TRUE(ecamtest::SameCam(Points(), {Pt(0, 0, 0, kECamPoly), Pt(10, 5, 0, kECamPoly),
                                             Pt(10.0004, 7, line, kECamLinear), Pt(100, 0, line, kECamPoly)}));
    EXPECT_EQ(Cell(2, 3), QStringLiteral("7.000"));
    EXPECT_EQ(Cell(1, 3), QStringLiteral("5.000"));
}
