#pragma once
// CPointTableEditor: editing of the cam through the key-point table. Cell
// edits (the grid's begin/end notifications), the table's context menu (add
// or delete one point after/at the selected row) and the hidden range
// delete/insert buttons (6030, 6031) with their row dialog.
//
// A row is its point: row index = point index, so an open editor reaches its
// point even after the rows were rewritten. Every row keeps the point's
// unrounded values behind its formatted texts; edits apply to those, so a
// cancelled edit changes nothing and an edit of one cell changes one value.
//
// Master positions must stay strictly increasing, and far enough apart that
// a point can still be told from its neighbours by the three-decimal master
// the table shows; every path that places a master keeps that rule (see the
// .cpp). Owned by the panel, which fills the rows; GUI thread only.
#include "cam/ecam_point.h"
#include "ui/module_message.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <vector>

class CECamPointSet;
class CSpecListCtrl;
class IModalUi;
class QWidget;

// What the table editing needs from the panel.
class ITableView {
public:
    virtual ~ITableView() = default;
    virtual CECamPointSet& PointSet() = 0;
    virtual void RefreshCurves() = 0;
    virtual void RefreshTable() = 0;
    virtual void WriteTableRow(const ECamPoint& point, int row) = 0;
    virtual IModalUi& ModalUi() = 0;
    virtual QWidget* BoxOwner() = 0;
};

class CPointTableEditor {
    Q_DECLARE_TR_FUNCTIONS(CPointTableEditor)

public:
    CPointTableEditor(ITableView& view, CSpecListCtrl& table) : m_view(view), m_table(table) {}

    void OnBeginLabelEdit(int row, int col);
    // The cell already holds the accepted text; text is null when the edit
    // was cancelled or left the text as it was.
    void OnEndLabelEdit(int row, int col, const QString* text);
    LRESULT OnTablePointCmd(WPARAM wParam, LPARAM lParam);   // WM_TABLE_POINT_CMD
    void OnDeleteRows();   // 6030 "删除"
    void OnInsertRows();   // 6031 "增加"
    // Rewrites every row whose values (kept behind its texts) differ from
    // the cam, and always row `force` (its cell may hold typed text).
    void SyncRows(int force = -1);

private:
    void ShowTableMessage(const QString& text);
    // Runs the row dialog; false (after its message) unless the first row is
    // in [firstStart, rows] and the count positive.
    bool AskRowRange(const QString& title, int firstStart, int32_t& start, int32_t& count);

    // Sets the point of a row to its own unrounded values again; the point
    // set then re-derives the straight-line speeds around it.
    void ReapplyPoint(std::size_t index);

    ITableView& m_view;
    CSpecListCtrl& m_table;
    int m_editRow = -1;   // row (= point index) last opened for editing
};
