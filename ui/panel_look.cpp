#include "ui/panel_look.h"

#include <QPalette>
#include <QWidget>

QColor PanelBackgroundColor() { return QColor(255, 255, 255); }

void ApplyPanelLook(QWidget* widget)
{
    if (!widget)
        return;
    // Window is the panel's fill, Base the inside of edits, lists and
    // combos, Button the face of buttons: all white, as one look.
    QPalette pal = widget->palette();
    const QColor white = PanelBackgroundColor();
    pal.setColor(QPalette::Window, white);
    pal.setColor(QPalette::Base, white);
    pal.setColor(QPalette::Button, white);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (child->isWindow())
            continue;  // popups such as the balloon keep their own look
        QPalette cp = child->palette();
        cp.setColor(QPalette::Window, white);
        cp.setColor(QPalette::Base, white);
        cp.setColor(QPalette::Button, white);
        child->setPalette(cp);
    }
}
