#include "ui/spec_edit.h"

#include "ui/module_message.h"

#include <QKeyEvent>

CSpecEdit::CSpecEdit(QWidget* parent) : QLineEdit(parent) {}

CSpecEdit::~CSpecEdit() = default;

void CSpecEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Posted: the parent may hide or move this edit in its handler.
        PostModuleMessage(parentWidget(), WM_EDIT_END);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CSpecEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    PostModuleMessage(parentWidget(), WM_EDIT_END);
}
