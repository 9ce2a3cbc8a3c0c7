#include "grid/grid_list_ctrl_groups.h"

CGridListCtrlGroups::CGridListCtrlGroups(QWidget* parent) : CGridListCtrlEx(parent) {}

CGridListCtrlGroups::~CGridListCtrlGroups() = default;
