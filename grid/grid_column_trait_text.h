// CGridColumnTraitText: a column of plain text cells that never opens an editor.
//
// Owned by the grid it is attached to. GUI thread only.
#pragma once

#include "grid/grid_column_trait.h"

class CGridColumnTraitText : public CGridColumnTrait {
public:
    CGridColumnTraitText() = default;

    // Text columns never start editing, whatever the click.
    bool StartsEditOnClick(const CGridListCtrlEx& owner, int row, int col,
                           Qt::KeyboardModifiers modifiers, bool doubleClick) const override;

    // Draws text only: a cell image is ignored in a text column.
    void InitCellStyle(const CGridListCtrlEx& owner, int row, int col,
                       QStyleOptionViewItem& option) const override;
};
