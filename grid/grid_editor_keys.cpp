#include "grid/grid_editor_keys.h"

#include <QKeyEvent>

bool GridEditorEvent(QEvent* e, const std::function<void(bool ok)>& endEdit)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape) {
            e->accept();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        // Tab would otherwise move the focus before keyPressEvent sees it.
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            endEdit(true);
            return true;
        }
    }
    return false;
}

bool GridEditorEndKey(QKeyEvent* e, const std::function<void(bool ok)>& endEdit)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        endEdit(true);
        e->accept();
        return true;
    case Qt::Key_Escape:
        endEdit(false);
        e->accept();
        return true;
    default:
        return false;
    }
}
