// CGridColumnTraitImage: a text column whose cells may also show an image
// (the cell item's icon). The edit and combo traits build on it.
//
// Owned by the grid it is attached to. GUI thread only.
#pragma once

#include "grid/grid_column_trait_text.h"

class CGridColumnTraitImage : public CGridColumnTraitText {
public:
    CGridColumnTraitImage() = default;

    // Keeps the cell's image beside its text.
    void InitCellStyle(const CGridListCtrlEx& owner, int row, int col,
                       QStyleOptionViewItem& option) const override;
};
