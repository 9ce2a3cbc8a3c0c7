// CRAZuvavivezUzoDlg: the cam editor panel, a child widget of a host window.
//
// The panel is the view: it owns the one cam point set and every window that
// shows or edits it (three stacked curve windows 16, 17, 18, the key-point
// table 6018, the axis-scaling fields and the command buttons of template
// 6000, reachable by id through GetDlgItem), decides after every change what
// is recomputed and redrawn (RefreshCurves / RefreshTable), and commits the
// master length and unit fields. The work its commands start lives in
// collaborators it owns, each seeing the panel only through the narrow
// interface it needs: CPanelTransfers (drive transfers), CProfileCommands
// (profiles and workbooks), CPointTableEditor (table editing) and CCurveMenu
// (the position plot's menu).
//
// Ownership: the host API (CDOVadAdiZOR) owns the panel; the panel owns its
// collaborators, the point set, the function-code access object and the
// modal UI it was given; the widgets are Qt children deleted with it.
// Threads: GUI thread only. The one transfer worker never touches the panel:
// its job holds copies of what it needs and reports through blocking module
// messages, which the panel's destructor releases before it joins the worker.
#pragma once

#include "cam/cam_design.h"
#include "cam/ecam_point.h"
#include "cam/ecam_point_set.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_access.h"
#include "ui/module_message.h"
#include "ui/panel/cam_history.h"
#include "ui/panel/curve_menu.h"
#include "ui/panel/panel_template.h"
#include "ui/panel/point_table_editor.h"
#include "ui/panel/profile_commands.h"
#include "ui/panel/panel_transfers.h"

#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CECamCurveWnd;
class IModalUi;
class QFocusEvent;
class QKeyEvent;

// What a panel is given at creation: the modal UI (null: the real Qt one),
// the pacing of its transfers (50 ms and 10 attempts in the product) and
// whether a write is read back and compared (null: the host's setting).
struct PanelSetup {
    std::shared_ptr<IModalUi> modalUi;
    camxfer::Timing transferTiming;
    std::function<bool()> verifyAfterWrite;
};

