#include "sim/drive_simulator.h"
#include "sim/sim_texts.h"

#include "host/fun_code_interface.h"
#include "host/modbus_frame.h"
#include "sim/sim_outbox.h"
#include "sim/sim_register_bank.h"

#include <modbus.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <optional>
#include <random>
#include <thread>
#include <time.h>
#include <vector>

namespace {

struct Client {
    int fd = -1;
    int requests = 0;
    bool closing = false;  // closed once its last answers are out
};

bool Fail(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
    return false;
}

// The system's words for an errno value.
QString SystemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

struct CDriveSimulator::Impl {
    SimOptions opt;
    std::unique_ptr<CSimRegisterBank> bank;

    mutable std::mutex faultLock;
    SimFaults faults;
    std::mt19937 rng;

    // Counters tests wait on, guarded by eventLock.
    std::atomic<uint64_t> requests{0};
    std::atomic<uint64_t> closedConnections{0};
    mutable std::mutex eventLock;
    mutable std::condition_variable eventCv;
    std::atomic<bool> running{false};

    modbus_t* ctx = nullptr;
    int listenFd = -1;
    int ptyMaster = -1;
    int ptySlaveHold = -1;  // keeps the slave side open so the master never sees a hang-up
    std::string ptyPath;
    uint16_t port = 0;
    int wake[2] = {-1, -1};
    int capture[2] = {-1, -1};  // answers are built into [0] and read back from [1]
    std::thread thread;
    // Answers not sent yet; server thread only.
    CSimOutbox outbox{[this](int fd, const std::vector<uint8_t>& bytes) { Send(fd, bytes); }};

