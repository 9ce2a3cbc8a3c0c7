#pragma once
// CModbusDataSrv: the data service of one device over Modbus TCP or RTU.
// A parameter address is a holding-register address; a 16-bit parameter is
// one register (function 06 to write, 03 to read); a 32-bit parameter is two
// registers, low word first (0x10 to write, 03 to read).
//
// libmodbus opens the link (serial settings, TCP connect); the frames are
// built, sent, read and checked here (host/modbus_frame.h), so that every
// answer is tied to its request and a wait can be cancelled. An answer that
// is not exactly the answer to the request is a failure (BadAnswer), never a
// success. After a timeout, a bad answer or a cancel, an RTU line is drained
// until silent (see DrainLocked) so a late answer cannot be taken for the
// next request; a TCP link in that state is closed and opened again.
//
// Reads: an RTU read answer names no address, so a late or duplicated answer
// of the right length would pass every frame check. ReadSpans therefore reads
// in passes whose requests all differ in length, closes each pass with a
// probe of yet another length, and accepts a pass only when the line carried
// nothing but the answers asked for (see docs/drive-link.md). Single values
// (ReadValue, ReadFunCode) are passes of one run.
//
// Owned by its CDeviceInfo. Connects on demand (Connect, and again before a
// request whenever the link was lost), so a drive plugged in later, or a link
// the drive closed, is picked up at the next request. One mutex serialises
// the exchanges: any thread may call. CancelPending may be called from any
// thread at any time, also while another thread is inside a request.
// An observer (SetExchangeObserver) hears the outcome of every exchange, so
// a host can show whether the link works without asking the drive itself.
#include "host/data_srv_base.h"
#include "host/device_url.h"
#include "host/drive_error.h"
#include "host/link_failure.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

typedef struct _modbus modbus_t;

// One line on the logging category "ecam.modbus" (debug level), where the
// data service traces every request, answer and decision; callers add theirs
// (a read or write tried again). Any thread.
ECAM_HOST_API void TraceModbus(const std::string& line);

class ECAM_HOST_API CModbusDataSrv : public CDataSrvBase {
public:
    explicit CModbusDataSrv(const DeviceUrl& url);
    ~CModbusDataSrv() override;
    CModbusDataSrv(const CModbusDataSrv&) = delete;
    CModbusDataSrv& operator=(const CModbusDataSrv&) = delete;

    // Opens the link if none is open. DriveError::Ok when a link is open.
    DriveError Connect(unsigned timeoutMs = 1000);
    bool IsConnected();
    // Why the last connect attempt failed; None after one that succeeded.
    LinkFailure ConnectFailure();

    int WriteFunCode(CFunCode* p, unsigned timeoutMs, bool waitAnswer, bool checkRange) override;
    int ReadFunCode(CFunCode* p, unsigned timeoutMs, bool waitAnswer) override;
    void CancelPending() override;

    // Register-level access under the same lock (width 16 or 32).
    DriveError WriteValue(uint16_t address, unsigned width, uint32_t value, unsigned timeoutMs);
    DriveError ReadValue(uint16_t address, unsigned width, uint16_t words[2], unsigned timeoutMs);
    int ReadSpans(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs) override;
    DriveError ReadSpansChecked(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs);

    const DeviceUrl& Url() const { return m_url; }

    // Closes the link; the next request opens it again.
    void Disconnect();
    // Called, on the requesting thread, with the outcome of every exchange
    // and of every connect attempt that failed. It must be short and must
    // not call this service. Replacing or clearing it waits for a call in
    // progress, so after SetExchangeObserver({}) none is running or comes.
    using ExchangeObserver = std::function<void(DriveError)>;
    void SetExchangeObserver(ExchangeObserver observer);

private:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Ready, Timeout, Cancelled, Failed };

    DriveError ConnectLocked(unsigned timeoutMs);
    void CloseLocked();
    // Before a request: reopen a link the peer closed, empty the line.
    DriveError ReadyLocked(unsigned timeoutMs, uint64_t generation);
    // One request and its checked answer PDU; the common path of both links.
    DriveError TransactLocked(const std::vector<uint8_t>& request, std::vector<uint8_t>& answer,
                              unsigned timeoutMs, uint64_t generation);
    DriveError SendLocked(const std::vector<uint8_t>& adu);
    // Reads exactly `size` bytes; the first within `first`, each later one
    // within the byte timeout.
    DriveError ReceiveLocked(uint8_t* into, std::size_t size, Clock::duration first, uint64_t generation);
    DriveError ReceiveRtuLocked(const std::vector<uint8_t>& request, std::vector<uint8_t>& answer,
                                uint64_t generation);
    DriveError ReceiveTcpLocked(uint16_t transaction, std::vector<uint8_t>& answer, uint64_t generation);
    // What follows a failed exchange: drain the RTU line or drop the TCP link.
    DriveError AfterFailureLocked(DriveError why, uint64_t generation);
    DriveError DrainLocked(uint64_t generation);
    DriveError ReadPassLocked(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs,
                              uint64_t generation);
    Wait WaitReadable(Clock::duration d, uint64_t generation);
    bool CancelledSince(uint64_t generation) const { return m_generation.load() != generation; }
    DriveError Notify(DriveError outcome);

    DeviceUrl m_url;
    std::mutex m_lock;
    modbus_t* m_ctx = nullptr;
    int m_fd = -1;
    Clock::duration m_responseTimeout{};
    Clock::duration m_byteTimeout{};
    bool m_drainFirst = false;    // RTU: a request was abandoned; wait for silence before the next
    uint16_t m_transaction = 0;   // TCP transaction id of the last request
    LinkFailure m_connectFailure;
    // Every exchange that failed and every frame found on the line unasked;
    // a read pass is good only when this did not move during it.
    uint64_t m_lineFaults = 0;

    // Cancelling: CancelPending advances the generation and wakes the waiter
    // through the event descriptor; a request compares the generation it
    // started with.
    std::atomic<uint64_t> m_generation{0};
    int m_cancelFd = -1;

    std::mutex m_observerLock;   // never held together with m_lock
    ExchangeObserver m_observer;
};
