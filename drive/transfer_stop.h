#pragma once
// Stop request shared between a transfer worker and whoever may end it early
// (the panel closing, ecamctl on SIGINT). The worker's 50 ms pauses are waits
// on this object, so a stop request cuts a pause short instead of waiting it
// out. Any thread may call any member.
#include <chrono>
#include <condition_variable>
#include <mutex>

class CTransferStop {
public:
    void RequestStop();
    bool StopRequested() const;
    // Clears a previous request; only while no worker uses the object.
    void Reset();
    // Pauses for d; returns false at once (or as soon as asked) when a stop
    // has been requested, true when the full pause elapsed.
    bool Pause(std::chrono::milliseconds d);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_stop = false;
};
