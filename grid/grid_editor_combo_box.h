// CGridEditorComboBox: the in-place combo box of a combo column.
//
// Created by CGridColumnTraitCombo over one cell, as a child of the grid's
// viewport, filled with the trait's choices (item data = choice value).
// Enter, Tab or loss of focus to a widget outside the combo (its list and its
// edit part count as inside) end the edit as accepted, Escape as cancelled.
// The text counts as changed after a selection change, a typed character or
// an edit change. Ending hides the combo, hands the result (shown text and the
// selected choice's value) to the grid and deletes the combo later. GUI thread
// only.
#pragma once

#include "grid/grid_editor.h"

#include <QComboBox>
#include <QPointer>
#include <QString>
#include <utility>
#include <vector>

class CGridListCtrlEx;
class CGridEditorComboBoxEdit;

class CGridEditorComboBox : public QComboBox, public CGridEditor {
    Q_OBJECT
public:
    using Choice = std::pair<int, QString>;

    // editable = true gives the combo an edit part (drop-down style);
    // false allows only the listed choices (drop-down-list style).
    CGridEditorComboBox(CGridListCtrlEx* owner, int row, int col, const QString& initialText,
                        bool editable, const std::vector<Choice>& choices, int maxItems);
    ~CGridEditorComboBox() override;

    CGridEditorComboBoxEdit* EditPart() const { return m_edit; }

    void EndEdit(bool accept) override;
    // Called by the edit part: a key or focus change it saw.
    void MarkModified() { m_modified = true; }
    void OnPartFocusOut(QWidget* newFocus);

    void showPopup() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool OwnsWidget(const QWidget* w) const;

    QPointer<CGridListCtrlEx> m_owner;
    CGridEditorComboBoxEdit* m_edit = nullptr;
    int m_row;
    int m_col;
    bool m_modified = false;
    bool m_completed = false;
};
