// Drive transfer commands of the cam panel and their reports.
#include "ui/panel/panel_transfers.h"

#include "drive/cam_read_back.h"
#include "drive/cam_verify.h"
#include "drive/fun_code_access.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/read_back_csv.h"
#include "drive/transfer_worker.h"
#include "ui/c_number.h"
#include "ui/modal_ui.h"
#include "ui/lang/drive_messages.h"
#include "ui/panel/panel_ids.h"
#include "ui/panel/transfer_lock.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>

#include <filesystem>
#include <utility>

using namespace panel;

int32_t g_nValidPointCount = 1500;

namespace {

// Every control whose command would collide with a running transfer: the
// transfer buttons, the imports (they re-enable 6006 / 6033) and the
// function-code dialog (it shares the access object); and everything that
// changes the cam or the fields being written (table, key-point plots,
// length, unit, scaling, the range buttons), so the drive gets the cam the
// user sees.
constexpr std::initializer_list<int> kTransferLockIds = {
    IDC_BTN_FUNCODE,       IDC_BTN_STD_WRITE,    IDC_BTN_READ,          IDC_BTN_IMPORT,
    IDC_BTN_SPECIAL_IMPORT, IDC_BTN_SPECIAL_EXPORT, IDC_BTN_SPECIAL_WRITE, IDC_TABLE,
    IDC_CURVE_POSITION,    IDC_CURVE_SPEED,      IDC_EDIT_MASTER_LEN,   IDC_EDIT_UNIT,
    IDC_EDIT_SLAVE_PULSE,  IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS,
    IDC_EDIT_SPECIAL_COUNT, IDC_BTN_DELETE_ROWS, IDC_BTN_INSERT_ROWS};

// The scaling field's control, in the order the checks visit them.
int PuuFieldId(int field)
{
    switch (field) {
    case puu::kSlavePulse: return IDC_EDIT_SLAVE_PULSE;
    case puu::kSlaveUnit: return IDC_EDIT_SLAVE_UNITS;
    case puu::kMasterPulse: return IDC_EDIT_MASTER_PULSE;
    default: return IDC_EDIT_MASTER_UNITS;
    }
}

UINT MessageOf(camxfer::ReportKind kind)
{
    switch (kind) {
    case camxfer::kWriteProgress:
    case camxfer::kVerifyProgress: return WM_CAM_WRITE_PROGRESS;
    case camxfer::kWriteDone: return WM_CAM_WRITE_DONE;
    case camxfer::kReadProgress: return WM_CAM_READ_PROGRESS;
    case camxfer::kReadDone: return WM_CAM_READ_DONE;
    case camxfer::kSpecialWriteDone: return WM_CAM_SPECIAL_WRITE_DONE;
    }
    return 0;
}

// Differences listed in the message after a failed verification; the rest
// are counted.
constexpr std::size_t kMismatchesShown = 10;

} // namespace

CPanelTransfers::CPanelTransfers(ITransferView& view, QObject& receiver, CFunCodeAccess& access,
                                 camxfer::Timing timing, std::function<bool()> verifyAfterWrite)
    : m_view(view), m_receiver(receiver), m_access(access), m_timing(timing),
      m_verifyAfterWrite(std::move(verifyAfterWrite))
{
}

CPanelTransfers::~CPanelTransfers()
{
    Stop();
}

// ---- axis scaling ----------------------------------------------------------

void CPanelTransfers::FocusPuuField(int field, bool selectAll)
{
    QWidget* w = m_view.GetDlgItem(PuuFieldId(field));
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && selectAll) {
        edit->selectAll();
        edit->end(true);   // caret to the end, whole text still selected: scrolled into view
    }
}

static puu::Texts PuuTexts(const ITransferView& view)
{
    puu::Texts texts;
    for (int f = 0; f < 4; ++f)
        texts[static_cast<std::size_t>(f)] = view.GetDlgItemText(PuuFieldId(f)).toStdString();
    return texts;
}

bool CPanelTransfers::CheckPuuInput()
{
    const puu::Problem p = puu::CheckInput(PuuTexts(m_view));
    if (!p)
        return true;
    m_view.ModalUi().Box(m_view.BoxOwner(), PuuMessage(p.message));
    FocusPuuField(p.field, p.selectAll);
    return false;
}

