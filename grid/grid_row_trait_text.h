// CGridRowTraitText: the default row trait: optional background and text
// colours, with an optional alternate background for every second row.
//
// Owned by the grid it is given to. GUI thread only.
#pragma once

#include "grid/grid_row_trait.h"

#include <QColor>

class CGridRowTraitText : public CGridRowTrait {
public:
    CGridRowTraitText() = default;

    // An invalid colour (the default) keeps the palette's colour.
    void SetRowColor(const QColor& back, const QColor& text = QColor());
    void SetAltRowColor(const QColor& back, const QColor& text = QColor());

    void PaintCell(const CGridListCtrlEx& owner, QPainter* painter,
                   QStyleOptionViewItem& option, int row, int col) const override;

protected:
    // Applies the row colours to option; used by derived traits too.
    void ApplyRowColors(QStyleOptionViewItem& option, int row) const;

private:
    QColor m_back, m_text, m_altBack, m_altText;
};