    bool OpenTcp(std::string* error);
    bool OpenRtu(std::string* error);
    void Serve();
    void ServeTcp();
    void ServeRtu();
    // Answers (or, by the faults, delays, drops, holds or spoils the answer
    // of) one received request; the answer goes to fd, now or through the
    // outbox. False: close that connection.
    bool Handle(int fd, const uint8_t* req, int len);
    // Waits for `fds` (or until the outbox's next entry is due), then sends
    // what is due. False when the wait failed.
    bool Poll(pollfd* fds, size_t n);
    // The answer's bytes as the library frames them, changed by `fault`.
    std::vector<uint8_t> Answer(int fd, const uint8_t* req, int len, const SimScriptedFault* fault);
    void CountClosed();
    void Send(int fd, const std::vector<uint8_t>& bytes);
    void Close();
};

bool CDriveSimulator::Impl::OpenTcp(std::string* error)
{
    listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd < 0) {
        const QString why = SystemError(errno);
        return Fail(error, SimText(DriveSim::tr("无法创建套接字: %1").arg(why)));
    }
    const int yes = 1;
    ::setsockopt(listenFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    // A restarted simulator comes back where clients expect it.
    addr.sin_port = htons(port ? port : opt.port);
    if (::inet_pton(AF_INET, opt.bindAddress.c_str(), &addr.sin_addr) != 1)
        return Fail(error, SimText(DriveSim::tr("监听地址 %1 有误").arg(QString::fromStdString(opt.bindAddress))));
    if (::bind(listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd, 16) != 0) {
        const QString why = SystemError(errno);
        return Fail(error, SimText(DriveSim::tr("无法在 %1:%2 上监听: %3")
                                   .arg(QString::fromStdString(opt.bindAddress))
                                   .arg(opt.port)
                                   .arg(why)));
    }
    socklen_t len = sizeof addr;
    ::getsockname(listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    // The context only frames answers; each client's socket is set per request.
    ctx = modbus_new_tcp("127.0.0.1", port);
    return ctx ? true : Fail(error, SimText(DriveSim::tr("无法创建 Modbus 上下文")));
}

bool CDriveSimulator::Impl::OpenRtu(std::string* error)
{
    ptyMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ptyMaster < 0 || ::grantpt(ptyMaster) != 0 || ::unlockpt(ptyMaster) != 0) {
        const QString why = SystemError(errno);
        return Fail(error, SimText(DriveSim::tr("无法创建伪终端: %1").arg(why)));
    }
    char name[128];
    if (::ptsname_r(ptyMaster, name, sizeof name) != 0) {
        const QString why = SystemError(errno);
        return Fail(error, SimText(DriveSim::tr("无法取得伪终端的路径: %1").arg(why)));
    }
    ptyPath = name;
    ptySlaveHold = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ptySlaveHold < 0) {
        const QString why = SystemError(errno);
        return Fail(error, SimText(DriveSim::tr("无法打开 %1: %2")
                                       .arg(QString::fromStdString(ptyPath), why)));
    }
    termios tio{};
    ::tcgetattr(ptySlaveHold, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(ptySlaveHold, TCSANOW, &tio);
    ctx = modbus_new_rtu(ptyPath.c_str(), opt.baud, 'N', 8, 1);
    if (!ctx)
        return Fail(error, SimText(DriveSim::tr("无法创建 Modbus 上下文")));
    modbus_set_slave(ctx, opt.unit);
    modbus_set_socket(ctx, ptyMaster);
    return true;
}

std::vector<uint8_t> CDriveSimulator::Impl::Answer(int fd, const uint8_t* req, int len, const SimScriptedFault* fault)
{
    const int off = modbus_get_header_length(ctx);
    const int function = req[off];
    auto word = [&](int at) { return uint16_t((req[at] << 8) | req[at + 1]); };
    const bool isWrite = function == MODBUS_FC_WRITE_SINGLE_REGISTER || function == MODBUS_FC_WRITE_MULTIPLE_REGISTERS;
    const uint16_t start = word(off + 1);
    const int count = function == MODBUS_FC_WRITE_SINGLE_REGISTER ? 1 : word(off + 3);

    // The library writes its answer to the capture pair, so a scripted fault
    // can change the bytes before they go out.
    modbus_set_socket(ctx, capture[0]);
    {
        auto lock = bank->Lock();
        if (fault && fault->kind == SimScriptedFault::Exception) {
            modbus_reply_exception(ctx, req, unsigned(fault->value));
        } else {
            std::vector<uint16_t> values;
            // Malformed counts are left to the library's own checks below.
            const bool wellFormed = isWrite && count >= 1 && count <= MODBUS_MAX_WRITE_REGISTERS &&
                                    (function == MODBUS_FC_WRITE_SINGLE_REGISTER || off + 6 + 2 * count <= len);
            if (wellFormed) {
                for (int i = 0; i < count; ++i)
                    values.push_back(function == MODBUS_FC_WRITE_SINGLE_REGISTER ? word(off + 3) : word(off + 6 + 2 * i));
            }
            if (wellFormed && !bank->WriteAllowed(start, values.data(), count)) {
                modbus_reply_exception(ctx, req, MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE);
            } else if (wellFormed && fault && fault->kind == SimScriptedFault::AckWithoutStore) {
                std::vector<uint16_t> before;
                for (int i = 0; i < count; ++i)
                    before.push_back(bank->Get(uint16_t(start + i)));
                modbus_reply(ctx, req, len, bank->Mapping());
                for (int i = 0; i < count; ++i)
                    bank->Set(uint16_t(start + i), before[size_t(i)]);
            } else {
                modbus_reply(ctx, req, len, bank->Mapping());
            }
        }
    }
    modbus_set_socket(ctx, fd);
    std::vector<uint8_t> answer(MODBUS_MAX_ADU_LENGTH);
    const ssize_t n = ::read(capture[1], answer.data(), answer.size());
    answer.resize(n > 0 ? size_t(n) : 0);
    if (!fault || answer.empty())
        return answer;

    switch (fault->kind) {
    case SimScriptedFault::BadFrame:
        if (opt.rtu)
            answer.back() ^= 0xFF;   // CRC
        else
            answer[1] ^= 0x01;       // transaction id
        break;
    case SimScriptedFault::Truncated:
        answer.resize(answer.size() / 2);
        break;
    case SimScriptedFault::OtherUnit:
        if (opt.rtu) {
            answer[0] = uint8_t(answer[0] + 1);
            const uint16_t crc = mbframe::Crc16(answer.data(), answer.size() - 2);
            answer[answer.size() - 2] = uint8_t(crc & 0xFF);
            answer[answer.size() - 1] = uint8_t(crc >> 8);
        } else {
            answer[6] = uint8_t(answer[6] + 1);
        }
        break;
    default:
        break;
    }
    return answer;
}

void CDriveSimulator::Impl::CountClosed()
{
    {
        std::lock_guard l(eventLock);
        ++closedConnections;
    }
    eventCv.notify_all();
}

bool CDriveSimulator::Impl::Handle(int fd, const uint8_t* req, int len)
{
    uint64_t number = 0;
    {
        std::lock_guard l(eventLock);
        number = ++requests;
    }
    eventCv.notify_all();
    SimFaults f;
    bool drop = false;
    std::optional<SimScriptedFault> scripted;
    {
        std::lock_guard lock(faultLock);
        if (auto it = faults.script.find(number); it != faults.script.end())
            scripted = it->second;
        f.delayMs = faults.delayMs;
        drop = !scripted && faults.dropRate > 0 &&
               std::uniform_real_distribution<double>(0.0, 1.0)(rng) < faults.dropRate;
    }
    if (drop)
        return true;
    using Kind = SimScriptedFault::Kind;
    const auto is = [&](Kind k) { return scripted && scripted->kind == k; };
    if (is(Kind::Silent) || is(Kind::Close))
        return !is(Kind::Close) || opt.rtu;
    // The request takes effect now; only its answer waits, in the outbox,
    // so the server thread never sleeps for a fault and serves the other
    // connections meanwhile.
    auto delay = std::chrono::microseconds(std::chrono::milliseconds(
        is(Kind::Late) ? scripted->value : f.delayMs));
    if (opt.rtu && opt.emulateLineTiming) {
        // Request and answer bytes on a real line, 10 bits each (8N1).
        const int off = modbus_get_header_length(ctx);
        int answerBytes = 8;
        if (req[off] == MODBUS_FC_READ_HOLDING_REGISTERS)
            answerBytes = 5 + 2 * ((req[off + 3] << 8) | req[off + 4]);
        const double seconds = double(len + answerBytes) * 10.0 / double(opt.baud);
        delay += std::chrono::microseconds(int64_t(seconds * 1e6));
    }
    std::vector<uint8_t> answer = Answer(fd, req, len, scripted ? &*scripted : nullptr);
    const auto at = std::chrono::steady_clock::now() + delay;
    using Release = CSimOutbox::Release;
    if (is(Kind::Duplicate))
        outbox.Post(fd, answer, Release::Raw, at + std::chrono::milliseconds(scripted->value));
    const Release how = is(Kind::Held)       ? Release::Hold
                        : is(Kind::Repeated) ? Release::AnswerAndRepeat
                                             : Release::Answer;
    outbox.Post(fd, std::move(answer), how, at);
    return true;
}

bool CDriveSimulator::Impl::Poll(pollfd* fds, size_t n)
{
    timespec wait{};
    timespec* timeout = nullptr;
    if (const auto due = outbox.NextDue()) {
        const auto left = std::max(std::chrono::nanoseconds(0),
                                   std::chrono::nanoseconds(*due - std::chrono::steady_clock::now()));
        wait.tv_sec = time_t(left.count() / 1000000000);
        wait.tv_nsec = long(left.count() % 1000000000);
        timeout = &wait;
    }
    if (::ppoll(fds, n, timeout, nullptr) < 0 && errno != EINTR)
        return false;
    outbox.SendDue(std::chrono::steady_clock::now());
    return true;
}

void CDriveSimulator::Impl::Send(int fd, const std::vector<uint8_t>& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = opt.rtu ? ::write(fd, bytes.data() + sent, bytes.size() - sent)
                                  : ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0 && errno != EINTR)
            break;
        sent += n > 0 ? size_t(n) : 0;
    }
}