bool CPanelTransfers::WritePuuParams(puu::Values& values)
{
    if (!CheckPuuInput())
        return false;
    if (const puu::Problem p = puu::CheckRanges(PuuTexts(m_view), &values)) {
        m_view.ModalUi().Box(m_view.BoxOwner(), PuuMessage(p.message));
        FocusPuuField(p.field, p.selectAll);
        return false;
    }
    if (!CheckConnected())
        return false;
    CFunCodeFieldIo io(m_access);
    if (!puu::WriteValues(io, values)) {
        m_view.ModalUi().Box(m_view.BoxOwner(), tr("写入数据失败!"));
        return false;
    }
    return true;
}

bool CPanelTransfers::CheckConnected()
{
    if (m_access.CheckConnect())
        return true;
    m_view.ModalUi().Box(m_view.BoxOwner(), m_access.ConnectFailure().Under(tr("串口未连接!")));
    return false;
}

bool CPanelTransfers::ReadPuuParams()
{
    CFunCodeFieldIo io(m_access);
    puu::Values v;
    if (!puu::ReadValues(io, v)) {
        m_view.ModalUi().Box(m_view.BoxOwner(), tr("读取数据失败!"));
        return false;
    }
    m_view.SetDlgItemText(IDC_EDIT_SLAVE_PULSE, QString::number(v.slavePulse));
    m_view.SetDlgItemText(IDC_EDIT_SLAVE_UNITS, QString::number(v.slaveUnit));
    m_view.SetDlgItemText(IDC_EDIT_MASTER_PULSE, QString::number(v.masterPulse));
    m_view.SetDlgItemText(IDC_EDIT_MASTER_UNITS, QString::number(v.masterUnit));
    return true;
}

bool CPanelTransfers::ReadCamPointCount(int& count)
{
    CFunCodeFieldIo io(m_access);
    int n = 0;
    // A count beyond the special-point table would read past its last group;
    // it cannot be a table this panel wrote, so it is treated as a bad read.
    if (!puu::ReadPointCount(io, n, m_timing.attempts) || n > camtable::kSpecialMaxPoints) {
        m_view.ModalUi().Box(m_view.BoxOwner(), tr("读取数据失败!"));
        return false;
    }
    count = n;
    return true;
}

int CPanelTransfers::GetValidPointCount() const
{
    const QString text = m_view.GetDlgItemText(IDC_EDIT_SPECIAL_COUNT);
    if (text.isEmpty() || text.contains(QLatin1Char('.')))
        return -1;
    const int32_t v = CToI(text);
    return v == 0 ? -1 : v;
}

// Before a write: the drive must be connected and take the point count; when
// the count fails the user may still go on. false means do not write.
bool CPanelTransfers::SendPointCount(int count)
{
    if (!CheckConnected())
        return false;
    CFunCodeFieldIo io(m_access);
    return puu::WritePointCount(io, count)
        || m_view.ModalUi().Box(m_view.BoxOwner(), tr("写入凸轮点数失败!是否继续烧录?"), QString(), MB_YESNO,
                                MB_ICONQUESTION)
               == IDYES;
}

// ---- starting and ending a transfer ----------------------------------------

void CPanelTransfers::ShowProgress(std::size_t count)
{
    auto* bar = qobject_cast<QProgressBar*>(m_view.GetDlgItem(IDC_PROGRESS));
    if (!bar)
        return;
    bar->setRange(0, static_cast<int>(count & 0xFFFF));
    bar->setValue(0);
    bar->show();
    bar->raise();
}

void CPanelTransfers::StartTransfer(std::initializer_list<int> enableAtEnd, std::function<void(CTransferStop&)> job)
{
    m_lock = std::make_unique<CTransferLock>([this](int id) { return m_view.GetDlgItem(id); }, kTransferLockIds,
                                             enableAtEnd);
    if (!m_worker)
        m_worker = std::make_unique<CCamTransferWorker>();
    m_bTransferRunning = true;
    if (!m_worker->Start(std::move(job))) {
        m_bTransferRunning = false;
        EndTransfer();
        m_view.ModalUi().Box(nullptr, tr("启动线程失败\n!"));
    }
}

std::shared_ptr<CBlockingMessageSender> CPanelTransfers::Sender()
{
    if (!m_sender)
        m_sender = std::make_shared<CBlockingMessageSender>(&m_receiver);
    return m_sender;
}

void CPanelTransfers::Stop()
{
    if (m_worker) {
        auto sender = m_sender;
        // Releases a worker blocked on a report, and one waiting for the
        // drive's answer (which would otherwise hold the stop up to a whole
        // response timeout).
        m_worker->Stop([this, sender] {
            if (sender)
                sender->Cancel();
            m_access.CancelPending();
        });
    }
    if (m_sender)
        m_sender->Reset();   // the panel may go on: later transfers report again
    if (m_bTransferRunning) {
        // Stopped before its final report: give the controls back here.
        EndTransfer();
        m_bTransferRunning = false;
    }
}

