// CGridListCtrlEx: an editable report list, a QTableView on its own
// CGridModel.
//
// A view on a model rather than a table of items: a refill of many rows is
// one reset and a store of values, and the texts of columns with a format
// (SetColumnFormat) are made only for the rows that are drawn. Such columns
// widen when a text would not fit, judged over all rows by CGridColumnFit
// without formatting them; the program never narrows a column.
//
// Every column carries a column trait (CGridColumnTrait and derived) that
// decides whether and how its cells are edited in place; every row is drawn by
// one row trait (CGridRowTrait and derived). The grid owns all traits and
// deletes them with itself (or, for the row trait, when it is replaced).
//
// Editing: a left click on a cell first makes it the focus cell; a second
// click on the focus cell opens the column's editor (never with Ctrl or Shift,
// never on a double click, never in a text column); F2 or Enter opens the
// focus cell's editor from the keyboard. At most one editor is
// active. Enter, Tab and loss of focus accept, Escape cancels. The table's own
// item editing is refused.
//
// The parent learns of edits through two signals, both emitted synchronously
// on the GUI thread (connect them directly):
//   BeginLabelEdit(row, col, int* pResult) - the editor exists but is not yet
//       shown; set *pResult = 1 to refuse the edit (the edit then ends as
//       cancelled, EndLabelEdit follows with no text).
//   EndLabelEdit(row, col, const QString* text, int choiceValue) - the editor
//       has closed, and the cell already holds the new text. text is null when
//       the edit was cancelled or the text was not changed; choiceValue is the
//       selected choice of a combo column (-1 otherwise).
// A receiver may take fewer arguments, e.g.
//   connect(grid, &CGridListCtrlEx::BeginLabelEdit, dlg, &Dlg::OnBeginLabelEdit);  // (int, int)
//   connect(grid, &CGridListCtrlEx::EndLabelEdit, dlg, &Dlg::OnEndLabelEdit);      // (int, int, const QString*)
//
// Context menus: every request (right click on rows or header, the menu key)
// reaches the virtual ShowContextMenu with a screen position, (-1, -1) for
// the keyboard. Column 0 is meant to be the hidden label column
// (AddHiddenLabelColumn); row labels live there. GUI thread only.
#pragma once

#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <memory>
#include <vector>

#include "grid/grid_column_fit.h"
#include "grid/grid_column_format.h"

class CGridColumnTrait;
class CGridEditor;
class CGridModel;
class CGridRowTrait;
struct CGridEditResult;

class CGridListCtrlEx : public QTableView {
    Q_OBJECT
public:
    explicit CGridListCtrlEx(QWidget* parent = nullptr);
    ~CGridListCtrlEx() override;

    // ---- columns -------------------------------------------------------
    // Adds column 0 with an empty heading and an always-hidden base trait;
    // returns its index.
    int AddHiddenLabelColumn();
    // Inserts a column at position (clamped to the column count) with its
    // heading, alignment, width in pixels and trait (taken over by the grid,
    // also on failure). subItem is accepted for callers written against
    // list views; here a column's sub-item index always equals its index.
    // Returns the new column's index, or -1 when the insertion fails
    // (negative position, null trait).
    int AddTraitColumn(int position, const QString& heading, Qt::Alignment format, int width,
                       int subItem, CGridColumnTrait* trait);
    int GetColumnCount() const;
    // Null when col is out of range.
    CGridColumnTrait* GetColumnTrait(int col) const;
    // Cells of the column then show their values through format; a text
    // set on a cell shows until its next value.
    void SetColumnFormat(int col, CGridColumnFormat format);

