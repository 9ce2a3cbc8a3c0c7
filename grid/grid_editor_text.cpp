#include "grid/grid_editor_text.h"

#include "grid/grid_editor_keys.h"
#include "grid/grid_edit_result.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>

CGridEditorText::CGridEditorText(CGridListCtrlEx* owner, int row, int col, const QString& initialText)
    : QLineEdit(owner->viewport()), m_owner(owner), m_row(row), m_col(col)
{
    setFrame(false);
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid rgb(60, 127, 177); padding: 0 1px; }"));
    setText(initialText);
    selectAll();
    // Connected after the initial text, so only the user's changes count.
    connect(this, &QLineEdit::textChanged, this, [this] { m_modified = true; });
    hide();  // the grid shows it once the parent has agreed to the edit
}

CGridEditorText::~CGridEditorText() = default;

void CGridEditorText::EndEdit(bool accept)
{
    if (m_completed)
        return;
    m_completed = true;
    const bool hadFocus = hasFocus();
    CGridEditResult result;
    result.row = m_row;
    result.col = m_col;
    result.accepted = accept;
    result.changed = m_modified;
    result.text = text();
    // Hand the focus back before hiding, so it never wanders to a sibling
    // of the grid on its way.
    if (hadFocus && m_owner)
        m_owner->setFocus(Qt::OtherFocusReason);
    hide();
    if (m_owner)
        m_owner->OnEditorEnd(this, result, hadFocus);
    deleteLater();
}

bool CGridEditorText::event(QEvent* e)
{
    if (GridEditorEvent(e, [this](bool ok) { EndEdit(ok); }))
        return true;
    return QLineEdit::event(e);
}

void CGridEditorText::keyPressEvent(QKeyEvent* e)
{
    if (GridEditorEndKey(e, [this](bool ok) { EndEdit(ok); }))
        return;
    QLineEdit::keyPressEvent(e);
}

void CGridEditorText::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // The box's own context menu takes the focus for a moment; that is no
    // reason to end the edit.
    if (e->reason() != Qt::PopupFocusReason)
        EndEdit(true);
}

void CGridEditorText::wheelEvent(QWheelEvent* e)
{
    // The rows would scroll away under the box: accept what was typed.
    EndEdit(true);
    e->accept();
}
