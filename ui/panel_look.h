#pragma once
// The panel's white look in one place: the panel and every control in it get
// a white background (what the classic dialog did by answering its colour
// requests with a white brush). GUI thread only.
#include <QColor>

class QWidget;

// RGB(255, 255, 255), the background of the panel and its controls.
QColor PanelBackgroundColor();

// Gives widget and all its current descendants the white background.
// Call again after adding children created later.
void ApplyPanelLook(QWidget* widget);
