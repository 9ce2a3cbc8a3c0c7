// CGridColumnTraitEdit: cells edited in place with a single-line edit box
// (CGridEditorText).
//
// Owned by the grid it is attached to; the editor it creates is owned by the
// grid's viewport and deletes itself when the edit ends. GUI thread only.
#pragma once

#include "grid/grid_column_trait_image.h"

class CGridColumnTraitEdit : public CGridColumnTraitImage {
public:
    CGridColumnTraitEdit() = default;

    bool StartsEditOnClick(const CGridListCtrlEx& owner, int row, int col,
                           Qt::KeyboardModifiers modifiers, bool doubleClick) const override;
    QWidget* CreateEditor(CGridListCtrlEx& owner, int row, int col, const QRect& cellRect) override;
};
