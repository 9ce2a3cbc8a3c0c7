#pragma once
// Owner of the one transfer worker thread of a panel (or of an ecamctl run).
// Start() runs a job on a new thread, handing it the stop object; Stop() asks
// the job to end at its next field and joins it. A job captures by value what
// it needs (field access, a copy of the table, the timing) and hands its
// results back in its own final report. Busy() only tells whether the thread
// still runs: the panel keeps its own running flag until it has handled the
// final report, and that flag (with the controls it disables) is what keeps a
// second transfer or the function-code dialog from starting.
//
// Start, Stop, Busy and the destructor are called from one thread (the UI
// thread); the job runs on the worker. The destructor stops and joins, so a
// worker never outlives its owner. A job must not wait for its owner's
// thread after RequestStop() without a way out (the panel's blocking send is
// released by the cancel hook given to Stop()).
#include "drive/transfer_stop.h"

#include <atomic>
#include <functional>
#include <thread>

class CCamTransferWorker {
public:
    using Job = std::function<void(CTransferStop& stop)>;

    CCamTransferWorker() = default;
    ~CCamTransferWorker();
    CCamTransferWorker(const CCamTransferWorker&) = delete;
    CCamTransferWorker& operator=(const CCamTransferWorker&) = delete;

    // Runs job on a new thread; false when the thread cannot be created.
    // The previous job must have delivered its final report (it may still be
    // returning: it is joined here, which then takes microseconds).
    bool Start(Job job);
    // True from Start until the job has returned.
    bool Busy() const { return m_running.load(); }
    // Requests a stop, runs `release` (to free a job blocked on its owner),
    // and waits for the thread. Safe to call when nothing runs.
    void Stop(const std::function<void()>& release = {});

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    CTransferStop m_stop;
};
