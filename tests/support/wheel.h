#pragma once
// A turn of the mouse wheel delivered to a widget as the platform delivers
// it: `notches` steps of 120 (positive: away from the user) at `at`.
#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

inline void Wheel(QWidget* w, QPoint at, int notches, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWheelEvent e(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}
