#include "ui/panel/spec_list_ctrl.h"

#include "ui/modal_ui.h"
#include "ui/module_message.h"


CSpecListCtrl::CSpecListCtrl(IModalUi& modalUi, QWidget* parent) : CGridListCtrlGroups(parent), m_modalUi(modalUi) {}

CSpecListCtrl::~CSpecListCtrl() = default;

void CSpecListCtrl::ShowContextMenu(QWidget* /*window*/, const QPoint& point)
{
    if (GetFirstSelectedRow() < 0)
        return;
    // The menu key reports (-1, -1): open the menu at the cell the keyboard
    // is on, not wherever the mouse happens to rest.
    QPoint at = point;
    if (at == QPoint(-1, -1))
        at = FocusCellScreenPos();
    const int id = m_modalUi.PopupMenu(this, at, {{ID_ADD_POINT, tr("添加点")}, {ID_DELETE_POINT, tr("删除点")}});
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