    // ---- rows ----------------------------------------------------------
    int GetItemCount() const;
    // Drops every row and makes count empty ones, in one step.
    void SetItemCount(int count);
    // Inserts a row at row (clamped to 0..count) with label in column 0;
    // returns its index.
    int InsertItem(int row, const QString& label);
    bool DeleteItem(int row);
    void DeleteAllItems();
    bool SetItemText(int row, int col, const QString& text);
    QString GetItemText(int row, int col) const;  // empty when out of range
    // A value kept behind a cell's text (e.g. the unrounded number a
    // formatted text shows); invalid when none was set or out of range.
    bool SetItemValue(int row, int col, const QVariant& value);
    QVariant GetItemValue(int row, int col) const;
    bool SetItemData(int row, quintptr data);
    quintptr GetItemData(int row) const;  // 0 when out of range
    // Off: no repaint and no change notice while many rows change; on again
    // repaints once and fits the formatted columns to all rows.
    void SetRedraw(bool redraw);

    // ---- selection and focus cell ----------------------------------------
    int GetFirstSelectedRow() const;  // -1 when no row is selected
    QList<int> GetSelectedRows() const;  // ascending
    // The focus cell: the focused row and a column; -1 when none.
    int GetFocusRow() const;
    int GetFocusColumn() const;
    void SetFocusCell(int row, int col);
    // Screen position of the focus cell's centre; of the first selected
    // row's first visible cell without a focus cell; (-1, -1) without both.
    QPoint FocusCellScreenPos() const;

    // ---- look ----------------------------------------------------------
    // Rows become factor times as tall as the cell font alone makes them;
    // the cell font and the header font stay as they are.
    void SetRowHeightFactor(double factor);
    double GetRowHeightFactor() const { return m_rowHeightFactor; }
    // Takes over trait (null is ignored) and deletes the previous one.
    void SetRowTrait(CGridRowTrait* trait);
    CGridRowTrait* GetRowTrait() const { return m_rowTrait.get(); }
    QFont GetCellFont() const { return m_cellFont; }
    // Drawn in the client area while the grid has no rows.
    QString GetEmptyMarkupText() const { return m_emptyText; }

    // ---- editing -------------------------------------------------------
    // Opens the editor of a cell as a second click would (the click rules
    // are not checked). Returns the editor, or null when the column has no
    // editor (or the trait made a widget that is no CGridEditor) or the
    // parent refused the edit. An active editor is first ended as accepted.
    QWidget* EditCell(int row, int col);
    QWidget* GetActiveEditor() const { return m_activeEditor.data(); }
    // Ends the active editor, if any, as accepted or cancelled.
    void EndActiveEdit(bool accept);
    // Called by a closing editor: writes the cell (when the trait accepts
    // and the result carries text), returns the focus to the grid if the
    // editor had it, clears the active editor, then emits EndLabelEdit.
    void OnEditorEnd(QWidget* editor, const CGridEditResult& result, bool editorHadFocus);

    // Receives every context-menu request; point is in screen coordinates,
    // (-1, -1) for the keyboard. The grid's own version dispatches to the
    // handlers below.
    virtual void ShowContextMenu(QWidget* window, const QPoint& point);

signals:
    void BeginLabelEdit(int row, int col, int* pResult);
    void EndLabelEdit(int row, int col, const QString* text, int choiceValue);

protected:
    virtual void OnContextMenuKeyboard(QWidget* window);
    virtual void OnContextMenuHeader(QWidget* window, const QPoint& point, int col);
    virtual void OnContextMenuCell(QWidget* window, const QPoint& point, int row, int col);
    virtual void OnContextMenuGrid(QWidget* window, const QPoint& point);

    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void ApplyRowHeight();
    void FitColumn(int col);
    void FitCell(int row, int col);
    int CellMargins() const;

    CGridModel* m_model;
    CGridColumnFit m_fit;
    bool m_redraw = true;

    std::vector<std::unique_ptr<CGridColumnTrait>> m_columnTraits;  // index = column
    std::unique_ptr<CGridRowTrait> m_rowTrait;
    // The active editor's widget (cleared when it is deleted) and its end
    // interface; the second is used only while the first is set.
    QPointer<QWidget> m_activeEditor;
    CGridEditor* m_activeEnd = nullptr;
    QFont m_cellFont;
    QString m_emptyText;
    double m_rowHeightFactor = 1.0;
    bool m_inDoubleClick = false;
    bool m_destroying = false;
};
