// CSpecListCtrl: the key-point table of the cam panel (control 6018).
//
// A grid list control whose only addition is its context menu: "添加点" (1525)
// and "删除点" (1526). Each command sends WM_TABLE_POINT_CMD to the table's
// parent widget (wParam 1 = add after the selected row, 0 = delete the
// selected row), so the dialog has finished the change when the command
// returns. The table holds no cam data; the owning dialog fills the rows.
// The dialog owns the table as a child widget. GUI thread only.
#pragma once

#include "grid/grid_list_ctrl_groups.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class CSpecListCtrl : public CGridListCtrlGroups {
    Q_OBJECT
public:
    static constexpr int ID_ADD_POINT = 1525;
    static constexpr int ID_DELETE_POINT = 1526;

    // One popup menu entry: command id and its text.
    using MenuItem = std::pair<int, QString>;
    // Shows a popup menu at a screen position and returns the chosen command
    // id, or 0 when the menu was dismissed. The default uses QMenu::exec;
    // tests may replace it. Passing an empty function restores the default.
    using PopupMenuFn =
        std::function<int(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items)>;
    static void SetPopupMenuHook(PopupMenuFn fn);

    explicit CSpecListCtrl(QWidget* parent = nullptr);
    ~CSpecListCtrl() override;

    // Runs a menu command as if it had been chosen from the context menu.
    void OnMenuCommand(int id);

protected:
    // Every context-menu request on the grid lands here (right click, which
    // has already selected the clicked row, or the menu key with (-1, -1)).
    void ShowContextMenu(QWidget* window, const QPoint& point) override;
};
