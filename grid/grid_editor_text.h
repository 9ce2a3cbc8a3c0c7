// CGridEditorText: the in-place edit box of an edit column.
//
// Created by CGridColumnTraitEdit over one cell, as a child of the grid's
// viewport. Enter, Tab, the mouse wheel or loss of focus end the edit as
// accepted, Escape as cancelled. Ending hides the box, hands the result to the
// grid (which writes the cell and then tells its parent) and deletes the box
// later. The grid is its owner through the widget tree. GUI thread only.
#pragma once

#include "grid/grid_editor.h"

#include <QLineEdit>
#include <QPointer>

class CGridListCtrlEx;

class CGridEditorText : public QLineEdit, public CGridEditor {
    Q_OBJECT
public:
    CGridEditorText(CGridListCtrlEx* owner, int row, int col, const QString& initialText);
    ~CGridEditorText() override;

    void EndEdit(bool accept) override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    QPointer<CGridListCtrlEx> m_owner;
    int m_row;
    int m_col;
    bool m_modified = false;
    bool m_completed = false;
};