void CPanelTransfers::EnableControl(int id, bool enabled)
{
    QWidget* w = m_view.GetDlgItem(id);
    if (!w || (m_lock && m_lock->SetEnabledAtEnd(w, enabled)))
        return;
    w->setEnabled(enabled);
}

void CPanelTransfers::EndTransfer()
{
    m_lock.reset();
    if (QWidget* bar = m_view.GetDlgItem(IDC_PROGRESS))
        bar->hide();
}

// ---- commands --------------------------------------------------------------

// The job of a write: a field access of its own over the panel's access
// object, a copy of what to write and the timing, all captured by value.
// When the write went through and `verify` holds, the same job reads
// everything back; its final report carries the mismatches it found.
// Reports go through the sender, which a stop can release.
static std::function<void(CTransferStop&)> WriteJob(CFunCodeAccess& access, camverify::Expected expected,
                                                    camxfer::Timing timing, bool verify,
                                                    std::shared_ptr<CBlockingMessageSender> sender)
{
    return [io = CFunCodeFieldIo(access), expected = std::move(expected), timing, verify,
            sender = std::move(sender)](CTransferStop& stop) mutable {
        const UINT done = expected.special ? WM_CAM_SPECIAL_WRITE_DONE : WM_CAM_WRITE_DONE;
        const uintptr_t points = expected.table.size();
        int result = camxfer::kStopped;
        const camxfer::Report report = [&](camxfer::ReportKind kind, uintptr_t value) {
            if (kind == camxfer::kWriteDone || kind == camxfer::kSpecialWriteDone)
                result = static_cast<int>(value);   // reported below, after the check
            else if (kind == camxfer::kVerifyProgress)
                sender->Send(WM_CAM_WRITE_PROGRESS, points + value);
            else
                sender->Send(MessageOf(kind), value);
        };
        CCamTransfer transfer(io, timing, &stop);
        transfer.SetCountAfterTable(expected.pointCount);
        if (expected.special)
            transfer.SpecialWrite(expected.table, report);
        else
            transfer.StandardWrite(expected.table, report);
        if (result == camxfer::kStopped)
            return;
        std::vector<camverify::Mismatch> mismatches;
        if (result == camxfer::kOk && verify) {
            CCamVerifier verifier(io, timing, &stop);
            result = verifier.Verify(expected, mismatches, report);
            if (result == camxfer::kStopped)
                return;
        }
        sender->Send(done, static_cast<uintptr_t>(result), 0, nullptr, std::any(std::move(mismatches)));
    };
}

void CPanelTransfers::StartWrite(bool special, std::optional<puu::Values> scaling, int pointCount)
{
    const bool verify = m_verifyAfterWrite && m_verifyAfterWrite();
    // Verification moves the same bar on through a second pass of the table.
    ShowProgress(m_camTable.size() * (verify ? 2 : 1));
    camverify::Expected expected{scaling, pointCount, m_camTable, special};
    if (special)
        StartTransfer({IDC_BTN_SPECIAL_WRITE, IDC_BTN_READ},
                      WriteJob(m_access, std::move(expected), m_timing, verify, Sender()));
    else
        StartTransfer({IDC_BTN_STD_WRITE, IDC_BTN_READ},
                      WriteJob(m_access, std::move(expected), m_timing, verify, Sender()));
}

void CPanelTransfers::OnStandardWrite()
{
    if (m_bTransferRunning)
        return;
    std::vector<ECamPoint> points;
    m_view.GetPoints(points);
    puu::Values scaling;
    if (!WritePuuParams(scaling))
        return;
    m_camTable = camtable::BuildStandardTable(points);
    // 0 until the table is complete; the worker writes the real count last.
    if (!SendPointCount(0))
        return;
    StartWrite(false, scaling, static_cast<int>(points.size()));
}

void CPanelTransfers::OnSpecialWrite()
{
    if (m_bTransferRunning)
        return;
    std::vector<ECamPoint> points;
    m_view.GetPoints(points);
    const int v = GetValidPointCount();
    g_nValidPointCount = v;
    if (v < camtable::kSpecialMinPoints || v > camtable::kSpecialMaxPoints) {
        m_view.ModalUi().Box(nullptr,
                             tr("输入有效点数有误!请输入3~%1内的整数!").arg(camtable::kSpecialMaxPoints));
        return;
    }
    m_camTable = camtable::BuildSpecialTable(points, v);
    const int count = static_cast<int>(points.size()) <= v ? static_cast<int>(points.size()) : v;
    if (!SendPointCount(0))
        return;
    StartWrite(true, std::nullopt, count);
}

