#include "ui/funcode/my_combo_box.h"

#include "ui/module_message.h"

#include <QFocusEvent>

CMyComboBox::CMyComboBox(QWidget* parent) : QComboBox(parent)
{
    // Only the user's choices count; filling the list by program runs with
    // signals blocked by the owner.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        PostModuleMessage(parentWidget(), WM_COMBO_END, 1, 0);
    });
}

CMyComboBox::~CMyComboBox() = default;

void CMyComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // Opening the drop-down list moves the focus into it; that is not the
    // end of the edit.
    if (event->reason() != Qt::PopupFocusReason)
        PostModuleMessage(parentWidget(), WM_COMBO_END, 0, 0);
}
