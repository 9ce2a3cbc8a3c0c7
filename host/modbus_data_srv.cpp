#include "host/modbus_data_srv.h"

#include <modbus.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

CModbusDataSrv::CModbusDataSrv(const DeviceUrl& url) : m_url(url) {}

CModbusDataSrv::~CModbusDataSrv()
{
    std::lock_guard lock(m_lock);
    CloseLocked();
}

void CModbusDataSrv::CloseLocked()
{
    if (m_ctx) {
        modbus_close(m_ctx);
        modbus_free(m_ctx);
        m_ctx = nullptr;
    }
}

void CModbusDataSrv::ApplyTimeoutLocked(unsigned timeoutMs)
{
    const unsigned ms = m_url.timeoutMs > 0 ? unsigned(m_url.timeoutMs) : timeoutMs;
    modbus_set_response_timeout(m_ctx, ms / 1000, (ms % 1000) * 1000);
    // Gaps inside one answer are short on any live link; keep the byte
    // timeout below the response timeout so a short test timeout holds.
    const unsigned byteMs = ms < 500 ? ms : 500;
    modbus_set_byte_timeout(m_ctx, byteMs / 1000, (byteMs % 1000) * 1000);
}

DriveError CModbusDataSrv::ConnectLocked(unsigned timeoutMs)
{
    if (m_ctx)
        return DriveError();
    modbus_t* ctx = m_url.rtu ? modbus_new_rtu(m_url.device.c_str(), m_url.baud, m_url.parity, m_url.dataBits,
                                               m_url.stopBits)
                              : modbus_new_tcp_pi(m_url.host.c_str(), std::to_string(m_url.port).c_str());
    if (!ctx)
        return DriveError(DriveError::BadArgument);
    m_ctx = ctx;
    modbus_set_slave(ctx, m_url.unit);
    ApplyTimeoutLocked(timeoutMs);
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        m_ctx = nullptr;
        return DriveError(DriveError::NotConnected);
    }
    return DriveError();
}

DriveError CModbusDataSrv::Connect(unsigned timeoutMs)
{
    std::lock_guard lock(m_lock);
    return ConnectLocked(timeoutMs);
}

bool CModbusDataSrv::IsConnected()
{
    std::lock_guard lock(m_lock);
    return m_ctx != nullptr;
}

// A TCP drive that closed the connection since the last answer has left an
// end-of-stream in the socket (a serial line that went away shows a
// hang-up); finding it before sending lets the next request go over a fresh
// link instead of failing.
bool CModbusDataSrv::PeerClosedLocked()
{
    if (!m_ctx)
        return false;
    pollfd pfd{modbus_get_socket(m_ctx), POLLIN, 0};
    if (poll(&pfd, 1, 0) <= 0)
        return false;
    if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))
        return true;
    if (m_url.rtu) {
        // Bytes nobody asked for (a late answer): drop them so they are not
        // taken for the answer to the next request.
        modbus_flush(m_ctx);
        return false;
    }
    // End of stream, or bytes nobody asked for: start over on a new connection.
    char c;
    const ssize_t n = recv(pfd.fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
    return !(n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
}

// Maps a libmodbus failure to a DriveError and drops a link whose state is
// unknown, so a late answer can never be taken for the next request's.
DriveError CModbusDataSrv::FailureLocked()
{
    const int e = errno;
    if (e > MODBUS_ENOBASE && e <= MODBUS_ENOBASE + MODBUS_EXCEPTION_GATEWAY_TARGET)
        return DriveError::FromException(e - MODBUS_ENOBASE);
    CloseLocked();
    if (e == ETIMEDOUT)
        return DriveError(DriveError::Timeout);
    if (e == EMBBADCRC || e == EMBBADDATA || e == EMBBADEXC || e == EMBMDATA || e == EMBBADSLAVE)
        return DriveError(DriveError::BadAnswer);
    return DriveError(DriveError::LinkBroken);
}

DriveError CModbusDataSrv::ReadyLocked(unsigned timeoutMs)
{
    if (PeerClosedLocked())
        CloseLocked();
    if (DriveError e = ConnectLocked(timeoutMs); !e.ok())
        return e;
    ApplyTimeoutLocked(timeoutMs);
    return DriveError();
}

DriveError CModbusDataSrv::WriteValue(uint16_t address, unsigned width, uint32_t value, unsigned timeoutMs)
{
    if (width != 16 && width != 32)
        return DriveError(DriveError::BadArgument);
    std::lock_guard lock(m_lock);
    if (DriveError e = ReadyLocked(timeoutMs); !e.ok())
        return e;
    int rc;
    if (width == 16) {
        rc = modbus_write_register(m_ctx, address, int(value & 0xFFFF));
    } else {
        // Low word first: MODBUS_SET_INT32_TO_INT16 would put the high word first.
        const uint16_t words[2] = {uint16_t(value & 0xFFFF), uint16_t(value >> 16)};
        rc = modbus_write_registers(m_ctx, address, 2, words);
    }
    return rc == -1 ? FailureLocked() : DriveError();
}

DriveError CModbusDataSrv::ReadValue(uint16_t address, unsigned width, uint16_t words[2], unsigned timeoutMs)
{
    if (width != 16 && width != 32)
        return DriveError(DriveError::BadArgument);
    std::lock_guard lock(m_lock);
    if (DriveError e = ReadyLocked(timeoutMs); !e.ok())
        return e;
    const int n = int(width / 16);
    const int rc = modbus_read_registers(m_ctx, address, n, words);
    if (rc == -1)
        return FailureLocked();
    return rc == n ? DriveError() : DriveError(DriveError::BadAnswer);
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
