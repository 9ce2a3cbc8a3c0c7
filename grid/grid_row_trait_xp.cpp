#include "grid/grid_row_trait_xp.h"

#include "grid/grid_list_ctrl_ex.h"

#include <QPainter>
#include <QStyleOptionViewItem>

namespace {
// A pale band keeps the dark text readable; the frame marks the focus cell.
const QColor kSelectedBand(204, 232, 255);
const QColor kFocusFrame(38, 160, 218);
}  // namespace

void CGridRowTraitXP::PaintCell(const CGridListCtrlEx& owner, QPainter* painter,
                                QStyleOptionViewItem& option, int row, int col) const
{
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(option.rect, kSelectedBand);
        option.state &= ~QStyle::State_Selected;
        option.backgroundBrush = Qt::NoBrush;
    }
    option.state &= ~QStyle::State_HasFocus;
    CGridRowTrait::PaintCell(owner, painter, option, row, col);
    if (row == owner.GetFocusRow() && col == owner.GetFocusColumn() && owner.hasFocus()) {
        painter->setPen(QPen(kFocusFrame, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
}
