#include "grid/grid_column_trait.h"

#include "grid/grid_edit_result.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QStyleOptionViewItem>

bool CGridColumnTrait::StartsEditOnClick(const CGridListCtrlEx&, int, int, Qt::KeyboardModifiers,
                                         bool) const
{
    return false;
}

QWidget* CGridColumnTrait::CreateEditor(CGridListCtrlEx&, int, int, const QRect&)
{
    return nullptr;
}

bool CGridColumnTrait::AcceptEditResult(CGridListCtrlEx&, const CGridEditResult&)
{
    return m_editable;
}

void CGridColumnTrait::InitCellStyle(const CGridListCtrlEx&, int, int, QStyleOptionViewItem&) const
{
}

bool CGridColumnTrait::ClickStartsEdit(const CGridListCtrlEx& owner, int row, int col,
                                       Qt::KeyboardModifiers modifiers, bool doubleClick) const
{
    if (!m_editable || doubleClick)
        return false;
    // Ctrl and Shift clicks extend or toggle the selection; they never edit.
    if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    if (m_editFirstClick)
        return true;
    return row == owner.GetFocusRow() && col == owner.GetFocusColumn();
}
