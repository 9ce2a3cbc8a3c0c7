#include "grid/grid_column_trait_edit.h"

#include "grid/grid_editor_text.h"
#include "grid/grid_list_ctrl_ex.h"

bool CGridColumnTraitEdit::StartsEditOnClick(const CGridListCtrlEx& owner, int row, int col,
                                             Qt::KeyboardModifiers modifiers, bool doubleClick) const
{
    return ClickStartsEdit(owner, row, col, modifiers, doubleClick);
}

QWidget* CGridColumnTraitEdit::CreateEditor(CGridListCtrlEx& owner, int row, int col,
                                            const QRect& cellRect)
{
    auto* editor = new CGridEditorText(&owner, row, col, owner.GetItemText(row, col));
    editor->setFont(owner.GetCellFont());
    editor->setGeometry(cellRect);
    return editor;
}