// The job of a read: it reads into a table of its own and hands that table
// back with its final report.
static std::function<void(CTransferStop&)> ReadJob(CFunCodeAccess& access, int count, camxfer::Timing timing,
                                                   std::shared_ptr<CBlockingMessageSender> sender)
{
    return [io = CFunCodeFieldIo(access), count, timing, sender = std::move(sender)](CTransferStop& stop) mutable {
        CCamTransfer transfer(io, timing, &stop);
        std::vector<CamTable_Info> table;
        transfer.Read(count, table, [&](camxfer::ReportKind kind, uintptr_t value) {
            if (kind == camxfer::kReadDone)
                sender->Send(WM_CAM_READ_DONE, value, 0, nullptr, std::any(table));
            else
                sender->Send(MessageOf(kind), value);
        });
    };
}

void CPanelTransfers::OnReadCam()
{
    if (m_bTransferRunning)
        return;
    if (!CheckConnected())
        return;
    int count = 0;
    if (!ReadPuuParams() || !ReadCamPointCount(count))
        return;
    ShowProgress(static_cast<std::size_t>(count));
    // A read from 6007 gives back the two buttons it took and the special import.
    StartTransfer({IDC_BTN_SPECIAL_IMPORT, IDC_BTN_STD_WRITE, IDC_BTN_READ},
                  ReadJob(m_access, count, m_timing, Sender()));
}

void CPanelTransfers::OnSpecialExport()
{
    if (m_bTransferRunning)
        return;
    if (!CheckConnected())
        return;
    int count = 0;
    if (!ReadCamPointCount(count))
        return;
    ShowProgress(static_cast<std::size_t>(count));
    StartTransfer({IDC_BTN_SPECIAL_IMPORT}, ReadJob(m_access, count, m_timing, Sender()));
}

// The final report of a read into key points: why it ended, and the points.
struct CPanelTransfers::ProfileRead {
    camreadback::Outcome outcome;
    std::vector<ECamPoint> points;
};

void CPanelTransfers::OnReadCamProfile(std::function<void(const std::vector<ECamPoint>&)> onRead)
{
    if (m_bTransferRunning)
        return;
    if (!CheckConnected())
        return;
    m_onProfileRead = std::move(onRead);
    // The count is read inside the job, so the bar cannot know the length: busy.
    ShowProgress(0);
    StartTransfer({}, [io = CFunCodeFieldIo(m_access), timing = m_timing, sender = Sender()](CTransferStop& stop) mutable {
        ProfileRead read;
        read.outcome = camreadback::ReadStandardCam(io, timing, &stop, read.points);
        sender->Send(WM_CAM_READ_DONE, read.outcome.result, 0, nullptr, std::any(std::move(read)));
    });
}

LRESULT CPanelTransfers::OnCamProfileReadDone(const ProfileRead& read)
{
    EndTransfer();
    m_bTransferRunning = false;   // the cam may change now
    const auto onRead = std::exchange(m_onProfileRead, nullptr);
    QWidget* owner = m_view.BoxOwner();
    if (read.outcome.result == camreadback::kOk) {
        if (onRead)
            onRead(read.points);
        m_view.ModalUi().Box(owner, tr("从驱动器读取凸轮表成功! 共%1点。\n速度按驱动器保存的精度读回, 保留两位小数。")
                                        .arg(read.points.size()));
    } else if (read.outcome.result != camreadback::kStopped) {
        m_view.ModalUi().Box(owner, tr("从驱动器读取凸轮表失败!") + QLatin1Char('\n') + CamReadBackMessage(read.outcome));
    }
    return 0;
}

// ---- reports (GUI thread, while the worker waits) -----------------------------

bool CPanelTransfers::HandleReport(CModuleMessageEvent& m)
{
    const WPARAM w = m.WParam();
    switch (m.Message()) {
    case WM_CAM_WRITE_PROGRESS:
    case WM_CAM_READ_PROGRESS: m.SetResult(OnCamProgress(w)); return true;
    case WM_CAM_WRITE_DONE: m.SetResult(OnCamWriteDone(w, m.Payload())); return true;
    case WM_CAM_SPECIAL_WRITE_DONE: m.SetResult(OnCamSpecialWriteDone(w, m.Payload())); return true;
    case WM_CAM_READ_DONE:
        if (const auto* read = std::any_cast<ProfileRead>(&m.Payload())) {
            m.SetResult(OnCamProfileReadDone(*read));
            return true;
        }
        m.SetResult(OnCamReadDone(w, std::any_cast<std::vector<CamTable_Info>>(&m.Payload())));
        return true;
    default: return false;
    }
}

