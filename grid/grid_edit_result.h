// CGridEditResult: how an in-place cell edit of the grid ended.
//
// Filled by the cell editor that closes and handed to the grid, which gives it
// to the column trait and then tells the grid's parent. A plain value; GUI
// thread only, like everything of the grid.
#pragma once

#include <QString>

struct CGridEditResult {
    int row = -1;
    int col = -1;
    bool accepted = false;  // false when the user cancelled (Escape)
    bool changed = false;   // the text changed at least once after the editor opened
    QString text;           // the editor's text when it closed
    int choiceValue = -1;   // combo editors: value of the selected choice, -1 when none

    // The end notification carries the text only for an accepted, changed edit.
    bool HasText() const { return accepted && changed; }
};
