// CGridEditor: what the grid needs from an in-place cell editor besides its
// widget: a way to end the edit.
//
// Every editor a column trait creates derives from its Qt widget class and
// from this interface; the grid ends the active editor only through it.
// EndEdit ends the edit once (later calls do nothing), hands the result to the
// grid and schedules the editor's deletion. No QObject; the widget side owns
// the lifetime. GUI thread only.
#pragma once

class CGridEditor {
public:
    virtual ~CGridEditor() = default;

    // accept = false drops what was typed (as Escape does).
    virtual void EndEdit(bool accept) = 0;

protected:
    CGridEditor() = default;
    CGridEditor(const CGridEditor&) = delete;
    CGridEditor& operator=(const CGridEditor&) = delete;
};
