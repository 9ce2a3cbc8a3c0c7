// CGridListCtrlGroups: the grid with row groups.
//
// Kept small: groups are recorded (id and heading) and each row can be given
// a group id, which callers can query; the grid draws no group headings. The
// key-point table derives from this class without using groups. GUI thread
// only.
#pragma once

#include "grid/grid_list_ctrl_ex.h"

#include <QString>
#include <map>

class CGridListCtrlGroups : public CGridListCtrlEx {
    Q_OBJECT
public:
    explicit CGridListCtrlGroups(QWidget* parent = nullptr);
    ~CGridListCtrlGroups() override;

    // Adds or renames a group; false for a negative id.
    bool InsertGroupHeader(int groupId, const QString& heading);
    QString GetGroupHeader(int groupId) const;  // empty when unknown
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    bool HasGroup(int groupId) const { return m_groups.count(groupId) != 0; }
    // Forgets all groups; rows keep no group afterwards.
    void RemoveAllGroups();

    // Puts a row into a known group; false for an unknown group or row.
    bool SetRowGroupId(int row, int groupId);
    int GetRowGroupId(int row) const;  // -1 when the row has no group

private:
    std::map<int, QString> m_groups;
};
