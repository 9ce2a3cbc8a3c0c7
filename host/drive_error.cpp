#include "host/drive_error.h"

#include <cstdio>

namespace {
const char* ExceptionName(int code)
{
    switch (code) {
    case 1: return "illegal function";
    case 2: return "illegal data address";
    case 3: return "illegal data value";
    case 4: return "slave device failure";
    case 5: return "acknowledge";
    case 6: return "slave device busy";
    case 8: return "memory parity error";
    case 10: return "gateway path unavailable";
    case 11: return "gateway target failed to respond";
    default: return "unknown exception";
    }
}
} // namespace

std::string DriveError::text() const
{
    switch (kind()) {
    case Ok: return "ok";
    case NotSelected: return "no device selected or no parameter catalogue";
    case NotConnected: return "drive not connected (cannot reach the device)";
    case Timeout: return "no answer from the drive within the timeout";
    case LinkBroken: return "connection to the drive broken";
    case BadArgument: return "bad parameter, address, width or value";
    case BadAnswer: return "malformed answer from the drive, or one that does not answer the request";
    case Cancelled: return "request cancelled before the drive answered";
    case Exception: {
        char buf[96];
        std::snprintf(buf, sizeof buf, "drive refused the request (exception %02d: %s)", exceptionCode(),
                      ExceptionName(exceptionCode()));
        return buf;
    }
    }
    return "unknown error " + std::to_string(m_code);
}
