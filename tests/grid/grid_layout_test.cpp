// Grid set-up and looks: trait columns, the hidden label column, rows and
// selection, row height, the empty-list text and context-menu dispatch.
#include "grid_test_fixture.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QImage>
#include <QStyle>
#include <QWindow>

namespace {

// Counts clearly dark pixels (text, not grid lines) in a rectangle.
int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 110;
    return dark;
}

class MenuRecordingGrid : public CGridListCtrlGroups {
public:
    using CGridListCtrlGroups::CGridListCtrlGroups;
    QStringList calls;

protected:
    void OnContextMenuKeyboard(QWidget*) override { calls << "keyboard"; }
    void OnContextMenuHeader(QWidget*, const QPoint&, int col) override { calls << QString("header %1").arg(col); }
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

    // Inserting in the middle moves the later columns, their traits and
    // their cells along; the new column's cells take its alignment.
    auto* extra = new CGridColumnTraitText;
    EXPECT_EQ(grid->AddTraitColumn(2, "Extra", Qt::AlignRight, 30, 2, extra), 2);
    EXPECT_EQ(grid->GetColumnTrait(2), extra);
    EXPECT_EQ(grid->GetColumnTrait(kType + 1), combo);
    EXPECT_EQ(grid->GetItemText(1, kMaster + 1), "500.000");
    grid->SetItemText(1, 2, "x");
    EXPECT_EQ(grid->model()->index(1, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    // Past the end appends; a negative position or no trait fails.
    EXPECT_EQ(grid->AddTraitColumn(99, "Last", Qt::AlignLeft, 30, -1, new CGridColumnTraitText), 7);
    EXPECT_EQ(grid->AddTraitColumn(-1, "Bad", Qt::AlignLeft, 30, -1, new CGridColumnTraitText), -1);
    EXPECT_EQ(grid->AddTraitColumn(1, "Bad", Qt::AlignLeft, 30, 1, nullptr), -1);
    EXPECT_EQ(grid->GetColumnCount(), 8);

    // The hidden column cannot be clicked: the row's first pixel belongs to
    // the first visible column.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(1, CellCenter(0, kId).y()));
    EXPECT_EQ(grid->GetFocusColumn(), kId);
}

TEST_F(GridTest, RowsDataAndSelection)
{
    EXPECT_EQ(grid->InsertItem(99, "end"), 3);
    EXPECT_EQ(grid->InsertItem(-5, "front"), 0);
    EXPECT_EQ(grid->GetItemData(3), 2u);  // data moved with its row
    EXPECT_FALSE(grid->SetItemText(5, kMaster, "x"));
    EXPECT_TRUE(grid->DeleteItem(0));
    EXPECT_FALSE(grid->DeleteItem(7));
    EXPECT_EQ(grid->GetItemCount(), 4);

    Click(2, kSlave);
    Click(0, kSlave, Qt::ControlModifier);
    EXPECT_EQ(grid->GetSelectedRows(), (QList<int>{0, 2}));
    EXPECT_EQ(grid->GetFirstSelectedRow(), 0);
    // Moving the focus cell by code keeps the selection, and counts for the
    // second-click rule.
    grid->SetFocusCell(1, kSpeed);
    EXPECT_EQ(grid->GetSelectedRows(), (QList<int>{0, 2}));
    Click(1, kSpeed);
    EXPECT_NE(grid->GetActiveEditor(), nullptr);

    grid->EndActiveEdit(false);
    grid->DeleteAllItems();
    EXPECT_EQ(grid->GetFocusRow(), -1);
    EXPECT_EQ(grid->GetFirstSelectedRow(), -1);
}

TEST_F(GridTest, RowHeightFactorStretchesRowsNotFonts)
{
    const int fontHeight = QFontMetrics(grid->GetCellFont()).height();
    const QFont headerFont = grid->horizontalHeader()->font();
    const QFont cellFont = grid->GetCellFont();
    grid->SetRowHeightFactor(1.0);
    const int single = grid->rowHeight(0);
    EXPECT_GE(single, fontHeight);
    EXPECT_LT(single, fontHeight * 3 / 2);
    // Nonsense is ignored; a part of a pixel is cut off, not rounded up.
    const std::pair<double, int> cases[] = {{3.0, 2 * fontHeight}, {0.0, 2 * fontHeight}, {1.0 + 0.75 / fontHeight, 0}};
    for (const auto& [factor, extra] : cases) {
        grid->SetRowHeightFactor(factor);
        EXPECT_EQ(grid->rowHeight(0), single + extra) << factor;
        EXPECT_EQ(grid->rowHeight(grid->InsertItem(3, "3")), single + extra) << factor;
    }
    EXPECT_EQ(grid->GetCellFont(), cellFont);
    EXPECT_EQ(grid->horizontalHeader()->font(), headerFont);
}

TEST_F(GridTest, EmptyGridShowsItsText)
{
    EXPECT_EQ(grid->GetEmptyMarkupText(), "There are no items to show in this view.");
    const QFontMetrics fm(grid->font());
    const int textWidth = fm.horizontalAdvance(grid->GetEmptyMarkupText());
    // The band across the top of the client area where the text goes.
    const QRect band(0, 0, grid->viewport()->width(), 8 + fm.height() + 4);

    grid->DeleteAllItems();
    const QImage empty = grid->viewport()->grab().toImage();
    const int darkEmpty = DarkPixels(empty, band);
    EXPECT_GT(darkEmpty, textWidth / 2);
    // Centred: as much of it left of the middle as right.
    const int left = DarkPixels(empty, QRect(0, 0, grid->viewport()->width() / 2, band.height()));
    EXPECT_NEAR(left, darkEmpty - left, darkEmpty / 4);

    grid->InsertItem(0, "0");  // one row with empty cells: no text
    EXPECT_LT(DarkPixels(grid->viewport()->grab().toImage(), band), darkEmpty / 10);
}

class GridContextMenu : public GridTest {
protected:
    CGridListCtrlGroups* MakeGrid(QWidget* parent) override { return menus = new MenuRecordingGrid(parent); }
    MenuRecordingGrid* menus = nullptr;
};

TEST_F(GridContextMenu, EveryRequestIsDispatched)
{
    auto rightClick = [this](QWidget* w, QPoint p) {
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, Qt::NoModifier, w->mapTo(window.get(), p));
    };
    // A right click on a row selects it before the request is handled.
    rightClick(grid->viewport(), CellCenter(2, kMaster));
    rightClick(grid->viewport(), QPoint(40, grid->viewport()->height() - 5));
    rightClick(grid->horizontalHeader(), QPoint(grid->horizontalHeader()->sectionViewportPosition(kId) + 10, 5));
    // The menu key: the platform turns it into a keyboard request on the
    // focus widget.
    grid->setFocus();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), grid->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid, &menuKey);

    EXPECT_EQ(menus->calls, (QStringList{"cell 2 2 selected 2", "grid", "header 1", "keyboard"}));
}

