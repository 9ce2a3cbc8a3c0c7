// CRAZuvavivezUzoDlg: the cam editor panel, a child widget of a host window.
//
// It owns the one cam point set and every window that shows or edits it: three
// stacked curve windows (ids 16, 17, 18), the key-point table (6018), the
// axis-scaling fields and the command buttons of template 6000 (controls are
// named "idc<id>", see GetDlgItem). Every user command, edit and drive-transfer
// report arrives here and the dialog decides what is recomputed and redrawn
// (RefreshCurves / RefreshTable).
//
// Ownership: the dialog owns its point set, function-code access object and
// spreadsheet helper by value; the widgets are Qt children deleted with it.
// The host API (CDOVadAdiZOR) owns the dialog itself. GUI thread only; the
// transfer workers reach the dialog only through module messages.
//
// The handler blocks below are implemented by their groups in separate files
// (file commands, table editing, drive transfers, function codes).
#pragma once

#include "cam/ecam_point.h"
#include "cam/ecam_point_set.h"
#include "drive/fun_code_access.h"
#include "files/ms_excel_helper.h"
#include "ui/module_message.h"

#include <QBrush>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CECamCurveWnd;
class CUniECamEdit;
class CVelaEdit;
class CSpecListCtrl;
class QProgressBar;
class QPushButton;
class QFocusEvent;
class CCamTransferWorker;
class CTransferStop;

// Module-wide special-point count, shown in field 6029 (initially 1500).
extern int32_t g_nValidPointCount;

class CRAZuvavivezUzoDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int IDD = 6000;

    // Control ids of template 6000 and the child windows made at run time.
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

    // One entry of a popup menu: command id, text, enabled.
    struct MenuItem {
        int id;
        QString text;
        bool enabled;
    };
    // Shows a popup menu at a screen position and returns the chosen command
    // id, or 0 when dismissed. The default runs QMenu::exec; tests replace it.
    // An empty function restores the default.
    using PopupMenuFn =
        std::function<int(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items)>;
    static void SetPopupMenuHook(PopupMenuFn fn);

    // Construction makes no window (no controls) yet; Create does.
    CRAZuvavivezUzoDlg();
    ~CRAZuvavivezUzoDlg() override;

    // Builds template 6000 as a hidden child of parent and runs OnInitDialog.
    // Fails (false) without a parent, as a child window cannot exist alone.
    bool Create(QWidget* parent);
    // Moves and resizes the panel; the size handler always runs afterwards,
    // also when the size is unchanged or the panel is still hidden.
    void MoveWindow(const QRect& rect);

    // Control of template 6000 (or curve window / progress bar) by id.
    QWidget* GetDlgItem(int id) const;
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString& text);

    // Data exchange of field 6008 with m_nMasterLength (the other bound
    // controls are the member widgets themselves). Returns false when the
    // field's text is not an unsigned integer; the value then stays.
    bool DoDataExchange(bool saveAndValidate);
    bool OnInitDialog();
    void OnSize();
    void LayoutControls();
    void SetMasterLength(uint32_t length);
    void RefreshCurves();
    void RefreshTable();
    void WriteTableRow(const ECamPoint& point, int row);

    LRESULT OnUniEditEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveDragEnd(WPARAM wParam, LPARAM lParam);
    // Right button on the position curve: opens the curve menu when the
    // point (client coordinates of that window) lies in its plot area.
    void OnPositionCurveRightClick(const QPoint& clientPos, const QPoint& screenPos);
    void OnCommand(int id);
    void OnAddCamPoint();
    void OnDelCamPoint();
    void OnShowCamPoint();

    // ---- members (roles as the panel's design lists them) ----
    uint32_t m_nMasterLength = 1000;           // field 6008
    CECamPointSet m_pointSet;                  // the panel's one cam model
    CECamCurveWnd* m_wndPosition = nullptr;    // id 16
    CECamCurveWnd* m_wndSpeed = nullptr;       // id 17
    CECamCurveWnd* m_wndAccel = nullptr;       // id 18
    CUniECamEdit* m_editMasterLength = nullptr;  // 6008, commit id 6008
    CUniECamEdit* m_editUnit = nullptr;          // 6009, commit id 6009
    CSpecListCtrl* m_listPoints = nullptr;       // 6018
    double m_dEditMaster = 0.0;                // master of the row last opened for editing
    QPoint m_ptCurveMenu;                      // last right click in the position plot area
    QProgressBar* m_progress = nullptr;        // id 255
    CFunCodeAccess m_funCodeAccess;
    CMSExcelHelper m_excelHelper;
    int m_bInitialised = 0;                    // gates the size handler
    QBrush m_brushBk;                          // white background
    CVelaEdit* m_editMasterPulse = nullptr;    // 6013
    CVelaEdit* m_editSlavePulse = nullptr;     // 6012
    CVelaEdit* m_editMasterUnits = nullptr;    // 6011
    CVelaEdit* m_editSlaveUnits = nullptr;     // 6010

    // ==== files group (files/panel/dlg_file_commands.cpp) ====
    void OnOpenECamFile();   // 6024 "导入"
    void OnSaveECamFile();   // 6025 "保存"
    void OnSpecialImport();  // 6026 "特殊点导入"
    void OnSpecialSave();    // 6027 "特殊点保存"
    // Profile file of the key points and the "PUU设定" fields; false on a
    // file error (the reader has then shown the error's own description).
    bool ECamProfileWriter(const QString& path);
    bool ECamProfileReader(const QString& path);
    // Special-point workbooks; false (after their messages) on failure.
    bool ImportSpecialPoints(const QString& path);
    bool SaveSpecialPoints(const QString& path);
    // ==== end files group ====

    // ==== table group (ui/panel/dlg_table_edit.cpp) ====
    void OnBeginLabelEdit(int row, int col);
    void OnEndLabelEdit(int row, int col, const QString* text);  // text null = cancelled
    LRESULT OnTablePointCmd(WPARAM wParam, LPARAM lParam);
    void OnDeleteRows();  // 6030 "删除"
    void OnInsertRows();  // 6031 "增加"
    // ==== end table group ====

    // ==== transfer group (drive/panel/dlg_transfer_commands.cpp) ====
    void OnStandardWrite();   // 6006
    void OnSpecialWrite();    // 6033
    void OnReadCam();         // 6007
    void OnSpecialExport();   // 6028
    LRESULT OnCamProgress(WPARAM wParam, LPARAM lParam);          // 0x401, 0x403
    LRESULT OnCamWriteDone(WPARAM wParam, LPARAM lParam);         // 0x402
    LRESULT OnCamReadDone(WPARAM wParam, LPARAM lParam);          // 0x404
    LRESULT OnCamSpecialWriteDone(WPARAM wParam, LPARAM lParam);  // 0x405
    // Called first by the destructor: stop the worker and wait for it.
    void StopTransfers();

    // Record handed to the read worker: the dialog and the number of points.
    struct ReadThread_Param {
        CRAZuvavivezUzoDlg* pDlg = nullptr;
        int nCount = 0;
    };
    bool CheckPuuInput();
    bool WritePuuParams();
    bool ReadPuuParams();
    // The count in 0x1B08 (messages shown on failure); false on failure.
    bool ReadCamPointCount(int& count);
    int GetValidPointCount();
    void ExportReadBackCsv();
    bool WriteReadBackCsv(const QString& path);
    // True from the start of a transfer until its final report was handled.
    bool IsTransferRunning() const { return m_bTransferRunning; }
    // Pause before each field and attempts per field of the transfers
    // (50 ms and 10 in the product; tests shorten the pause).
    static void SetTransferTiming(std::chrono::milliseconds pause, int attempts);
    // Worker procedures; 1 on success, 0 otherwise.
    static int StandardWriteThread(CRAZuvavivezUzoDlg* dlg, CTransferStop& stop);
    static int SpecialWriteThread(CRAZuvavivezUzoDlg* dlg, CTransferStop& stop);
    static int CamReadThread(ReadThread_Param* param, CTransferStop& stop);

    ReadThread_Param m_readParam;     // the 6007 read's record
    ReadThread_Param m_exportParam;   // the 6028 export's record
    bool m_bTransferRunning = false;
    int m_nReadSource = 0;            // button that started the running read
    std::shared_ptr<CCamTransferWorker> m_transferWorker;
    std::shared_ptr<CBlockingMessageSender> m_transferSender;
    // Enabled state of the controls a transfer locks, restored at its end.
    std::vector<std::pair<int, bool>> m_transferLocked;

private:
    bool StartTransfer(const std::function<int(CTransferStop&)>& job);
    void LockForTransfer(std::initializer_list<int> specDisabled);
    void UnlockAfterTransfer();
    void FocusPuuField(int id, bool selectAll);
    bool SendTransferReport(unsigned message, uintptr_t wParam);

public:
    // ==== end transfer group ====

    // ==== function-code group (drive/panel/dlg_funcode_command.cpp) ====
    void OnFunCodeSet();  // 6005
    // ==== end function-code group ====

protected:
    bool event(QEvent* e) override;                           // module messages
    bool eventFilter(QObject* watched, QEvent* e) override;   // pre-filter
    void resizeEvent(QResizeEvent* e) override;

private:
    void BuildTemplate();
    void ConnectCommands();
    bool PreTranslateMessage(QObject* target, QEvent* e);
    void SetupTableColumns();
    void OnFieldFocusOut(QWidget* field, QFocusEvent* e);
    void RefocusMasterLength();
    bool m_bCommitOnFocusOut = false;  // a commit runs inside a focus change
};
