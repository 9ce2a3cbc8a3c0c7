#include "ui/uni_ecam_edit.h"

#include "ui/module_message.h"

#include <QKeyEvent>

CUniECamEdit::CUniECamEdit(QWidget* parent, int controlId) : CVelaEdit(parent), m_controlId(controlId) {}

CUniECamEdit::~CUniECamEdit() = default;

void CUniECamEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Sent: the dialog validates the field before anything else happens.
        SendModuleMessage(parentWidget(), WM_UNI_EDIT_ENTER, static_cast<WPARAM>(m_controlId), 0);
        event->accept();
        return;
    }
    CVelaEdit::keyPressEvent(event);
}
