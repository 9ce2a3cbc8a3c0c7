#include "host/modbus_data_srv.h"

#include "host/modbus_frame.h"

#include <QLoggingCategory>
#include <modbus.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

// Why frames are built and read here instead of by modbus_read_registers and
// friends: libmodbus 3.1.6 takes any 0x06/0x10 echo as success without
// comparing address and value, on RTU it has no transaction id to tell a late
// answer from the current one, and its blocking wait cannot be cut short by
// another thread. Reading the descriptor ourselves gives all three: complete
// checks (mbframe::CheckAnswer), a drain that watches the line, and a wait
// that also watches a cancel event. libmodbus still opens the link, where its
// serial and TCP set-up is what we want.

// Every request, answer and decision, for diagnosing a noisy line on site:
// QT_LOGGING_RULES="ecam.modbus.debug=true", or ecamctl --trace.
Q_LOGGING_CATEGORY(lcModbus, "ecam.modbus", QtWarningMsg)

namespace {

using std::chrono::milliseconds;

QByteArray Hex(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex(' ').toUpper();
}

DriveError Error(DriveError::Kind kind)
{
    return DriveError(kind);
}

int PollMs(std::chrono::steady_clock::duration d)
{
    // Round up: a poll that ends a fraction of a millisecond early would be
    // repeated with a zero timeout, spinning until the deadline.
    const auto ms = std::chrono::ceil<milliseconds>(d).count();
    return ms > 60000 ? 60000 : int(ms);
}

} // namespace

void TraceModbus(const std::string& line)
{
    qCDebug(lcModbus, "%s", line.c_str());
}

CModbusDataSrv::CModbusDataSrv(const DeviceUrl& url)
    : m_url(url), m_cancelFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

CModbusDataSrv::~CModbusDataSrv()
{
    {
        std::lock_guard lock(m_lock);
        CloseLocked();
    }
    if (m_cancelFd >= 0)
        ::close(m_cancelFd);
}

void CModbusDataSrv::CloseLocked()
{
    if (m_ctx) {
        modbus_close(m_ctx);
        modbus_free(m_ctx);
        m_ctx = nullptr;
    }
    m_fd = -1;
    // A fresh link holds nothing of an abandoned request.
    m_drainFirst = false;
}

DriveError CModbusDataSrv::ConnectLocked(unsigned timeoutMs)
{
    if (m_ctx)
        return DriveError();
    modbus_t* ctx = m_url.rtu ? modbus_new_rtu(m_url.device.c_str(), m_url.baud, m_url.parity, m_url.dataBits,
                                               m_url.stopBits)
                              : modbus_new_tcp_pi(m_url.host.c_str(), std::to_string(m_url.port).c_str());
    if (!ctx)
        return Error(DriveError::BadArgument);
    modbus_set_slave(ctx, m_url.unit);
    // libmodbus bounds the TCP connect by the response timeout.
    const unsigned ms = m_url.timeoutMs > 0 ? unsigned(m_url.timeoutMs) : timeoutMs;
    modbus_set_response_timeout(ctx, ms / 1000, (ms % 1000) * 1000);
    if (modbus_connect(ctx) != 0) {
        const int error = errno;
        modbus_free(ctx);
        m_connectFailure = m_url.rtu ? LinkFailure::FromErrno(error, m_url.device, true)
                                     : LinkFailure::FromErrno(error, m_url.host + ":" + std::to_string(m_url.port), false);
        return Error(DriveError::NotConnected);
    }
    m_connectFailure = LinkFailure();
    m_ctx = ctx;
    m_fd = modbus_get_socket(ctx);
    return DriveError();
}

DriveError CModbusDataSrv::Connect(unsigned timeoutMs)
{
    DriveError e;
    {
        std::lock_guard lock(m_lock);
        if (m_ctx)
            return e;
        e = ConnectLocked(timeoutMs);
    }
    // A link that opened has not exchanged anything yet: only a failure tells.
    return e.ok() ? e : Notify(e);
}

void CModbusDataSrv::Disconnect()
{
    std::lock_guard lock(m_lock);
    CloseLocked();
}

