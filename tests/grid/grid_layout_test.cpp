// Grid set-up and looks: trait columns and the hidden label column, row
// data and selection, row height factor, the empty-list text, groups and the
// dispatch of context-menu requests.
#include "grid_test_fixture.h"

#include <QHeaderView>
#include <QContextMenuEvent>
#include <QImage>
#include <QWindow>

namespace {

// Counts clearly dark pixels (text, not grid lines) in a rectangle.
int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 110)
                ++dark;
    return dark;
}

class MenuRecordingGrid : public CGridListCtrlGroups {
public:
    using CGridListCtrlGroups::CGridListCtrlGroups;
    QStringList calls;

protected:
    void OnContextMenuKeyboard(QWidget*) override { calls << "keyboard"; }
    void OnContextMenuHeader(QWidget*, const QPoint&, int col) override
    {
        calls << QString("header %1").arg(col);
    }
    void OnContextMenuCell(QWidget*, const QPoint&, int row, int col) override
    {
        calls << QString("cell %1 %2 selected %3").arg(row).arg(col).arg(GetFirstSelectedRow());
    }
    void OnContextMenuGrid(QWidget*, const QPoint&) override { calls << "grid"; }
};

}  // namespace

TEST_F(GridTest, TraitColumnsAndTheHiddenLabelColumn)
{
    EXPECT_EQ(grid->GetColumnCount(), 6);
    EXPECT_TRUE(grid->isColumnHidden(kLabel));
    EXPECT_TRUE(grid->GetColumnTrait(kLabel)->IsAlwaysHidden());
    EXPECT_EQ(grid->horizontalHeaderItem(kLabel)->text(), "");
    EXPECT_EQ(grid->horizontalHeaderItem(kMaster)->text(), "Master");
    EXPECT_EQ(grid->columnWidth(kId), 40);
    EXPECT_EQ(grid->columnWidth(kSpeed), 70);
    EXPECT_EQ(grid->GetColumnTrait(kType), combo);
    EXPECT_EQ(grid->GetColumnTrait(6), nullptr);
    EXPECT_EQ(grid->GetColumnTrait(-1), nullptr);
    EXPECT_TRUE(grid->horizontalHeader()->sectionsMovable());

    // Inserting in the middle moves the later columns and their traits along,
    // cell texts included.
    auto* extra = new CGridColumnTraitText;
    EXPECT_EQ(grid->AddTraitColumn(2, "Extra", Qt::AlignRight, 30, 2, extra), 2);
    EXPECT_EQ(grid->GetColumnTrait(2), extra);
    EXPECT_EQ(grid->GetColumnTrait(kType + 1), combo);
    EXPECT_EQ(grid->GetItemText(1, kMaster + 1), "500.000");
    grid->SetItemText(1, 2, "x");
    EXPECT_EQ(grid->item(1, 2)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Past the end appends; a negative position or no trait fails.
    EXPECT_EQ(grid->AddTraitColumn(99, "Last", Qt::AlignLeft, 30, -1, new CGridColumnTraitText), 7);
    EXPECT_EQ(grid->AddTraitColumn(-1, "Bad", Qt::AlignLeft, 30, -1, new CGridColumnTraitText), -1);
    EXPECT_EQ(grid->AddTraitColumn(1, "Bad", Qt::AlignLeft, 30, 1, nullptr), -1);
    EXPECT_EQ(grid->GetColumnCount(), 8);

    // The hidden column stays out of reach of clicks: the leftmost pixel of
    // a row belongs to the first visible column.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(1, CellCenter(0, kId).y()));
    EXPECT_EQ(grid->GetFocusColumn(), kId);
}

TEST_F(GridTest, RowsDataAndSelection)
{
    EXPECT_EQ(grid->GetItemCount(), 3);
    EXPECT_EQ(grid->GetItemData(2), 2u);
    EXPECT_EQ(grid->GetItemText(2, kLabel), "2");
    // Out-of-range rows insert at the ends.
    EXPECT_EQ(grid->InsertItem(99, "end"), 3);
    EXPECT_EQ(grid->InsertItem(-5, "front"), 0);
    EXPECT_EQ(grid->GetItemText(0, kLabel), "front");
    EXPECT_EQ(grid->GetItemText(4, kLabel), "end");
    EXPECT_EQ(grid->GetItemData(3), 2u);  // data moved with its row
    EXPECT_FALSE(grid->SetItemText(5, kMaster, "x"));
    EXPECT_FALSE(grid->SetItemData(-1, 1));
    EXPECT_EQ(grid->GetItemText(9, kMaster), "");
    EXPECT_EQ(grid->GetItemData(9), 0u);
    EXPECT_TRUE(grid->DeleteItem(0));
    EXPECT_FALSE(grid->DeleteItem(7));
    EXPECT_EQ(grid->GetItemCount(), 4);

    EXPECT_EQ(grid->GetFirstSelectedRow(), -1);
    Click(2, kSlave);
    Click(0, kSlave, Qt::ControlModifier);
    EXPECT_EQ(grid->GetSelectedRows(), (QList<int>{0, 2}));
    EXPECT_EQ(grid->GetFirstSelectedRow(), 0);
    grid->SelectRow(0, false);
    EXPECT_EQ(grid->GetFirstSelectedRow(), 2);
    grid->SetFocusCell(1, kSpeed);
    EXPECT_EQ(grid->GetFocusRow(), 1);
    EXPECT_EQ(grid->GetFocusColumn(), kSpeed);
    EXPECT_EQ(grid->GetSelectedRows(), (QList<int>{2}));  // focus moves, selection stays
    // The focus cell set by code counts for the second-click rule.
    Click(1, kSpeed);
    EXPECT_NE(grid->GetActiveEditor(), nullptr);

    grid->DeleteAllItems();
    EXPECT_EQ(grid->GetItemCount(), 0);
    EXPECT_EQ(grid->GetFocusRow(), -1);
    EXPECT_EQ(grid->GetFirstSelectedRow(), -1);
}

TEST_F(GridTest, RowHeightFactorStretchesRowsNotFonts)
{
    const int fontHeight = QFontMetrics(grid->GetCellFont()).height();
    const QFont headerFont = grid->horizontalHeader()->font();
    const QFont cellFont = grid->GetCellFont();
    EXPECT_DOUBLE_EQ(grid->GetRowHeightFactor(), 1.2);

    grid->SetRowHeightFactor(1.0);
    const int single = grid->rowHeight(0);
    EXPECT_GE(single, fontHeight);
    EXPECT_LT(single, fontHeight * 3 / 2);

    grid->SetRowHeightFactor(3.0);
    const int triple = grid->rowHeight(0);
    EXPECT_GE(triple, 3 * fontHeight);
    EXPECT_EQ(triple - single, static_cast<int>(3.0 * fontHeight) - fontHeight);
    EXPECT_EQ(grid->rowHeight(2), triple);
    EXPECT_EQ(grid->rowHeight(grid->InsertItem(3, "3")), triple);
    EXPECT_EQ(grid->GetCellFont(), cellFont);
    EXPECT_EQ(grid->horizontalHeader()->font(), headerFont);

    // Nonsense factors are ignored.
    grid->SetRowHeightFactor(0.0);
    grid->SetRowHeightFactor(-2.0);
    EXPECT_DOUBLE_EQ(grid->GetRowHeightFactor(), 3.0);
    EXPECT_EQ(grid->rowHeight(0), triple);
}

TEST_F(GridTest, EmptyGridShowsItsText)
{
    EXPECT_EQ(grid->GetEmptyMarkupText(), "There are no items to show in this view.");
    const QFontMetrics fm(grid->font());
    const int textWidth = fm.horizontalAdvance(grid->GetEmptyMarkupText());
    ASSERT_LT(textWidth, grid->viewport()->width());
    // The band across the top of the client area where the text goes.
    const QRect band(0, 0, grid->viewport()->width(), 8 + fm.height() + 4);

    const QImage withRows = grid->viewport()->grab().toImage();
    grid->DeleteAllItems();
    const QImage empty = grid->viewport()->grab().toImage();
    // Text of that length leaves plenty of dark pixels; with rows, the
    // band holds only short cell texts.
    const int darkEmpty = DarkPixels(empty, band);
    EXPECT_GT(darkEmpty, textWidth / 2);
    // The text is centred: as much of it left of the middle as right.
    const int mid = grid->viewport()->width() / 2;
    const int left = DarkPixels(empty, QRect(0, 0, mid, band.height()));
    EXPECT_NEAR(left, darkEmpty - left, darkEmpty / 4);

    grid->SetItemText(0, kMaster, "unused");  // no rows: nothing written
    grid->InsertItem(0, "0");
    const QImage oneEmptyRow = grid->viewport()->grab().toImage();
    EXPECT_LT(DarkPixels(oneEmptyRow, band), darkEmpty / 10);
    EXPECT_GT(DarkPixels(withRows, band), 0);

    grid->DeleteAllItems();
    grid->SetEmptyMarkupText(QString());
    EXPECT_LT(DarkPixels(grid->viewport()->grab().toImage(), band), darkEmpty / 10);
}

TEST_F(GridTest, GroupsAreRecordedPerRow)
{
    EXPECT_FALSE(grid->SetRowGroupId(0, 7));  // unknown group
    EXPECT_TRUE(grid->InsertGroupHeader(7, "Seven"));
    EXPECT_FALSE(grid->InsertGroupHeader(-1, "Bad"));
    EXPECT_TRUE(grid->InsertGroupHeader(7, "Renamed"));
    EXPECT_EQ(grid->GetGroupCount(), 1);
    EXPECT_EQ(grid->GetGroupHeader(7), "Renamed");
    EXPECT_TRUE(grid->SetRowGroupId(1, 7));
    EXPECT_FALSE(grid->SetRowGroupId(3, 7));
    EXPECT_EQ(grid->GetRowGroupId(1), 7);
    EXPECT_EQ(grid->GetRowGroupId(0), -1);
    grid->InsertItem(0, "new");
    EXPECT_EQ(grid->GetRowGroupId(2), 7);  // the group moves with its row
    EXPECT_EQ(grid->GetItemData(2), 1u);   // and does not disturb the item data
    grid->RemoveAllGroups();
    EXPECT_EQ(grid->GetGroupCount(), 0);
    EXPECT_EQ(grid->GetRowGroupId(2), -1);
}

TEST(GridContextMenu, EveryRequestIsDispatched)
{
    QWidget window;
    window.resize(400, 300);
    auto* grid = new MenuRecordingGrid(&window);
    grid->setGeometry(0, 0, 400, 300);
    grid->AddHiddenLabelColumn();
    grid->AddTraitColumn(1, "A", Qt::AlignLeft, 80, 1, new CGridColumnTraitEdit);
    grid->AddTraitColumn(2, "B", Qt::AlignLeft, 80, 2, new CGridColumnTraitEdit);
    for (int i = 0; i < 3; ++i)
        grid->SetItemText(grid->InsertItem(i, QString::number(i)), 1, "v");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWindow* handle = window.windowHandle();
    auto inWindow = [&](QWidget* w, QPoint p) { return w->mapTo(&window, p); };

    // A right click on a row selects it before the request is handled.
    const QPoint cell = grid->visualRect(grid->model()->index(2, 2)).center();
    QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier, inWindow(grid->viewport(), cell));
    // Below the last row, and on the header.
    QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier,
                      inWindow(grid->viewport(), QPoint(40, grid->viewport()->height() - 5)));
    const QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier,
                      inWindow(grid->horizontalHeader(),
                               QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2)));
    // The menu key: the platform turns it into a keyboard request on the
    // focus widget.
    grid->setFocus();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), grid->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid, &menuKey);

    EXPECT_EQ(grid->calls, (QStringList{"cell 2 2 selected 2", "grid", "header 1", "keyboard"}));
}
