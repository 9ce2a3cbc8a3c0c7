#pragma once
// CPanelTransfers: the cam panel's drive commands. The standard and special
// writes (6006, 6033), the reads (6007, 6028), the axis-scaling fields
// around them and the read-back CSV file.
//
// A command checks the fields, writes the axis scaling and the point count
// on the GUI thread, locks the colliding controls (CTransferLock), shows the
// progress bar and starts the one worker. The worker's job holds copies of
// what it needs (field access, the table to write, the timing) and reports
// through blocking module messages to the panel, which hands them back here
// (HandleReport); the read's final report carries the points it read. The
// panel owns this object; its destruction stops and joins the worker first.
// GUI thread only, except the job itself.
#include "cam/ecam_point.h"
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/puu_params.h"
#include "ui/module_message.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

class CCamTransferWorker;
class CFunCodeAccess;
class CTransferLock;
class CTransferStop;
class IModalUi;
class QWidget;

// The special-point count last asked for in field 6029 (1500 at start).
extern int32_t g_nValidPointCount;

// What the transfers need from the panel.
class ITransferView {
public:
    virtual ~ITransferView() = default;
    virtual QWidget* GetDlgItem(int id) const = 0;
    virtual QString GetDlgItemText(int id) const = 0;
    virtual void SetDlgItemText(int id, const QString& text) = 0;
    virtual void GetPoints(std::vector<ECamPoint>& out) const = 0;
    virtual IModalUi& ModalUi() = 0;
    virtual QWidget* BoxOwner() = 0;
};

class CPanelTransfers {
    Q_DECLARE_TR_FUNCTIONS(CPanelTransfers)

public:
    // Reports go to `receiver` (the panel) as WM_CAM_* messages.
    // verifyAfterWrite is asked at every write whether to read it back.
    CPanelTransfers(ITransferView& view, QObject& receiver, CFunCodeAccess& access, camxfer::Timing timing,
                    std::function<bool()> verifyAfterWrite);
    ~CPanelTransfers();
    CPanelTransfers(const CPanelTransfers&) = delete;
    CPanelTransfers& operator=(const CPanelTransfers&) = delete;

    void OnStandardWrite();   // 6006
    void OnSpecialWrite();    // 6033
    void OnReadCam();         // 6007
    void OnSpecialExport();   // 6028
    // "从驱动器读取凸轮表": the standard table read back as key points (checked
    // block reads), handed to onRead when the read is clean; otherwise the
    // reason is shown and the cam stays. The progress bar runs busy meanwhile.
    void OnReadCamProfile(std::function<void(const std::vector<ECamPoint>&)> onRead);

    // Handles a WM_CAM_* report (true) or leaves the message alone (false).
    bool HandleReport(CModuleMessageEvent& m);

    // True from the start of a transfer until its final report was handled.
    bool IsRunning() const { return m_bTransferRunning; }
    // Stops the worker at its next field and waits for it; controls and
    // progress bar are given back when the final report had not come yet.
    void Stop();
    // Enables or disables control id now or, while a transfer holds it,
    // when that transfer ends (it stays disabled until then).
    void EnableControl(int id, bool enabled);

    // The table of the last transfer: what was written, or what was read.
    const std::vector<CamTable_Info>& CamTable() const { return m_camTable; }

private:
    // True when the drive answers; otherwise says so.
    bool CheckConnected();
    bool CheckPuuInput();
    bool WritePuuParams(puu::Values& written);
    bool ReadPuuParams();
    bool ReadCamPointCount(int& count);
    int GetValidPointCount() const;
    bool SendPointCount(int count);
    void FocusPuuField(int field, bool selectAll);
    void ShowProgress(std::size_t count);

    // Locks the controls, then runs job on the worker.
    void StartTransfer(std::initializer_list<int> enableAtEnd, std::function<void(CTransferStop&)> job);
    // GUI side of a final report: lock released, progress hidden.
    void EndTransfer();
    std::shared_ptr<CBlockingMessageSender> Sender();
    void ShowWriteResult(uintptr_t result, const QString& tooMany, const std::any& mismatches);
    // Starts the worker on a write of m_camTable, verified when the setting asks.
    void StartWrite(bool special, std::optional<puu::Values> scaling, int pointCount);
    void ExportReadBackCsv();

    LRESULT OnCamProgress(WPARAM wParam);
    LRESULT OnCamWriteDone(WPARAM wParam, const std::any& mismatches);
    LRESULT OnCamSpecialWriteDone(WPARAM wParam, const std::any& mismatches);
    LRESULT OnCamReadDone(WPARAM wParam, const std::vector<CamTable_Info>* read);
    struct ProfileRead;
    LRESULT OnCamProfileReadDone(const ProfileRead& read);

    ITransferView& m_view;
    QObject& m_receiver;
    CFunCodeAccess& m_access;
    const camxfer::Timing m_timing;
    const std::function<bool()> m_verifyAfterWrite;
    std::vector<CamTable_Info> m_camTable;   // the panel's transfer table (g_camTable)
    bool m_bTransferRunning = false;
    std::unique_ptr<CTransferLock> m_lock;
    std::shared_ptr<CBlockingMessageSender> m_sender;
    std::unique_ptr<CCamTransferWorker> m_worker;
    std::function<void(const std::vector<ECamPoint>&)> m_onProfileRead;
};
