// Rows added and deleted: one at a time from the table's context menu
// ("添加点" / "删除点" on the row under the mouse), and as a range through the
// hidden buttons 6030 / 6031 and the row-range dialog (also on its own),
// answered with real keys and clicks.
#include "tests/support/cam_match.h"
#include "tests/support/panel_harness.h"

namespace {

const QString kAdd = QStringLiteral("添加点");
const QString kDelete = QStringLiteral("删除点");
constexpr int L = kECamLinear, P = kECamPoly;
using ecamtest::SameCam;
const std::vector<ECamPoint> kFourCam{Pt(0, 0, 0, P), Pt(100, 10, 0, P), Pt(200, 30, 0, P), Pt(1000, 0, 0, P)};

QLineEdit* Field(CListOperDlg* d, const char* name) { return d->findChild<QLineEdit*>(QString::fromLatin1(name)); }

}  // namespace

using TablePointMenu = WidePanelTest;

TEST_F(TablePointMenu, AddInsertsAfterTheClickedRowAndNothingWithoutARowChangesTheCam)
{
    // Default cam: (0, 0) and (1000, 0), both Poly. A dismissed menu, the
    // menu key (its menu at the focus cell, not at the mouse; none with
    // nothing selected) and a message with no selected row change nothing.
    const auto before = Points();
    ChooseFromRowMenu(1, QString());
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(1, kColSpeed));
    QCursor::setPos(QPoint(3, 3));
    ui->menus.QueueChoice(QString());
    QContextMenuEvent keyMenu(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              Table()->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Table()->viewport(), &keyMenu);
    EXPECT_EQ(ui->menus.Calls().back().screenPos, Table()->viewport()->mapToGlobal(CellCenter(1, kColSpeed)));
    const std::size_t menus = ui->menus.Calls().size();
    Table()->clearSelection();
    ASSERT_EQ(Table()->GetFirstSelectedRow(), -1);
    QApplication::sendEvent(Table()->viewport(), &keyMenu);
    EXPECT_EQ(ui->menus.Calls().size(), menus);
    EXPECT_EQ(SendModuleMessage(dlg, WM_TABLE_POINT_CMD, 1, 0), 0);
    EXPECT_EQ(SendModuleMessage(dlg, WM_TABLE_POINT_CMD, 0, 0), 0);
    EXPECT_EQ(Points(), before);
    ASSERT_EQ(Table()->GetItemCount(), 2);
    EXPECT_EQ(ChooseFromRowMenu(0, kAdd), (QStringList{kAdd, kDelete}));
    // A Poly point after a line takes the line's speed.
    const double down = -1 / 999.9;
    EXPECT_TRUE(SameCam(Points(), {Pt(0, 0, 0, P), Pt(0.1, 1, down, L), Pt(1000, 0, down, P)}));
    // Labels keep the index a row had when it was inserted. (The rows showing
    // the cam after each edit: the property test.)
    EXPECT_EQ(Column(0), (QStringList{"0", "1", "1"}));

    // The right click selects the row it hits: the last row now. The menu
    // offers its entries (ids and texts pinned by the text walk) at the click.
    ui->menus.QueueChoice(CSpecListCtrl::ID_ADD_POINT);
    RightClickRow(2);
    const auto& menu = ui->menus.Calls().back();
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_TRUE(menu.items[0].enabled && menu.items[1].enabled);
    EXPECT_EQ(menu.owner, Table());
    EXPECT_EQ(menu.screenPos, Table()->viewport()->mapToGlobal(CellCenter(2, 1)));
    auto pts = Points();
    pts.back().speed = 0;   // a line at the end has no next point to follow: its speed is not checked
    EXPECT_TRUE(SameCam(pts, {Pt(0, 0, 0, P), Pt(0.1, 1, down, L), Pt(1000, 0, down, P), Pt(1000.1, 1, 0, L)}));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(TablePointMenu, DeleteRelinksTheLineAndAddNextToACloseNeighbourGoesHalfwayOrIsRefused)
{
    // A middle row: its Linear predecessor now runs to the next point. (The
    // first row refused, the last one going: the property test.)
    LoadCam({Pt(0, 0, 0, P), Pt(100, 10, 0, L), Pt(200, 30, 0.2, P), Pt(300, 20, 0, P), Pt(1000, 0, 0, P)});
    ChooseFromRowMenu(2, kDelete);
    EXPECT_TRUE(SameCam(Points(), {Pt(0, 0, 0, P), Pt(100, 10, 0.05, L), Pt(300, 20, 0.05, P), Pt(1000, 0, 0, P)}));
    EXPECT_EQ(Column(0), (QStringList{"0", "1", "3", "4"}));

    LoadCam({Pt(0, 0, 0, P), Pt(0.05, 4, 0, P), Pt(0.053, 6, 0, P), Pt(1000, 0, 0, P)});
    // 0.1 after row 0 would pass row 1: the point goes halfway on the chord.
    ChooseFromRowMenu(0, kAdd);
    EXPECT_TRUE(SameCam(Points(), {Pt(0, 0, 0, P), Pt(0.025, 2, 80, L), Pt(0.05, 4, 80, P), Pt(0.053, 6, 0, P),
                                   Pt(1000, 0, 0, P)}));

    // Rows 2 and 3 lie 0.003 apart: halfway would be too close to tell apart.
    const auto before = Points();
    ChooseFromRowMenu(2, kAdd);
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("相邻两点间距太小，无法在其间增加点!")});
}

