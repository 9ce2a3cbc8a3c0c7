#include "drive_session.h"

#include "host/modbus_data_srv.h"

#include "drive/transfer_stop.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "sim/drive_simulator.h"
#include "texts.h"
#include "ui/lang/fun_code_texts.h"

#include "drive/cam_fun_codes.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <pthread.h>

namespace ecamctl {

DriveSession::DriveSession() = default;
DriveSession::~DriveSession() = default;

bool DriveSession::Open(const std::string& url, std::string* error)
{
    std::string target = url;
    if (url == "sim") {
        m_sim = std::make_unique<CDriveSimulator>();
        if (!m_sim->Start(error))
            return false;
        target = m_sim->Url();
    }
    IDeviceManage* devices = CSingleton<CLogicManage>::Instance()->GetDeviceManage();
    std::string why;
    if (!devices || !devices->SelectDevice(target, &why)) {
        if (error)
            *error = U(Ecamctl::tr("设备 URL '%1' 有误: %2").arg(Q(target), Q(why)));
        return false;
    }
    if (!m_access.Init()) {
        if (error)
            *error = U(Ecamctl::tr("%1 没有参数目录").arg(Q(target)));
        return false;
    }
    return true;
}

int DriveSession::OpenConnected(const std::string& url, std::string& error)
{
    if (!Open(url, &error))
        return 2;
    if (!m_access.CheckConnect()) {
        const QString first = QCoreApplication::translate("CPanelTransfers", "串口未连接!") + QStringLiteral(" (%1)").arg(QString::fromStdString(url));
        error = m_access.ConnectFailure().Under(first).toStdString();
        return 1;
    }
    return 0;
}

int DriveCommand::Open(const std::string& url, std::string& error)
{
    if (const int status = session.OpenConnected(url, error))
        return status;
    io.emplace(session.Access());
    interrupt.emplace(stop);
    return 0;
}

bool ReadAgainOnLineFault(const std::function<bool(DriveError&)>& once, DriveError& why, int attempts)
{
    for (int i = 0; i < attempts; ++i) {
        if (once(why))
            return true;
        const DriveError::Kind k = why.kind();
        if (k != DriveError::Timeout && k != DriveError::BadAnswer && k != DriveError::LinkBroken)
            return false;
        if (i + 1 < attempts)
            TraceModbus("read refused (" + why.text() + "); retried (attempt " + std::to_string(i + 2) + " of "
                        + std::to_string(attempts) + ")");
    }
    return false;
}

void TerminalProgress::Update(std::size_t done, std::size_t total)
{
    constexpr int kWidth = 40;
    const int filled = total ? static_cast<int>(done * kWidth / total) : kWidth;
    if (filled == m_lastWidth && done != total)
        return;
    m_lastWidth = filled;
    std::fprintf(stderr, "\r%s [%.*s%.*s] %zu/%zu", m_label, filled, "########################################",
                 kWidth - filled, "........................................", done, total);
    std::fflush(stderr);
    m_drawn = true;
}

void TerminalProgress::Finish()
{
    if (m_drawn)
        std::fputc('\n', stderr);
    m_drawn = false;
}

InterruptToStop::InterruptToStop(CTransferStop& stop) : m_stop(stop)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, &m_old);
    m_waiter = std::thread([this, set] {
        int sig = 0;
        while (sigwait(&set, &sig) == 0) {
            if (m_exiting.load())
                return;
            m_interrupted.store(true);
            m_stop.RequestStop();
        }
    });
}

InterruptToStop::~InterruptToStop()
{
    m_exiting.store(true);
    pthread_kill(m_waiter.native_handle(), SIGINT);
    m_waiter.join();
    pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
}

QString TypedValueProblem(const CFunCode& p, const std::wstring& text, int32_t* value)
{
    const std::string why = camfuncodes::CheckTypedValue(p, text, value);
    if (why != camfuncodes::kNotAnOption)
        return why.empty() ? QString() : FunCodeProblemText(why, p.m_nMin, p.m_nMax);
    // The options are the catalogue's, shown as it writes them.
    QString out = Ecamctl::tr("不是可选值之一:");
    for (const FunCodeOption& o : p.m_options)
        out += QLatin1Char(' ') + QString::fromStdWString(camfuncodes::OptionText(o));
    return out;
}

std::string ToUtf8(const std::wstring& text)
{
    return QString::fromStdWString(text).toStdString();
}

std::wstring FromUtf8(const std::string& text)
{
    return QString::fromStdString(text).toStdWString();
}

} // namespace ecamctl
