// Drive transfer commands of the cam panel and their progress messages: the
// standard and special-point writes, the reads, the axis-scaling fields and
// the read-back CSV export. The point-by-point work runs on the panel's one
// worker (CCamTransferWorker) through the shared transfer core; the worker
// reports with blocking sends that StopTransfers() can release.
#include "ui/panel/razuvavivezuzo_dlg.h"

#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/read_back_csv.h"
#include "drive/transfer_worker.h"
#include "ui/c_number.h"
#include "ui/message_box.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>

#include <filesystem>

namespace {

camxfer::Timing g_transferTiming;   // 50 ms, 10 attempts unless a test shortens them

// Every control whose command would collide with a running transfer: the
// transfer buttons, the imports (they re-enable 6006 / 6033) and the
// function-code dialog (it shares the access object).
constexpr int kTransferLockIds[] = {6005, 6006, 6007, 6024, 6026, 6028, 6033};

QString Tr(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

void CRAZuvavivezUzoDlg::SetTransferTiming(std::chrono::milliseconds pause, int attempts)
{
    g_transferTiming = camxfer::Timing{pause, attempts};
}

// ---- axis scaling ----------------------------------------------------------

void CRAZuvavivezUzoDlg::FocusPuuField(int id, bool selectAll)
{
    QWidget* w = GetDlgItem(id);
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && selectAll) {
        edit->selectAll();
        edit->end(true);   // caret to the end, whole text still selected: scrolled into view
    }
}

static puu::Texts PuuTexts(const CRAZuvavivezUzoDlg& dlg)
{
    puu::Texts texts;
    for (int f = 0; f < 4; ++f)
        texts[static_cast<std::size_t>(f)] = dlg.GetDlgItemText(puu::kFieldIds[f]).toStdString();
    return texts;
}

bool CRAZuvavivezUzoDlg::CheckPuuInput()
{
    const puu::Problem p = puu::CheckInput(PuuTexts(*this));
    if (!p)
        return true;
    ModuleMessageBox(this, Tr(p.message));
    FocusPuuField(puu::kFieldIds[p.field], p.selectAll);
    return false;
}

bool CRAZuvavivezUzoDlg::WritePuuParams()
{
    if (!CheckPuuInput())
        return false;
    puu::Values values;
    if (const puu::Problem p = puu::CheckRanges(PuuTexts(*this), &values)) {
        ModuleMessageBox(this, Tr(p.message));
        FocusPuuField(puu::kFieldIds[p.field], p.selectAll);
        return false;
    }
    if (!m_funCodeAccess.CheckConnect()) {
        ModuleMessageBox(this, Tr("串口未连接!"));
        return false;
    }
    CFunCodeFieldIo io(m_funCodeAccess);
    if (!puu::WriteValues(io, values)) {
        ModuleMessageBox(this, Tr("写入数据失败!"));
        return false;
    }
    return true;
}

bool CRAZuvavivezUzoDlg::ReadPuuParams()
{
    CFunCodeFieldIo io(m_funCodeAccess);
    puu::Values v;
    if (!puu::ReadValues(io, v)) {
        ModuleMessageBox(this, Tr("读取数据失败!"));
        return false;
    }
    SetDlgItemText(IDC_EDIT_SLAVE_PULSE, QString::number(v.slavePulse));
    SetDlgItemText(IDC_EDIT_SLAVE_UNITS, QString::number(v.slaveUnit));
    SetDlgItemText(IDC_EDIT_MASTER_PULSE, QString::number(v.masterPulse));
    SetDlgItemText(IDC_EDIT_MASTER_UNITS, QString::number(v.masterUnit));
    return true;
}

bool CRAZuvavivezUzoDlg::ReadCamPointCount(int& count)
{
    CFunCodeFieldIo io(m_funCodeAccess);
    int n = 0;
    // A count beyond the special-point table would read past its last group;
    // it cannot be a table this panel wrote, so it is treated as a bad read.
    if (!puu::ReadPointCount(io, n) || n > camtable::kSpecialMaxPoints) {
        ModuleMessageBox(this, Tr("读取数据失败!"));
        return false;
    }
    count = n;
    return true;
}

int CRAZuvavivezUzoDlg::GetValidPointCount()
{
    const QString text = GetDlgItemText(IDC_EDIT_SPECIAL_COUNT);
    if (text.isEmpty() || text.contains(QLatin1Char('.')))
        return -1;
    const int32_t v = CToI(text);
    return v == 0 ? -1 : v;
}

// ---- starting and ending a transfer ----------------------------------------

void CRAZuvavivezUzoDlg::LockForTransfer(std::initializer_list<int> specDisabled)
{
    m_transferLocked.clear();
    for (int id : kTransferLockIds) {
        if (QWidget* w = GetDlgItem(id)) {
            m_transferLocked.emplace_back(id, w->isEnabled());
            w->setEnabled(false);
        }
    }
    for (int id : specDisabled) {
        if (QWidget* w = GetDlgItem(id))
            w->setEnabled(false);
    }
}

void CRAZuvavivezUzoDlg::UnlockAfterTransfer()
{
    for (const auto& [id, enabled] : m_transferLocked) {
        if (QWidget* w = GetDlgItem(id))
            w->setEnabled(enabled);
    }
    m_transferLocked.clear();
}

bool CRAZuvavivezUzoDlg::SendTransferReport(unsigned message, uintptr_t wParam)
{
    return m_transferSender && m_transferSender->Send(message, wParam);
}

bool CRAZuvavivezUzoDlg::StartTransfer(const std::function<int(CTransferStop&)>& job)
{
    if (!m_transferSender)
        m_transferSender = std::make_shared<CBlockingMessageSender>(this);
    if (!m_transferWorker)
        m_transferWorker = std::make_shared<CCamTransferWorker>();
    m_bTransferRunning = true;
    if (!m_transferWorker->Start([job](CTransferStop& stop) { job(stop); })) {
        m_bTransferRunning = false;
        ModuleMessageBox(nullptr, Tr("启动线程失败\n!"));
        return false;
    }
    return true;
}

void CRAZuvavivezUzoDlg::StopTransfers()
{
    if (m_transferWorker) {
        auto sender = m_transferSender;
        m_transferWorker->Stop([sender] {
            if (sender)
                sender->Cancel();
        });
    }
    if (m_transferSender)
        m_transferSender->Reset();   // the panel may go on: later transfers report again
    if (m_bTransferRunning) {
        // Stopped before its final report: give the controls back here.
        UnlockAfterTransfer();
        if (m_progress)
            m_progress->hide();
        m_bTransferRunning = false;
    }
}

static void ShowProgress(QProgressBar* bar, std::size_t count)
{
    if (!bar)
        return;
    bar->setRange(0, static_cast<int>(count & 0xFFFF));
    bar->setValue(0);
    bar->show();
    bar->raise();
}

// ---- commands --------------------------------------------------------------

// Before a write: the drive must be connected and take the point count; when
// the count fails the user may still go on. false means do not write.
static bool SendPointCount(CRAZuvavivezUzoDlg* dlg, int count)
{
    if (!dlg->m_funCodeAccess.CheckConnect()) {
        ModuleMessageBox(dlg, Tr("串口未连接!"));
        return false;
    }
    CFunCodeFieldIo io(dlg->m_funCodeAccess);
    return puu::WritePointCount(io, count)
        || ModuleMessageBox(dlg, Tr("写入凸轮点数失败!是否继续烧录?"), QString(), MB_YESNO, MB_ICONQUESTION)
               == IDYES;
}

void CRAZuvavivezUzoDlg::OnStandardWrite()
{
    if (m_bTransferRunning)
        return;
    std::vector<ECamPoint> points;
    m_pointSet.GetPoints(points);
    if (!WritePuuParams())
        return;
    g_camTable = camtable::BuildStandardTable(points);
    if (!SendPointCount(this, static_cast<int>(points.size())))
        return;
    ShowProgress(m_progress, g_camTable.size());
    LockForTransfer({IDC_BTN_STD_WRITE, IDC_BTN_READ});
    StartTransfer([this](CTransferStop& stop) { return StandardWriteThread(this, stop); });
}

void CRAZuvavivezUzoDlg::OnSpecialWrite()
{
    if (m_bTransferRunning)
        return;
    std::vector<ECamPoint> points;
    m_pointSet.GetPoints(points);
    const int v = GetValidPointCount();
    g_nValidPointCount = v;
    if (v < camtable::kSpecialMinPoints || v > camtable::kSpecialMaxPoints) {
        ModuleMessageBox(nullptr, Tr("输入有效点数有误!请输入3~%1内的整数!").arg(camtable::kSpecialMaxPoints));
        return;
    }
    g_camTable = camtable::BuildSpecialTable(points, v);
    const int count = static_cast<int>(points.size()) <= v ? static_cast<int>(points.size()) : v;
    if (!SendPointCount(this, count))
        return;
    ShowProgress(m_progress, g_camTable.size());
    LockForTransfer({IDC_BTN_SPECIAL_WRITE, IDC_BTN_READ});
    StartTransfer([this](CTransferStop& stop) { return SpecialWriteThread(this, stop); });
}

void CRAZuvavivezUzoDlg::OnReadCam()
{
    if (m_bTransferRunning)
        return;
    if (!m_funCodeAccess.CheckConnect()) {
        ModuleMessageBox(this, Tr("串口未连接!"));
        return;
    }
    int count = 0;
    if (!ReadPuuParams() || !ReadCamPointCount(count))
        return;
    ShowProgress(m_progress, static_cast<std::size_t>(count));
    LockForTransfer({IDC_BTN_STD_WRITE, IDC_BTN_READ});
    m_readParam = ReadThread_Param{this, count};
    m_nReadSource = IDC_BTN_READ;
    StartTransfer([this](CTransferStop& stop) { return CamReadThread(&m_readParam, stop); });
}

void CRAZuvavivezUzoDlg::OnSpecialExport()
{
    if (m_bTransferRunning)
        return;
    if (!m_funCodeAccess.CheckConnect()) {
        ModuleMessageBox(this, Tr("串口未连接!"));
        return;
    }
    int count = 0;
    if (!ReadCamPointCount(count))
        return;
    ShowProgress(m_progress, static_cast<std::size_t>(count));
    LockForTransfer({IDC_BTN_SPECIAL_IMPORT});
    m_exportParam = ReadThread_Param{this, count};
    m_nReadSource = IDC_BTN_SPECIAL_EXPORT;
    StartTransfer([this](CTransferStop& stop) { return CamReadThread(&m_exportParam, stop); });
}

// ---- worker procedures (transfer worker thread) -----------------------------

int CRAZuvavivezUzoDlg::StandardWriteThread(CRAZuvavivezUzoDlg* dlg, CTransferStop& stop)
{
    CFunCodeFieldIo io(dlg->m_funCodeAccess);
    CCamTransfer transfer(io, g_transferTiming, &stop);
    const int r = transfer.StandardWrite(
        g_camTable, [dlg](unsigned m, uintptr_t w) { dlg->SendTransferReport(m, w); });
    return r == camxfer::kOk ? 1 : 0;
}

int CRAZuvavivezUzoDlg::SpecialWriteThread(CRAZuvavivezUzoDlg* dlg, CTransferStop& stop)
{
    CFunCodeFieldIo io(dlg->m_funCodeAccess);
    CCamTransfer transfer(io, g_transferTiming, &stop);
    const int r = transfer.SpecialWrite(
        g_camTable, [dlg](unsigned m, uintptr_t w) { dlg->SendTransferReport(m, w); });
    return r == camxfer::kOk ? 1 : 0;
}

int CRAZuvavivezUzoDlg::CamReadThread(ReadThread_Param* param, CTransferStop& stop)
{
    CRAZuvavivezUzoDlg* dlg = param->pDlg;
    CFunCodeFieldIo io(dlg->m_funCodeAccess);
    CCamTransfer transfer(io, g_transferTiming, &stop);
    const int r = transfer.Read(param->nCount, g_camTable,
                                [dlg](unsigned m, uintptr_t w) { dlg->SendTransferReport(m, w); });
    return r == camxfer::kOk ? 1 : 0;
}

// ---- reports (GUI thread, while the worker waits) -----------------------------

LRESULT CRAZuvavivezUzoDlg::OnCamProgress(WPARAM wParam, LPARAM)
{
    if (m_progress)
        m_progress->setValue(static_cast<int>(wParam));
    return 0;
}

// Ends a transfer on the GUI side: progress hidden, locked controls back,
// then the buttons the command itself disabled.
static void EndTransfer(CRAZuvavivezUzoDlg* dlg, std::initializer_list<int> enable)
{
    if (dlg->m_progress)
        dlg->m_progress->hide();
    for (int id : enable) {
        if (QWidget* w = dlg->GetDlgItem(id))
            w->setEnabled(true);
    }
}

// The outcome of either write; a stopped write says nothing.
static void ShowWriteResult(CRAZuvavivezUzoDlg* dlg, WPARAM result, const QString& tooMany)
{
    if (result == camxfer::kOk)
        ModuleMessageBox(dlg, Tr("烧写凸轮点成功!"));
    else if (result == camxfer::kPointFailed)
        ModuleMessageBox(dlg, Tr("烧写凸轮点失败!"));
    else if (result == camxfer::kTooManyPoints)
        ModuleMessageBox(dlg, tooMany);
}

LRESULT CRAZuvavivezUzoDlg::OnCamWriteDone(WPARAM wParam, LPARAM)
{
    UnlockAfterTransfer();
    EndTransfer(this, {IDC_BTN_STD_WRITE, IDC_BTN_READ});
    ShowWriteResult(this, wParam, Tr("凸轮点数量不能超过272"));
    // Cleared last: nothing may start a new worker while this one still
    // waits for the handler to return.
    m_bTransferRunning = false;
    return 0;
}

LRESULT CRAZuvavivezUzoDlg::OnCamSpecialWriteDone(WPARAM wParam, LPARAM)
{
    UnlockAfterTransfer();
    EndTransfer(this, {IDC_BTN_SPECIAL_WRITE, IDC_BTN_READ});
    ShowWriteResult(this, wParam, Tr("凸轮点数量不能超过%1").arg(camtable::kSpecialMaxPoints));
    m_bTransferRunning = false;
    return 0;
}

LRESULT CRAZuvavivezUzoDlg::OnCamReadDone(WPARAM wParam, LPARAM)
{
    UnlockAfterTransfer();
    // A read from 6007 gives back the two buttons it took; the special
    // export only 6026.
    if (m_nReadSource == IDC_BTN_READ)
        EndTransfer(this, {IDC_BTN_SPECIAL_IMPORT, IDC_BTN_STD_WRITE, IDC_BTN_READ});
    else
        EndTransfer(this, {IDC_BTN_SPECIAL_IMPORT});
    if (wParam == camxfer::kOk) {
        ExportReadBackCsv();
        ModuleMessageBox(this, Tr("凸轮点读取成功!"));
    } else if (wParam == camxfer::kPointFailed) {
        ModuleMessageBox(this, Tr("凸轮点读取失败!"));
    }
    m_nReadSource = 0;
    m_bTransferRunning = false;
    return 0;
}

// ---- read-back CSV -----------------------------------------------------------

void CRAZuvavivezUzoDlg::ExportReadBackCsv()
{
    const QString path = ModuleSaveFileName(this, Tr("保存凸轮数据文件"),
                                            QStringLiteral("CSV Files(*.csv);;All Files(*.*)"),
                                            QStringLiteral("csv"), QStringLiteral("ReadECam1.csv"));
    if (path.isEmpty())
        return;
    std::error_code ec;
    const std::filesystem::path fsPath(QFile::encodeName(path).toStdString());
    if (std::filesystem::exists(fsPath, ec))
        std::filesystem::remove(fsPath, ec);
    if (!WriteReadBackCsv(path))
        ModuleMessageBox(nullptr, Tr("保存文件失败!"));
}

bool CRAZuvavivezUzoDlg::WriteReadBackCsv(const QString& path)
{
    return camtable::WriteReadBackCsv(QFile::encodeName(path).toStdString(), g_camTable);
}
