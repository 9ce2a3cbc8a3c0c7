#include "drive/transfer_stop.h"

void CTransferStop::RequestStop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_cv.notify_all();
}

bool CTransferStop::StopRequested() const
{
    std::lock_guard lock(m_mutex);
    return m_stop;
}

void CTransferStop::Reset()
{
    std::lock_guard lock(m_mutex);
    m_stop = false;
}

bool CTransferStop::Pause(std::chrono::milliseconds d)
{
    std::unique_lock lock(m_mutex);
    if (d.count() <= 0)
        return !m_stop;
    return !m_cv.wait_for(lock, d, [this] { return m_stop; });
}
