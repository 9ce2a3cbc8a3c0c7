// CGridColumnTrait: the behaviour object of one grid column.
//
// A trait decides whether a click starts editing a cell of its column, creates
// the in-place editor, accepts (or refuses) the edit result and adjusts how
// the column's cells are drawn. The base trait has no editor; it is also the
// trait of the grid's hidden label column (column 0). The grid owns every
// trait attached to it and deletes it with the grid. GUI thread only.
#pragma once

#include <Qt>
#include <QRect>

class CGridListCtrlEx;
class QStyleOptionViewItem;
class QWidget;
struct CGridEditResult;

class CGridColumnTrait {
public:
    CGridColumnTrait() = default;
    virtual ~CGridColumnTrait() = default;
    CGridColumnTrait(const CGridColumnTrait&) = delete;
    CGridColumnTrait& operator=(const CGridColumnTrait&) = delete;

    // The column is never shown, not even after the user resets the layout.
    void SetAlwaysHidden(bool hidden) { m_alwaysHidden = hidden; }
    bool IsAlwaysHidden() const { return m_alwaysHidden; }

    // Cells of an editable column open an editor; off turns the column read-only.
    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }

    // A single click (instead of a click on the focus cell) opens the editor.
    void SetEditOnFirstClick(bool on) { m_editFirstClick = on; }

    // Asked on a left button press over cell (row, col) before the focus cell
    // moves there. The base trait never edits.
    virtual bool StartsEditOnClick(const CGridListCtrlEx& owner, int row, int col,
                                   Qt::KeyboardModifiers modifiers, bool doubleClick) const;

    // Creates the editor for the cell as a child of the grid's viewport, placed
    // over cellRect (viewport coordinates) and holding the cell's text. Not yet
    // shown. The widget must also be a CGridEditor, or the grid refuses it.
    // Null when the column has no editor.
    virtual QWidget* CreateEditor(CGridListCtrlEx& owner, int row, int col, const QRect& cellRect);

    // Called when the editor has closed, before the cell is written and before
    // the parent hears of it. Returning false keeps the cell text unchanged.
    virtual bool AcceptEditResult(CGridListCtrlEx& owner, const CGridEditResult& result);

    // Lets the column adjust a cell's drawing options (alignment, image).
    virtual void InitCellStyle(const CGridListCtrlEx& owner, int row, int col,
                               QStyleOptionViewItem& option) const;

protected:
    // The click rule shared by the editing traits: never with Ctrl or Shift,
    // never on a double click; otherwise only on the focus cell, or on any
    // cell when the first-click flag is set.
    bool ClickStartsEdit(const CGridListCtrlEx& owner, int row, int col,
                         Qt::KeyboardModifiers modifiers, bool doubleClick) const;

private:
    bool m_alwaysHidden = false;
    bool m_editable = true;
    bool m_editFirstClick = false;
};