void CDriveSimulator::Impl::ServeTcp()
{
    std::vector<Client> clients;
    std::vector<uint8_t> req(MODBUS_TCP_MAX_ADU_LENGTH);
    auto close = [&](Client& c, bool ours) {
        outbox.Forget(c.fd);
        CloseFd(c.fd);
        if (ours)
            CountClosed();
    };
    while (true) {
        std::vector<pollfd> fds{{wake[0], POLLIN, 0}, {listenFd, POLLIN, 0}};
        for (const Client& c : clients)
            fds.push_back({c.fd, POLLIN, 0});
        if (!Poll(fds.data(), fds.size()) || fds[0].revents)
            break;
        for (Client& c : clients)
            if (c.closing && !outbox.HasTimed(c.fd))
                close(c, true);
        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                clients.push_back({fd, 0});
        }
        for (size_t i = 2; i < fds.size(); ++i) {
            Client& c = clients[i - 2];
            if (!fds[i].revents || c.fd < 0)
                continue;
            modbus_set_socket(ctx, c.fd);
            const int rc = modbus_receive(ctx, req.data());
            bool keep = true;
            if (rc > 0) {
                keep = Handle(c.fd, req.data(), rc);
                ++c.requests;
            }
            const int closeAfter = [&] { std::lock_guard l(faultLock); return faults.closeAfter; }();
            if (rc < 0 || !keep) {
                close(c, rc >= 0);
            } else if (closeAfter > 0 && c.requests >= closeAfter) {
                // A slow last answer still goes out before the close.
                c.closing = outbox.HasTimed(c.fd);
                if (!c.closing)
                    close(c, true);
            }
        }
        std::erase_if(clients, [](const Client& c) { return c.fd < 0; });
    }
    for (Client& c : clients)
        CloseFd(c.fd);
}