using TableRangeOps = WidePanelTest;

TEST_F(TableRangeOps, HiddenButtonsInsertLinearPointsAfterTheStartRowAndDeleteFromIt)
{
    ASSERT_TRUE(Button(6030) && Button(6031));
    EXPECT_FALSE(Button(6030)->isVisible() || Button(6031)->isVisible());

    // Default cam, start 1, count 3: between the two points that were there.
    // Linear speeds are re-derived from the new neighbours; the Poly point
    // after the line takes its speed.
    RunRangeButton(6031, "1", "3");
    const double down = -3 / 999.7;
    const std::vector<ECamPoint> inserted{Pt(0, 0, 0, P), Pt(0.1, 1, 10, L), Pt(0.2, 2, 10, L), Pt(0.3, 3, down, L),
                                          Pt(1000, 0, down, P)};
    EXPECT_TRUE(SameCam(Points(), inserted));

    // Start = rows appends after the last point.
    RunRangeButton(6031, "5", "2");
    std::vector<ECamPoint> appended = inserted, pts = Points();
    appended.insert(appended.end(), {Pt(1000.1, 1, (2.0 - 1) / (1000.2 - 1000.1), L), Pt(1000.2, 2, 0, L)});
    pts.back().speed = 0;   // a line at the end has no next point to follow: its speed is not checked
    EXPECT_TRUE(SameCam(pts, appended));
    EXPECT_TRUE(boxes.Texts().isEmpty());

    LoadCam({Pt(0, 0, 0, P), Pt(0.2, 2, 0, P), Pt(1000, 0, 0, P)});
    // Three steps of 0.1 would pass the point at 0.2.
    RunRangeButton(6031, "1", "3");
    EXPECT_TRUE(SameCam(Points(), {Pt(0, 0, 0, P), Pt(0.05, 0.5, 10, L), Pt(0.1, 1, 10, L), Pt(0.15, 1.5, 10, L),
                                   Pt(0.2, 2, 10, P), Pt(1000, 0, 0, P)}));

    // 200 points into a gap of 0.05 would lie closer than the table can tell.
    const auto before = Points();
    RunRangeButton(6031, "2", "200");
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("相邻两点间距太小，无法在其间增加点!")});

    // A start that reads as 0 and too many rows are refused; a count up to
    // the largest number typed removes everything from the start row on.
    // (Other starts, counts and cancelled dialogs: the property test.)
    boxes.Clear();
    LoadCam(kFourCam);
    RunRangeButton(6030, "abc", "1");
    RunRangeButton(6031, "1", "100001");
    RunRangeButton(6030, "3", "2147483647");
    EXPECT_EQ(boxes.Texts(), (QStringList{QStringLiteral("起始行请规范到2 - 4"), QStringLiteral("操作行数不能大于100000!")}));
    EXPECT_EQ(Points(), (std::vector<ECamPoint>{kFourCam[0], kFourCam[1]}));
}

TEST(ListOperDlg, DefaultsEachTimeAndOnlyOkCopiesTheTexts)
{
    CListOperDlg dlg(QStringLiteral("增加指定行"));
    QStringList shown;  // start and count texts as each opening showed them
    ModalDriver<CListOperDlg> typed([&](CListOperDlg* d) {
        shown << Field(d, "idc6030")->text() << Field(d, "idc6031")->text();
        QTest::keyClick(Field(d, "idc6030"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Field(d, "idc6030"), QStringLiteral("5x"));
        Field(d, "idc6031")->setFocus();
        QTest::keyClicks(Field(d, "idc6031"), QStringLiteral("2"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("idc1")), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    ASSERT_TRUE(typed.Ran());
    EXPECT_EQ(dlg.StartRowText(), QStringLiteral("5x"));
    EXPECT_EQ(dlg.RowCountText(), QStringLiteral("12"));

    // Reopened: the defaults again; Escape cancels and keeps the last texts.
    ModalDriver<CListOperDlg> escaped([&](CListOperDlg* d) {
        shown << Field(d, "idc6030")->text() << Field(d, "idc6031")->text();
        QTest::keyClicks(Field(d, "idc6030"), QStringLiteral("9"));
        QTest::keyClick(Field(d, "idc6030"), Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDCANCEL);
    EXPECT_EQ(shown, (QStringList{"2", "1", "2", "1"}));
    EXPECT_EQ(dlg.StartRowText(), QStringLiteral("5x"));

    // Enter takes the default button, OK.
    ModalDriver<CListOperDlg> entered([&](CListOperDlg* d) { QTest::keyClick(Field(d, "idc6031"), Qt::Key_Return); });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    EXPECT_EQ(dlg.StartRowText(), QStringLiteral("2"));
    EXPECT_EQ(dlg.RowCountText(), QStringLiteral("1"));
}