void CModbusDataSrv::SetExchangeObserver(ExchangeObserver observer)
{
    std::lock_guard lock(m_observerLock);
    m_observer = std::move(observer);
}

DriveError CModbusDataSrv::Notify(DriveError outcome)
{
    std::lock_guard lock(m_observerLock);
    if (m_observer)
        m_observer(outcome);
    return outcome;
}

LinkFailure CModbusDataSrv::ConnectFailure()
{
    std::lock_guard lock(m_lock);
    return m_connectFailure;
}

bool CModbusDataSrv::IsConnected()
{
    std::lock_guard lock(m_lock);
    return m_ctx != nullptr;
}

void CModbusDataSrv::CancelPending()
{
    m_generation.fetch_add(1);
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_cancelFd, &one, sizeof one);
}

CModbusDataSrv::Wait CModbusDataSrv::WaitReadable(Clock::duration d, uint64_t generation)
{
    const auto deadline = Clock::now() + d;
    while (true) {
        if (CancelledSince(generation))
            return Wait::Cancelled;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return Wait::Timeout;
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_cancelFd, POLLIN, 0}};
        const int rc = ::poll(fds, 2, PollMs(left));
        if (rc < 0) {
            if (errno == EINTR)
                continue;
            return Wait::Failed;
        }
        if (fds[1].revents) {
            // Reset the event; the generation says whether it was meant for
            // this request or for one that has already ended.
            uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(m_cancelFd, &count, sizeof count);
            continue;
        }
        if (fds[0].revents & POLLIN)
            return Wait::Ready;
        if (fds[0].revents)
            return Wait::Failed;
    }
}

// The silence that ends a drain. An abandoned request was owed its answer
// within the response timeout; a drive that is late is late by a fraction of
// that (the slow drives we know answer a few tens of milliseconds after it).
// Waiting for one whole response timeout of silence after the last byte, and
// restarting the wait at every byte, therefore lets an answer as late as twice
// the timeout arrive and be thrown away before the next request goes out.
// A drive later than that is indistinguishable from a dead one; should its
// answer still come, the echo checks refuse it as the answer to another
// request. The cost is one timeout more per failed attempt, paid only after
// a failure. A line that never falls silent (noise, a chattering device) is
// given up after kDrainLimit timeouts: the port is closed and opened again.
DriveError CModbusDataSrv::DrainLocked(uint64_t generation)
{
    constexpr int kDrainLimit = 10;
    const Clock::duration guard = m_responseTimeout;
    const auto giveUp = Clock::now() + kDrainLimit * guard;
    m_drainFirst = true;
    while (true) {
        switch (WaitReadable(guard, generation)) {
        case Wait::Timeout:
            tcflush(m_fd, TCIOFLUSH);
            m_drainFirst = false;
            return DriveError();
        case Wait::Cancelled:
            return Error(DriveError::Cancelled);   // drained before the next request
        case Wait::Failed:
            CloseLocked();
            return Error(DriveError::LinkBroken);
        case Wait::Ready:
            break;
        }
        uint8_t discard[256];
        const ssize_t n = ::read(m_fd, discard, sizeof discard);
        if ((n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) || Clock::now() > giveUp) {
            CloseLocked();
            return Error(DriveError::LinkBroken);
        }
    }
}

DriveError CModbusDataSrv::ReadyLocked(unsigned timeoutMs, uint64_t generation)
{
    if (CancelledSince(generation))
        return Error(DriveError::Cancelled);
    // Empty the line before the request. A TCP drive that closed the link has
    // left an end-of-stream (a serial line that went away shows a hang-up):
    // the request goes over a fresh link instead of failing. Bytes nobody
    // asked for are a late answer: on TCP the link is replaced, on RTU the
    // line is drained until silent, since the rest of that answer may still
    // be on its way.
    if (m_ctx) {
        pollfd pfd{m_fd, POLLIN, 0};
        if (::poll(&pfd, 1, 0) > 0) {
            ++m_lineFaults;
            qCDebug(lcModbus, "stale: bytes on the line before the request; %s",
                    m_url.rtu ? "draining until silent" : "reconnecting");
            if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL) || !m_url.rtu)
                CloseLocked();
            else
                m_drainFirst = true;
        }
    }
    if (DriveError e = ConnectLocked(timeoutMs); !e.ok())
        return e;
    const unsigned ms = m_url.timeoutMs > 0 ? unsigned(m_url.timeoutMs) : timeoutMs;
    m_responseTimeout = milliseconds(ms);
    // Gaps inside one answer are short on any live link; keep the byte
    // timeout below the response timeout so a short test timeout holds.
    m_byteTimeout = milliseconds(ms < 500 ? ms : 500);
    if (m_url.rtu) {
        if (m_drainFirst)
            if (DriveError e = DrainLocked(generation); !e.ok())
                return e;
        tcflush(m_fd, TCIOFLUSH);
    }
    return DriveError();
}

