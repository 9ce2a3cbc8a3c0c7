#include "drive/transfer_worker.h"

#include <system_error>

CCamTransferWorker::~CCamTransferWorker()
{
    Stop();
}

bool CCamTransferWorker::Start(Job job)
{
    if (m_thread.joinable())
        m_thread.join();
    m_stop.Reset();
    m_running.store(true);
    try {
        m_thread = std::thread([this, job = std::move(job)] {
            job(m_stop);
            m_running.store(false);
        });
    } catch (const std::system_error&) {
        m_running.store(false);
        return false;
    }
    return true;
}

void CCamTransferWorker::Stop(const std::function<void()>& release)
{
    if (!m_thread.joinable())
        return;
    m_stop.RequestStop();
    if (release)
        release();
    m_thread.join();
}