TEST_F(GridTest, FormattedColumnsFormatOnlyDrawnRowsAndFitTheWidestTextOfAllRows)
{
    int formatted = 0;
    const CGridColumnFormat fixed = GridFixedFormat(3);
    grid->SetColumnFormat(kSlave, {[&](const QVariant& v) { return ++formatted, fixed.text(v); }, fixed.widthKey});
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
    const QFontMetrics fm(grid->GetCellFont());
    constexpr int kRows = 2000;
    // The widest text sits in the last row, far below the drawn ones, behind
    // a value of the same digit count unrounded, or of the other sign.
    const struct {
        double first, last;
        const char* widest;
    } cases[] = {{9999.5, 9999.9996, "10000.000"}, {2.5, -1.5, "-1.500"}, {0.25, -0.0004, "-0.000"}};
    for (const auto& c : cases) {
        grid->setColumnWidth(kSlave, 10);
        grid->SetRedraw(false);
        grid->SetItemCount(kRows);
        for (int r = 0; r < kRows; ++r)
            grid->SetItemValue(r, kSlave, r == 0 ? c.first : r == kRows - 1 ? c.last : 1.0);
        formatted = 0;
        grid->SetRedraw(true);
        grid->viewport()->repaint();
        EXPECT_TRUE(formatted > 0 && formatted < 50) << formatted;
        EXPECT_EQ(grid->GetItemText(kRows - 1, kSlave), c.widest);
        EXPECT_EQ(grid->columnWidth(kSlave), fm.horizontalAdvance(c.widest) + margins) << c.widest;
    }
    // One value stored while drawing widens at once; a narrower refill never
    // narrows. A typed text shows until the next value, except in a column
    // without a format.
    grid->SetItemValue(5, kSlave, -123456789.0);
    const int widest = fm.horizontalAdvance("-123456789.000") + margins;
    EXPECT_EQ(grid->columnWidth(kSlave), widest);
    grid->SetItemCount(1);
    for (int col : {kMaster, kSlave}) {
        grid->SetItemText(0, col, "typed");
        grid->SetItemValue(0, col, 2.0);
    }
    EXPECT_EQ(grid->columnWidth(kSlave), widest);
    EXPECT_EQ(grid->GetItemText(0, kSlave), "2.000");
    EXPECT_EQ(grid->GetItemText(0, kMaster), "typed");
}
