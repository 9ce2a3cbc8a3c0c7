// Collects every text a window shows to the user (titles, labels, buttons,
// group boxes, check boxes, table headers and cells, combo items, menus,
// tooltips, the curve windows' titles) and the entries of the menus a recorder saw, as
// (where, text) pairs in a stable order, so two runs of the same windows can
// be compared entry by entry and written to a golden file. Texts in line
// edits are the user's and are left out. GUI thread only.
#pragma once

#include "tests/support/modal_ui_recorder.h"

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

struct UiText {
    QString where;   // widget path and kind, e.g. "idc6006 button"
    QString text;
};
using UiTexts = std::vector<UiText>;

// root and all its descendant widgets, hidden ones too (a hidden button can
// be shown later); `prefix` starts every path.
void CollectWidgetTexts(QWidget* root, const QString& prefix, UiTexts& out);
void CollectMenuTexts(const CModalUiRecorder::MenuCall& menu, const QString& prefix, UiTexts& out);

// One line per entry, a JSON array [where, text], so line breaks in texts
// stay escaped.
QString FormatUiTexts(const UiTexts& texts);

// True when text holds a character of a CJK script or CJK punctuation.
bool HasCjk(const QString& text);

// Texts of root's visible buttons, check boxes, labels, group boxes and
// table headers that their widget cannot show whole in its font, as
// "path: text (needs N px, has M)".
QStringList TextsCutOff(QWidget* root);