LRESULT CPanelTransfers::OnCamProgress(WPARAM wParam)
{
    if (auto* bar = qobject_cast<QProgressBar*>(m_view.GetDlgItem(IDC_PROGRESS)))
        bar->setValue(static_cast<int>(wParam));
    return 0;
}

// The outcome of either write; a stopped write says nothing. A write whose
// read-back differs is a failure, with the first differences listed.
void CPanelTransfers::ShowWriteResult(uintptr_t result, const QString& tooMany, const std::any& mismatches)
{
    QWidget* owner = m_view.BoxOwner();
    if (result == camxfer::kOk) {
        m_view.ModalUi().Box(owner, tr("烧写凸轮点成功!"));
    } else if (result == camxfer::kVerifyFailed) {
        const auto* list = std::any_cast<std::vector<camverify::Mismatch>>(&mismatches);
        const QString lines = list ? MismatchList(*list, kMismatchesShown) : QString();
        m_view.ModalUi().Box(owner, tr("烧写凸轮点后校验失败!") + QLatin1Char('\n') + lines);
    }
    else if (result == camxfer::kNoAnswer) {
        m_view.ModalUi().Box(owner, tr("烧写凸轮点后校验失败!") + QLatin1Char('\n') + tr("驱动器无响应"));
    } else if (result == camxfer::kReadFailed) {
        m_view.ModalUi().Box(owner, tr("烧写凸轮点后校验失败!") + QLatin1Char('\n') + tr("读回数据有误, 无法确认驱动器中的值"));
    } else if (result == camxfer::kPointFailed) {
        m_view.ModalUi().Box(owner, tr("烧写凸轮点失败!") + QLatin1Char('\n') + tr("驱动器中的凸轮表不完整, 凸轮点数为0"));
    } else if (result == camxfer::kTooManyPoints) {
        m_view.ModalUi().Box(owner, tooMany);
    }
}

LRESULT CPanelTransfers::OnCamWriteDone(WPARAM wParam, const std::any& mismatches)
{
    EndTransfer();
    ShowWriteResult(wParam, tr("凸轮点数量不能超过272"), mismatches);
    // Cleared last: nothing may start a new worker while this one still
    // waits for the handler to return.
    m_bTransferRunning = false;
    return 0;
}

LRESULT CPanelTransfers::OnCamSpecialWriteDone(WPARAM wParam, const std::any& mismatches)
{
    EndTransfer();
    ShowWriteResult(wParam, tr("凸轮点数量不能超过%1").arg(camtable::kSpecialMaxPoints), mismatches);
    m_bTransferRunning = false;
    return 0;
}

LRESULT CPanelTransfers::OnCamReadDone(WPARAM wParam, const std::vector<CamTable_Info>* read)
{
    EndTransfer();
    m_camTable = read ? *read : std::vector<CamTable_Info>{};
    if (wParam == camxfer::kOk) {
        ExportReadBackCsv();
        m_view.ModalUi().Box(m_view.BoxOwner(), tr("凸轮点读取成功!"));
    } else if (wParam == camxfer::kNoAnswer) {
        m_view.ModalUi().Box(m_view.BoxOwner(), tr("凸轮点读取失败!") + QLatin1Char('\n') + tr("驱动器无响应"));
    } else if (wParam != camxfer::kStopped) {
        m_view.ModalUi().Box(m_view.BoxOwner(), tr("凸轮点读取失败!"));
    }
    m_bTransferRunning = false;
    return 0;
}

// ---- read-back CSV -----------------------------------------------------------

void CPanelTransfers::ExportReadBackCsv()
{
    const QString path = m_view.ModalUi().SaveFileName(m_view.BoxOwner(), tr("保存凸轮数据文件"),
                                                       QStringLiteral("CSV Files(*.csv);;All Files(*.*)"),
                                                       QStringLiteral("csv"), QStringLiteral("ReadECam1.csv"));
    if (path.isEmpty())
        return;
    // The file that was there is replaced only by a complete new one.
    const std::filesystem::path fsPath(QFile::encodeName(path).toStdString());
    std::string why;
    if (!camtable::WriteReadBackCsv(fsPath.string(), m_camTable, &why))
        m_view.ModalUi().Box(nullptr, tr("保存文件失败!") + QLatin1Char('\n') + QString::fromStdString(why));
}
