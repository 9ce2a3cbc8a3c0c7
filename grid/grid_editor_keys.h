#pragma once
// Key handling every in-place grid editor shares: Enter and Escape belong to
// the editor even when the window has shortcuts (or a default button) on
// them, Tab ends the edit before it could move the focus, and Enter/Escape
// end the edit keeping/dropping the text. The editor passes its own EndEdit.
// GUI thread only.
#include <functional>

class QEvent;
class QKeyEvent;

// From the editor's event(): true when the event was taken.
bool GridEditorEvent(QEvent* e, const std::function<void(bool ok)>& endEdit);
// From the editor's keyPressEvent(): true when the key ended the edit.
bool GridEditorEndKey(QKeyEvent* e, const std::function<void(bool ok)>& endEdit);
