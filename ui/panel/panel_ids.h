#pragma once
// Identities of the cam panel's windows: the control ids of template 6000
// (each control's object name is "idc<id>"), the windows made at run time,
// the curve menu's commands and the key-point table's columns.
#include <QString>

namespace panel {

inline constexpr int IDD = 6000;

enum ControlId : int {
    IDC_GROUP_PUU = 6000,
    IDC_LBL_MASTER_LEN = 6001,
    IDC_LBL_UNIT = 6002,
    IDC_LBL_SLAVE_PULSE = 6003,
    IDC_LBL_MASTER_PULSE = 6004,
    IDC_BTN_FUNCODE = 6005,
    IDC_BTN_STD_WRITE = 6006,
    IDC_BTN_READ = 6007,
    IDC_EDIT_MASTER_LEN = 6008,
    IDC_EDIT_UNIT = 6009,
    IDC_EDIT_SLAVE_UNITS = 6010,
    IDC_EDIT_MASTER_UNITS = 6011,
    IDC_EDIT_SLAVE_PULSE = 6012,
    IDC_EDIT_MASTER_PULSE = 6013,
    IDC_LBL_EQ_SLAVE = 6014,
    IDC_LBL_EQ_MASTER = 6015,
    IDC_LBL_SLAVE_UNIT = 6016,
    IDC_LBL_MASTER_UNIT = 6017,
    IDC_TABLE = 6018,
    IDC_BTN_IMPORT = 6024,
    IDC_BTN_SAVE = 6025,
    IDC_BTN_SPECIAL_IMPORT = 6026,
    IDC_BTN_SPECIAL_SAVE = 6027,
    IDC_BTN_SPECIAL_EXPORT = 6028,
    IDC_EDIT_SPECIAL_COUNT = 6029,
    IDC_BTN_DELETE_ROWS = 6030,
    IDC_BTN_INSERT_ROWS = 6031,
    IDC_BTN_SPECIAL_WRITE = 6033,
    IDC_CURVE_POSITION = 16,
    IDC_CURVE_SPEED = 17,
    IDC_CURVE_ACCEL = 18,
    IDC_PROGRESS = 255,
};

// Curve context menu commands.
enum MenuCommand : int {
    ID_ADD_CAM_POINT = 32775,
    ID_DEL_CAM_POINT = 32776,
    ID_SHOW_CAM_POINT = 32777,
};

// Columns of the key-point table; the first is the list's hidden label column.
enum TableColumn : int {
    kColLabel = 0,
    kColId = 1,
    kColMaster = 2,
    kColSlave = 3,
    kColSpeed = 4,
    kColType = 5,
};

inline QString IdName(int id) { return QStringLiteral("idc%1").arg(id); }

} // namespace panel
