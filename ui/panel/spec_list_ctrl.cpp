#include "ui/panel/spec_list_ctrl.h"

#include "ui/module_message.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

CSpecListCtrl::PopupMenuFn& PopupHook()
{
    static CSpecListCtrl::PopupMenuFn hook;
    return hook;
}

int RunPopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<CSpecListCtrl::MenuItem>& items)
{
    if (PopupHook())
        return PopupHook()(owner, screenPos, items);
    QMenu menu(owner);
    for (const auto& [id, text] : items)
        menu.addAction(text)->setData(id);
    // Only the chosen entry matters; the menu is gone when exec returns.
    QAction* chosen = menu.exec(screenPos);
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace

void CSpecListCtrl::SetPopupMenuHook(PopupMenuFn fn)
{
    PopupHook() = std::move(fn);
}

CSpecListCtrl::CSpecListCtrl(QWidget* parent) : CGridListCtrlGroups(parent) {}

CSpecListCtrl::~CSpecListCtrl() = default;

void CSpecListCtrl::ShowContextMenu(QWidget* /*window*/, const QPoint& point)
{
    if (GetFirstSelectedRow() < 0)
        return;
    // The menu key reports (-1, -1): open the menu where the mouse is, a
    // natural place for it since the design gives no other.
    QPoint at = point;
    if (at == QPoint(-1, -1))
        at = QCursor::pos();
    const std::vector<MenuItem> items{
        {ID_ADD_POINT, QStringLiteral("添加点")},
        {ID_DELETE_POINT, QStringLiteral("删除点")},
    };
    const int id = RunPopupMenu(this, at, items);
    if (id != 0)
        OnMenuCommand(id);
}

void CSpecListCtrl::OnMenuCommand(int id)
{
    // Sent, not posted: the dialog has changed the cam and the rows when the
    // command returns.
    if (id == ID_ADD_POINT)
        SendModuleMessage(parentWidget(), WM_TABLE_POINT_CMD, 1, 0);
    else if (id == ID_DELETE_POINT)
        SendModuleMessage(parentWidget(), WM_TABLE_POINT_CMD, 0, 0);
}
