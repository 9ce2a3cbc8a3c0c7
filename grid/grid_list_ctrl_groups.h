// CGridListCtrlGroups: the grid as the key-point table derives from it.
//
// It would add row groups; the table uses none, so it adds nothing yet and
// keeps the class layering the table is written against. GUI thread only.
#pragma once

#include "grid/grid_list_ctrl_ex.h"

class CGridListCtrlGroups : public CGridListCtrlEx {
    Q_OBJECT
public:
    explicit CGridListCtrlGroups(QWidget* parent = nullptr);
    ~CGridListCtrlGroups() override;
};
