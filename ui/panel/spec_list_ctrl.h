// CSpecListCtrl: the key-point table of the cam panel (control 6018).
//
// A grid list control whose only addition is its context menu: "添加点" (1525)
// and "删除点" (1526). Each command sends WM_TABLE_POINT_CMD to the table's
// parent widget (wParam 1 = add after the selected row, 0 = delete the
// selected row), so the dialog has finished the change when the command
// returns. The table holds no cam data; the owning dialog fills the rows.
// The menu is shown through the panel's modal UI. The dialog owns the table
// as a child widget. GUI thread only.
#pragma once

#include "grid/grid_list_ctrl_groups.h"

#include <QPoint>

class IModalUi;

class CSpecListCtrl : public CGridListCtrlGroups {
    Q_OBJECT
public:
    static constexpr int ID_ADD_POINT = 1525;
    static constexpr int ID_DELETE_POINT = 1526;

    CSpecListCtrl(IModalUi& modalUi, QWidget* parent);
    ~CSpecListCtrl() override;

    // Runs a menu command as if it had been chosen from the context menu.
    void OnMenuCommand(int id);

protected:
    // Every context-menu request on the grid lands here (right click, which
    // has already selected the clicked row, or the menu key with (-1, -1),
    // whose menu opens at the focus cell).
    void ShowContextMenu(QWidget* window, const QPoint& point) override;

private:
    IModalUi& m_modalUi;
};
