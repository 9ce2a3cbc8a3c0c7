#include "grid/grid_list_ctrl_groups.h"

namespace {
// The group id of a row lives on its column-0 item, beside the item data.
constexpr int kGroupRole = Qt::UserRole + 1;
}  // namespace

CGridListCtrlGroups::CGridListCtrlGroups(QWidget* parent) : CGridListCtrlEx(parent) {}

CGridListCtrlGroups::~CGridListCtrlGroups() = default;

bool CGridListCtrlGroups::InsertGroupHeader(int groupId, const QString& heading)
{
    if (groupId < 0)
        return false;
    m_groups[groupId] = heading;
    return true;
}

QString CGridListCtrlGroups::GetGroupHeader(int groupId) const
{
    const auto it = m_groups.find(groupId);
    return it == m_groups.end() ? QString() : it->second;
}

void CGridListCtrlGroups::RemoveAllGroups()
{
    m_groups.clear();
    for (int row = 0; row < rowCount(); ++row)
        if (QTableWidgetItem* cell = item(row, 0))
            cell->setData(kGroupRole, QVariant());
}

bool CGridListCtrlGroups::SetRowGroupId(int row, int groupId)
{
    if (!HasGroup(groupId) || row < 0 || row >= rowCount() || columnCount() == 0)
        return false;
    QTableWidgetItem* cell = item(row, 0);
    if (!cell) {
        // Through SetItemText so the new item gets the grid's cell settings.
        SetItemText(row, 0, QString());
        cell = item(row, 0);
    }
    cell->setData(kGroupRole, groupId);
    return true;
}

int CGridListCtrlGroups::GetRowGroupId(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    if (!cell)
        return -1;
    const QVariant id = cell->data(kGroupRole);
    return id.isValid() ? id.toInt() : -1;
}