void CDriveSimulator::Impl::ServeRtu()
{
    std::vector<uint8_t> req(MODBUS_RTU_MAX_ADU_LENGTH);
    while (true) {
        pollfd fds[2] = {{wake[0], POLLIN, 0}, {ptyMaster, POLLIN, 0}};
        if (!Poll(fds, 2) || fds[0].revents)
            break;
        if (!(fds[1].revents & POLLIN))
            continue;
        const int rc = modbus_receive(ctx, req.data());
        if (rc > 0) {
            Handle(ptyMaster, req.data(), rc);
        } else if (rc == 0) {
            // A frame for another unit. The library then waits to ignore that
            // unit's answer, which never comes on a point-to-point line, and
            // would swallow our next request instead: start a fresh context.
            modbus_free(ctx);
            ctx = modbus_new_rtu(ptyPath.c_str(), opt.baud, 'N', 8, 1);
            if (!ctx)
                break;
            modbus_set_slave(ctx, opt.unit);
            modbus_set_socket(ctx, ptyMaster);
            modbus_set_indication_timeout(ctx, 1, 0);
        } else {
            tcflush(ptyMaster, TCIFLUSH);  // bad frame: drop what is left of it
        }
    }
}

void CDriveSimulator::Impl::Close()
{
    if (ctx) {
        // Not modbus_close: the sockets are ours and closed below.
        modbus_free(ctx);
        ctx = nullptr;
    }
    CloseFd(listenFd);
    CloseFd(ptyMaster);
    CloseFd(ptySlaveHold);
    CloseFd(wake[0]);
    CloseFd(wake[1]);
    CloseFd(capture[0]);
    CloseFd(capture[1]);
    outbox.Clear();
}

CDriveSimulator::CDriveSimulator(SimOptions options) : m_impl(std::make_unique<Impl>())
{
    m_impl->opt = std::move(options);
    m_impl->faults = m_impl->opt.faults;
    m_impl->rng.seed(m_impl->faults.seed);
}

CDriveSimulator::~CDriveSimulator()
{
    Stop();
}

