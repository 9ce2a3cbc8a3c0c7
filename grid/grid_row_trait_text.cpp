#include "grid/grid_row_trait_text.h"

#include <QStyleOptionViewItem>

void CGridRowTraitText::SetRowColor(const QColor& back, const QColor& text)
{
    m_back = back;
    m_text = text;
}

void CGridRowTraitText::SetAltRowColor(const QColor& back, const QColor& text)
{
    m_altBack = back;
    m_altText = text;
}

void CGridRowTraitText::ApplyRowColors(QStyleOptionViewItem& option, int row) const
{
    const bool alternate = (row % 2) == 1;
    const QColor& back = alternate && m_altBack.isValid() ? m_altBack : m_back;
    const QColor& text = alternate && m_altText.isValid() ? m_altText : m_text;
    if (back.isValid())
        option.backgroundBrush = back;
    if (text.isValid()) {
        option.palette.setColor(QPalette::Text, text);
        option.palette.setColor(QPalette::WindowText, text);
    }
}

void CGridRowTraitText::PaintCell(const CGridListCtrlEx& owner, QPainter* painter,
                                  QStyleOptionViewItem& option, int row, int col) const
{
    ApplyRowColors(option, row);
    CGridRowTrait::PaintCell(owner, painter, option, row, col);
}
