#pragma once
// Shared plumbing of the drive subcommands of ecamctl (write, verify,
// read-special, params): selecting the device given by --device and binding a
// CFunCodeAccess to it exactly as the panel does, an in-process simulator for
// "--device sim", a one-line terminal progress bar, Ctrl-C turned into a stop
// request for the running transfer, and UTF-8 <-> wide text.
// Single-threaded use from main(), apart from the transfer worker the
// commands run themselves.
#include "drive/fun_code_access.h"
#include "drive/fun_code_field_io.h"
#include "drive/transfer_stop.h"

#include <QString>

#include <atomic>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <string>
#include <vector>

class CDriveSimulator;

namespace ecamctl {

class DriveSession {
public:
    DriveSession();
    ~DriveSession();
    // url: a device URL (tcp://..., rtu:...), or "sim" for a simulator started
    // here on a loopback port. False with a message when it cannot be used.
    bool Open(const std::string& url, std::string* error);
    // Open, then make sure the drive answers. 0 when it does; otherwise the
    // exit status (2: the URL cannot be used, 1: no drive answers) and why.
    int OpenConnected(const std::string& url, std::string& error);
    CFunCodeAccess& Access() { return m_access; }

private:
    std::unique_ptr<CDriveSimulator> m_sim;
    CFunCodeAccess m_access;
};

// "[#####.....]  12/17" redrawn in place on stderr.
class TerminalProgress {
public:
    explicit TerminalProgress(const char* label) : m_label(label) {}
    void Update(std::size_t done, std::size_t total);
    void Finish();

private:
    const char* m_label;
    int m_lastWidth = -1;
    bool m_drawn = false;
};

// While alive, SIGINT/SIGTERM request a stop of `stop` instead of killing:
// the signals are blocked in this thread (and threads it starts) and taken
// by a small thread with sigwait, so the request runs outside any handler.
class InterruptToStop {
public:
    explicit InterruptToStop(CTransferStop& stop);
    ~InterruptToStop();
    bool Interrupted() const { return m_interrupted.load(); }

private:
    CTransferStop& m_stop;
    std::atomic<bool> m_exiting{false};
    std::atomic<bool> m_interrupted{false};
    std::thread m_waiter;
    sigset_t m_old;
};

// What a drive command holds while it runs: the session, the field access
// over it, and Ctrl+C turned into a stop request from the first request on.
struct DriveCommand {
    DriveSession session;
    CTransferStop stop;
    std::optional<CFunCodeFieldIo> io;
    std::optional<InterruptToStop> interrupt;
    // OpenConnected, then the field access and the interrupt: 0 when ready,
    // otherwise the exit status and why.
    int Open(const std::string& url, std::string& error);
};

// Runs one checked read up to `attempts` times while it fails for a reason a
// new attempt can cure (no answer, a stale or garbled answer, a broken link);
// `why` holds the last failure.
bool ReadAgainOnLineFault(const std::function<bool(DriveError&)>& once, DriveError& why, int attempts = 10);

// camfuncodes::CheckTypedValue in the user's language, an option parameter's
// options listed after "not one of them": empty when `text` is good.
QString TypedValueProblem(const CFunCode& p, const std::wstring& text, int32_t* value);

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

} // namespace ecamctl
