#include "grid/grid_row_trait.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionViewItem>

void CGridRowTrait::PaintCell(const CGridListCtrlEx&, QPainter* painter, QStyleOptionViewItem& option,
                              int, int) const
{
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &option, painter, option.widget);
}
