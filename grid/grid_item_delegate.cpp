#include "grid/grid_item_delegate.h"

#include "grid/grid_column_trait.h"
#include "grid/grid_list_ctrl_ex.h"
#include "grid/grid_row_trait.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

CGridItemDelegate::CGridItemDelegate(CGridListCtrlEx* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void CGridItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    opt.font = m_grid->GetCellFont();
    initStyleOption(&opt, index);
    const int row = index.row();
    const int col = index.column();
    if (const CGridColumnTrait* trait = m_grid->GetColumnTrait(col))
        trait->InitCellStyle(*m_grid, row, col, opt);
    if (const CGridRowTrait* rowTrait = m_grid->GetRowTrait()) {
        painter->save();
        rowTrait->PaintCell(*m_grid, painter, opt, row, col);
        painter->restore();
        return;
    }
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

QWidget* CGridItemDelegate::createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const
{
    return nullptr;
}