bool CDriveSimulator::Start(std::string* error)
{
    Impl& d = *m_impl;
    if (d.running)
        return true;
    const std::string path =
        d.opt.cataloguePath.empty() ? CFunCodeInterface::DefaultPath() : d.opt.cataloguePath;
    if (!d.bank) {
        // Registers survive a Stop and a new Start, as a drive's do over a
        // lost link.
        auto catalogue = CFunCodeInterface::LoadFile(path, error);
        if (!catalogue)
            return false;
        d.bank = std::make_unique<CSimRegisterBank>(std::move(catalogue));
    }
    d.outbox.Clear();
    d.requests = 0;
    d.closedConnections = 0;
    if (::pipe2(d.wake, O_CLOEXEC) != 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, d.capture) != 0 ||
        ::fcntl(d.capture[1], F_SETFL, O_NONBLOCK) != 0 || !(d.opt.rtu ? d.OpenRtu(error) : d.OpenTcp(error))) {
        d.Close();
        return false;
    }
    // A server waiting for a frame must not hang past a stop request.
    modbus_set_indication_timeout(d.ctx, 1, 0);
    d.running = true;
    d.thread = std::thread([&d] { d.opt.rtu ? d.ServeRtu() : d.ServeTcp(); });
    return true;
}

void CDriveSimulator::Stop()
{
    Impl& d = *m_impl;
    if (!d.running)
        return;
    const char c = 'q';
    [[maybe_unused]] const ssize_t n = ::write(d.wake[1], &c, 1);
    d.thread.join();
    d.Close();
    d.running = false;
}

bool CDriveSimulator::Running() const
{
    return m_impl->running;
}

std::string CDriveSimulator::Url() const
{
    const Impl& d = *m_impl;
    if (d.opt.rtu)
        return "rtu:" + d.ptyPath + "?baud=" + std::to_string(d.opt.baud) +
               "&parity=N&data=8&stop=1&unit=" + std::to_string(d.opt.unit);
    return "tcp://" + d.opt.bindAddress + ":" + std::to_string(d.port) + "?unit=" + std::to_string(d.opt.unit);
}

uint16_t CDriveSimulator::Port() const
{
    return m_impl->port;
}

std::string CDriveSimulator::PtyPath() const
{
    return m_impl->ptyPath;
}

void CDriveSimulator::SetFaults(const SimFaults& faults)
{
    std::lock_guard lock(m_impl->faultLock);
    if (faults.seed != m_impl->faults.seed)
        m_impl->rng.seed(faults.seed);
    m_impl->faults = faults;
}

SimFaults CDriveSimulator::Faults() const
{
    std::lock_guard lock(m_impl->faultLock);
    return m_impl->faults;
}

void CDriveSimulator::ScriptFault(uint64_t requestNumber, SimScriptedFault fault)
{
    std::lock_guard lock(m_impl->faultLock);
    m_impl->faults.script[requestNumber] = fault;
}

uint16_t CDriveSimulator::Register(uint16_t address) const
{
    if (!m_impl->bank)
        return 0;
    auto lock = m_impl->bank->Lock();
    return m_impl->bank->Get(address);
}

void CDriveSimulator::SetRegister(uint16_t address, uint16_t value)
{
    if (!m_impl->bank)
        return;
    auto lock = m_impl->bank->Lock();
    m_impl->bank->Set(address, value);
}

uint32_t CDriveSimulator::Register32(uint16_t address) const
{
    if (!m_impl->bank)
        return 0;
    auto lock = m_impl->bank->Lock();
    return uint32_t(m_impl->bank->Get(address)) | (uint32_t(m_impl->bank->Get(uint16_t(address + 1))) << 16);
}

void CDriveSimulator::SetRegister32(uint16_t address, uint32_t value)
{
    if (!m_impl->bank)
        return;
    auto lock = m_impl->bank->Lock();
    m_impl->bank->Set(address, uint16_t(value & 0xFFFF));
    m_impl->bank->Set(uint16_t(address + 1), uint16_t(value >> 16));
}

uint64_t CDriveSimulator::RequestCount() const
{
    return m_impl->requests;
}

bool CDriveSimulator::WaitRequests(uint64_t n, int timeoutMs) const
{
    std::unique_lock lock(m_impl->eventLock);
    return m_impl->eventCv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [this, n] { return m_impl->requests >= n; });
}

uint64_t CDriveSimulator::ClosedConnections() const
{
    return m_impl->closedConnections;
}

bool CDriveSimulator::WaitClosedConnections(uint64_t n, int timeoutMs) const
{
    std::unique_lock lock(m_impl->eventLock);
    return m_impl->eventCv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [this, n] { return m_impl->closedConnections >= n; });
}