class CRAZuvavivezUzoDlg : public QWidget,
                           public ITransferView,
                           public IProfileView,
                           public ITableView,
                           public ICurveMenuView {
    Q_OBJECT
public:
    // Construction makes no window (no controls) yet; Create does.
    explicit CRAZuvavivezUzoDlg(PanelSetup setup = {});
    ~CRAZuvavivezUzoDlg() override;

    // Builds template 6000 as a hidden child of parent and runs OnInitDialog.
    // Fails (false) without a parent, as a child window cannot exist alone.
    bool Create(QWidget* parent);
    // Moves and resizes the panel; the size handler always runs afterwards,
    // also when the size is unchanged or the panel is still hidden.
    void MoveWindow(const QRect& rect);

    // Control of template 6000 (or curve window / progress bar) by id.
    QWidget* GetDlgItem(int id) const override;
    QString GetDlgItemText(int id) const override;
    void SetDlgItemText(int id, const QString& text) override;
    // Enables or disables a control; one a running transfer holds stays
    // disabled and takes the state when the transfer ends.
    void EnableDlgItem(int id, bool enabled) override;

    // The cam as it stands, and a whole new one (curves and table redrawn,
    // vertical ranges kept).
    void GetPoints(std::vector<ECamPoint>& out) const override;
    void LoadPoints(const std::vector<ECamPoint>& points);
    // The master length last applied or shown in field 6008.
    uint32_t MasterLength() const { return m_nMasterLength; }
    // The cam model itself, read-only (curve samples, look-ups).
    const CECamPointSet& CamModel() const { return m_pointSet; }

    void RefreshCurves() override;
    void RefreshTable() override;

    // True from the start of a drive transfer until its final report.
    bool IsTransferRunning() const { return m_transfers && m_transfers->IsRunning(); }
    // Stops a running transfer at its next field and waits for the worker.
    void StopTransfers();

    // Undo and redo of the cam's edits (Ctrl+Z; Ctrl+Shift+Z or Ctrl+Y). A
    // change not yet recorded is recorded first; nothing happens while a
    // transfer runs. True when a step was undone or redone.
    bool UndoCamEdit();
    bool RedoCamEdit();
    const CCamHistory& History() const { return *m_history; }

    // The motion-law dialog (CMotionLawDlg), opened with the laws last
    // accepted; OK replaces the cam and the master length as one undoable
    // step. Refused while a transfer runs. True when the cam was replaced.
    bool ShowMotionLawDialog();
    // Before a command replaces the cam (open a profile, read from the
    // drive): with unsaved changes the user chooses to save first (false
    // when that save fails or is cancelled), to drop them, or to cancel
    // (false). True when the command may go on. False while a transfer runs.
    bool ConfirmLeaveCam();
    // Saves the profile through the save dialog; the saved state is then
    // the unmodified one. Opens one the same way, asking first.
    bool SaveProfile();
    bool OpenProfile();
    // "从驱动器读取凸轮表": binds the selected drive, asks about unsaved
    // changes, then reads the drive's standard table in the background; a
    // clean read replaces the cam and the master length as one undoable
    // step. True when the read was started.
    bool ReadCamFromDrive();
    // Binds the drive access to the drive the host selects now.
    void BindSelectedDrive();

protected:
    bool event(QEvent* e) override;                           // module messages
    bool eventFilter(QObject* watched, QEvent* e) override;   // pre-filter
    void resizeEvent(QResizeEvent* e) override;

private:
    // The collaborators' view of the panel.
    CECamPointSet& PointSet() override { return m_pointSet; }
    void WriteTableRow(const ECamPoint& point, int row) override;
    void ReplaceCam(const std::vector<ECamPoint>& points, bool relinkLinear) override;
    void ShowMasterLength(uint32_t length) override;
    IModalUi& ModalUi() override { return *m_modalUi; }
    QWidget* BoxOwner() override { return this; }

    // Data exchange of field 6008 with m_nMasterLength. Returns false when
    // the field's text is not an unsigned integer; the value then stays.
    bool DoDataExchange(bool saveAndValidate);
    bool OnInitDialog();
    void OnSize();
    void SetupTableColumns();
    void ConnectCommands();
    void SetMasterLength(uint32_t length);
    void OnFunCodeSet();   // 6005

    LRESULT OnUniEditEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveDragEnd(WPARAM wParam, LPARAM lParam);
    bool PreTranslateMessage(QObject* target, QEvent* e);
    void OnFieldFocusOut(QWidget* field, QFocusEvent* e);
    // Ends an open table cell editor (accepted or cancelled) before input
    // aimed elsewhere is dispatched.
    void CommitTableEdit(QWidget* target, bool accept);
    void RefocusMasterLength();
    // History: the state as the history keeps it, a record after the event
    // being handled, and the restore of a recorded state.
    CamState CurrentCamState() const;
    void ScheduleHistoryRecord();
    void FlushHistoryRecord();
    void ApplyHistoryState(const CamState& state);
    bool HandleHistoryKey(QKeyEvent* e);

    std::shared_ptr<IModalUi> m_modalUi;
    const camxfer::Timing m_transferTiming;
    std::function<bool()> m_verifyAfterWrite;
    uint32_t m_nMasterLength = 1000;           // field 6008
    CECamPointSet m_pointSet;                  // the panel's one cam model
    CFunCodeAccess m_funCodeAccess;
    CECamCurveWnd* m_wndPosition = nullptr;    // id 16
    CECamCurveWnd* m_wndSpeed = nullptr;       // id 17
    CECamCurveWnd* m_wndAccel = nullptr;       // id 18
    PanelControls m_controls;                  // fields and table of template 6000
    int m_bInitialised = 0;                    // gates the size handler
    bool m_bCommitOnFocusOut = false;          // a commit runs inside a focus change

    std::unique_ptr<CPanelTransfers> m_transfers;
    std::unique_ptr<CProfileCommands> m_profiles;
    std::unique_ptr<CPointTableEditor> m_tableEditor;
    std::unique_ptr<CCurveMenu> m_curveMenu;
    std::unique_ptr<CCamHistory> m_history;
    bool m_historyRecordPending = false;
    bool m_applyingHistory = false;
    std::vector<DesignSegment> m_motionLaws;   // the laws last accepted
};
