#include "grid/grid_column_trait_combo.h"

#include "grid/grid_editor_combo_box.h"
#include "grid/grid_list_ctrl_ex.h"

void CGridColumnTraitCombo::AddChoice(int value, const QString& text)
{
    m_choices.emplace_back(value, text);
}

bool CGridColumnTraitCombo::StartsEditOnClick(const CGridListCtrlEx& owner, int row, int col,
                                              Qt::KeyboardModifiers modifiers, bool doubleClick) const
{
    return ClickStartsEdit(owner, row, col, modifiers, doubleClick);
}

QWidget* CGridColumnTraitCombo::CreateEditor(CGridListCtrlEx& owner, int row, int col,
                                             const QRect& cellRect)
{
    auto* editor = new CGridEditorComboBox(&owner, row, col, owner.GetItemText(row, col),
                                           m_style == ComboStyle::DropDown, m_choices, m_maxItems);
    editor->setFont(owner.GetCellFont());
    // A combo box is usually taller than a row; keep it on the cell so it
    // covers exactly what it edits.
    editor->setMinimumHeight(0);
    editor->setGeometry(cellRect);
    return editor;
}
