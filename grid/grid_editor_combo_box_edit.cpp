#include "grid/grid_editor_combo_box_edit.h"

#include "grid/grid_editor_combo_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

CGridEditorComboBoxEdit::CGridEditorComboBoxEdit(CGridEditorComboBox* combo)
    : QLineEdit(combo), m_combo(combo)
{
}

void CGridEditorComboBoxEdit::keyPressEvent(QKeyEvent* e)
{
    // A typed character counts as a change even when it leaves the text as
    // it was (typing over a selection with the same letter).
    if (!e->text().isEmpty() && e->text().at(0).isPrint())
        m_combo->MarkModified();
    QLineEdit::keyPressEvent(e);
}

void CGridEditorComboBoxEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        m_combo->OnPartFocusOut(QApplication::focusWidget());
}
