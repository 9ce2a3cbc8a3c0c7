// CGridRowTraitXP: row trait with a soft, themed selection: selected rows get
// a light blue band with dark text (also while the grid has no focus), and the
// focus cell a thin frame, so the cell that a second click edits is visible.
//
// Owned by the grid it is given to. GUI thread only.
#pragma once

#include "grid/grid_row_trait_text.h"

class CGridRowTraitXP : public CGridRowTraitText {
public:
    CGridRowTraitXP() = default;

    void PaintCell(const CGridListCtrlEx& owner, QPainter* painter,
                   QStyleOptionViewItem& option, int row, int col) const override;
};