DriveError CModbusDataSrv::SendLocked(const std::vector<uint8_t>& adu)
{
    std::size_t sent = 0;
    while (sent < adu.size()) {
        const ssize_t n = m_url.rtu ? ::write(m_fd, adu.data() + sent, adu.size() - sent)
                                    : ::send(m_fd, adu.data() + sent, adu.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += std::size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        pollfd pfd{m_fd, POLLOUT, 0};
        if (n < 0 && errno == EAGAIN && ::poll(&pfd, 1, PollMs(m_byteTimeout)) > 0 && (pfd.revents & POLLOUT))
            continue;
        return Error(DriveError::LinkBroken);
    }
    return DriveError();
}

DriveError CModbusDataSrv::ReceiveLocked(uint8_t* into, std::size_t size, Clock::duration first, uint64_t generation)
{
    std::size_t got = 0;
    while (got < size) {
        switch (WaitReadable(got == 0 ? first : m_byteTimeout, generation)) {
        case Wait::Timeout:
            // Nothing at all is a timeout; an answer that stops half-way is a bad one.
            return Error(got == 0 ? DriveError::Timeout : DriveError::BadAnswer);
        case Wait::Cancelled:
            return Error(DriveError::Cancelled);
        case Wait::Failed:
            return Error(DriveError::LinkBroken);
        case Wait::Ready:
            break;
        }
        const ssize_t n = ::read(m_fd, into + got, size - got);
        if (n > 0)
            got += std::size_t(n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return Error(DriveError::LinkBroken);
    }
    return DriveError();
}

DriveError CModbusDataSrv::ReceiveRtuLocked(const std::vector<uint8_t>& request, std::vector<uint8_t>& answer,
                                            uint64_t generation)
{
    // Address and function first; the function (and for a read the byte
    // count) then says how long the frame is.
    uint8_t frame[MODBUS_RTU_MAX_ADU_LENGTH];
    if (DriveError e = ReceiveLocked(frame, 2, m_responseTimeout, generation); !e.ok())
        return e;
    std::size_t have = 2;
    int pduLength = 0;
    while ((pduLength = mbframe::AnswerPduLength(request, frame + 1, have - 1)) == 0) {
        if (DriveError e = ReceiveLocked(frame + have, 1, m_byteTimeout, generation); !e.ok())
            return e;
        ++have;
    }
    if (pduLength < 0)
        return Error(DriveError::BadAnswer);
    const std::size_t total = 1 + std::size_t(pduLength) + 2;
    if (DriveError e = ReceiveLocked(frame + have, total - have, m_byteTimeout, generation); !e.ok())
        return e;
    return mbframe::UnwrapRtu(uint8_t(m_url.unit), frame, total, &answer);
}

DriveError CModbusDataSrv::ReceiveTcpLocked(uint16_t transaction, std::vector<uint8_t>& answer, uint64_t generation)
{
    uint8_t header[mbframe::kTcpHeader];
    if (DriveError e = ReceiveLocked(header, sizeof header, m_responseTimeout, generation); !e.ok())
        return e;
    int pduLength = 0;
    if (DriveError e = mbframe::CheckTcpHeader(transaction, uint8_t(m_url.unit), header, &pduLength); !e.ok())
        return e;
    answer.resize(std::size_t(pduLength));
    return ReceiveLocked(answer.data(), answer.size(), m_byteTimeout, generation);
}

DriveError CModbusDataSrv::AfterFailureLocked(DriveError why, uint64_t generation)
{
    ++m_lineFaults;
    if (why.kind() == DriveError::LinkBroken || !m_url.rtu) {
        // TCP: the transaction ids keep answers apart, but a link whose state
        // is unknown may still deliver the abandoned answer; start afresh.
        CloseLocked();
        return why;
    }
    if (why.kind() == DriveError::Cancelled) {
        // Return at once; the next request waits for the silence.
        m_drainFirst = true;
        return why;
    }
    const DriveError drained = DrainLocked(generation);
    return drained.ok() ? why : drained;
}

DriveError CModbusDataSrv::TransactLocked(const std::vector<uint8_t>& request, std::vector<uint8_t>& answer,
                                          unsigned timeoutMs, uint64_t generation)
{
    if (DriveError e = ReadyLocked(timeoutMs, generation); !e.ok())
        return e;
    const uint8_t unit = uint8_t(m_url.unit);
    const uint16_t transaction = ++m_transaction;
    // The one path of both links: only the envelope differs.
    const auto adu = m_url.rtu ? mbframe::RtuAdu(unit, request) : mbframe::TcpAdu(transaction, unit, request);
    qCDebug(lcModbus, "request %s", Hex(adu).constData());
    DriveError e = SendLocked(adu);
    if (e.ok())
        e = m_url.rtu ? ReceiveRtuLocked(request, answer, generation)
                      : ReceiveTcpLocked(transaction, answer, generation);
    if (e.ok())
        e = mbframe::CheckAnswer(request, answer);
    // A drive exception is a complete, matching answer: the line is clean.
    if (e.ok() || e.kind() == DriveError::Exception) {
        qCDebug(lcModbus, "answer  %s: %s", Hex(answer).constData(), e.ok() ? "accepted" : "accepted (drive exception)");
        return e;
    }
    qCDebug(lcModbus, "failed: %s; %s", e.text().c_str(),
            m_url.rtu ? "draining the line until silent" : "closing the link");
    return AfterFailureLocked(e, generation);
}

DriveError CModbusDataSrv::WriteValue(uint16_t address, unsigned width, uint32_t value, unsigned timeoutMs)
{
    if (width != 16 && width != 32)
        return Error(DriveError::BadArgument);
    const uint64_t generation = m_generation.load();
    DriveError e;
    {
        std::lock_guard lock(m_lock);
        // Low word first (MODBUS_SET_INT32_TO_INT16 would put the high word first).
        const uint16_t words[2] = {uint16_t(value & 0xFFFF), uint16_t(value >> 16)};
        const auto request = width == 16 ? mbframe::WriteSingleRequest(address, words[0])
                                         : mbframe::WriteMultipleRequest(address, words, 2);
        std::vector<uint8_t> answer;
        e = TransactLocked(request, answer, timeoutMs, generation);
    }
    return Notify(e);
}

DriveError CModbusDataSrv::ReadValue(uint16_t address, unsigned width, uint16_t words[2], unsigned timeoutMs)
{
    if (width != 16 && width != 32)
        return Error(DriveError::BadArgument);
    const RegSpan span{address, uint16_t(width / 16)};
    return ReadSpansChecked(&span, 1, words, timeoutMs);
}

int CModbusDataSrv::ReadSpans(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs)
{
    return ReadSpansChecked(spans, n, out, timeoutMs).code();
}

DriveError CModbusDataSrv::ReadSpansChecked(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs)
{
    const uint64_t generation = m_generation.load();
    DriveError e;
    {
        std::lock_guard lock(m_lock);
        e = ReadPassLocked(spans, n, out, timeoutMs, generation);
    }
    return Notify(e);
}

// Why a pass can be trusted. Every request of the pass asks for a different
// number of registers, so an answer (late or repeated) to any other request
// of this pass fails the byte-count check; an answer to the same request of
// an earlier attempt carries the same registers. A stale answer from before
// the pass that happens to fit pushes the true answer back: that answer then
// arrives unasked, either on the idle line (seen before the next request) or
// in place of the next answer, whose length it does not have; the probe at
// the end makes that true of the last run too. Either way the fault counter
// moves and the whole pass is refused: one exchange never both fails and
// confirms a value.
DriveError CModbusDataSrv::ReadPassLocked(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs,
                                          uint64_t generation)
{
    constexpr unsigned kMaxRun = 125;
    bool used[kMaxRun + 1] = {};
    std::size_t total = 0;
    if (!spans || !out || n == 0)
        return Error(DriveError::BadArgument);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned c = spans[i].count;
        if (c < 1 || c > kMaxRun || used[c] || unsigned(spans[i].address) + c > 0x10000u)
            return Error(DriveError::BadArgument);
        used[c] = true;
        total += c;
    }
    // The probe re-reads the start of the first run when a shorter unused
    // length exists (addresses known to be there), else reads a little more
    // (ending at the last register when the run sits at the very top).
    unsigned probe = 0;
    for (unsigned c = spans[0].count - 1; c >= 1 && !probe; --c)
        if (!used[c])
            probe = c;
    for (unsigned c = spans[0].count + 1; c <= kMaxRun && !probe; ++c)
        if (!used[c])
            probe = c;
    if (!probe)
        return Error(DriveError::BadArgument);
    const uint16_t probeAt = uint16_t(std::min(unsigned(spans[0].address), 0x10000u - probe));

    // Whatever is on the line before the pass is stale: drained, not counted.
    if (DriveError e = ReadyLocked(timeoutMs, generation); !e.ok())
        return e;
    const uint64_t faultsBefore = m_lineFaults;
    std::vector<uint16_t> words;
    words.reserve(total);
    std::vector<uint8_t> answer;
    for (std::size_t i = 0; i < n; ++i) {
        if (DriveError e = TransactLocked(mbframe::ReadRequest(spans[i].address, spans[i].count), answer, timeoutMs,
                                          generation);
            !e.ok())
            return e;
        for (unsigned k = 0; k < spans[i].count; ++k)
            words.push_back(uint16_t((answer[2 + 2 * k] << 8) | answer[3 + 2 * k]));
    }
    // A refusal of the probe is as good as its data: a complete answer in turn.
    const DriveError closing =
        TransactLocked(mbframe::ReadRequest(probeAt, uint16_t(probe)), answer, timeoutMs, generation);
    if (!closing.ok() && closing.kind() != DriveError::Exception)
        return closing;
    if (m_lineFaults != faultsBefore) {
        qCDebug(lcModbus, "stale: the line carried a frame nobody asked for during this read; all of it refused");
        return Error(DriveError::BadAnswer);
    }
    qCDebug(lcModbus, "read of %zu run(s) confirmed by the probe", n);
    std::copy(words.begin(), words.end(), out);
    return DriveError();
}

int CModbusDataSrv::WriteFunCode(CFunCode* p, unsigned timeoutMs, bool /*waitAnswer*/, bool checkRange)
{
    if (!p)
        return DriveError::BadArgument;
    const uint32_t v = p->m_nAmendValue;
    // A 16-bit value must arrive zero- or sign-extended; anything wider would
    // be silently cut by the register.
    if (checkRange && p->m_nWidth == 16 && v > 0xFFFFu && v < 0xFFFF8000u)
        return DriveError::BadArgument;
    return WriteValue(p->m_nAddr, p->m_nWidth, v, timeoutMs).code();
}

int CModbusDataSrv::ReadFunCode(CFunCode* p, unsigned timeoutMs, bool /*waitAnswer*/)
{
    if (!p)
        return DriveError::BadArgument;
    uint16_t words[2] = {0, 0};
    const DriveError e = ReadValue(p->m_nAddr, p->m_nWidth, words, timeoutMs);
    if (!e.ok())
        return e.code();
    if (p->m_nWidth == 32)
        p->m_nCurValue = uint32_t(words[0]) | (uint32_t(words[1]) << 16);
    else
        p->m_nCurValue = p->IsSigned() ? uint32_t(int32_t(int16_t(words[0]))) : uint32_t(words[0]);
    return DriveError::Ok;
}
