#pragma once
// DriveError: why a drive call failed, as a small value with readable text.
// The data service answers plain integers (0 success, the DriveError code
// otherwise); the command-line tool and the tests turn those integers back
// into a DriveError to say what went wrong. Plain value type, any thread.
#include "host/host_api.h"

#include <cstdint>
#include <string>

class ECAM_HOST_API DriveError {
public:
    enum Kind : int {
        Ok = 0,
        NotSelected = 1,   // no device selected, or the device has no catalogue
        NotConnected = 2,  // the drive could not be reached (connect failed)
        Timeout = 3,       // no answer within the response timeout
        LinkBroken = 4,    // the connection failed while talking
        BadArgument = 5,   // unknown parameter, bad width, value does not fit
        BadAnswer = 6,     // the answer was malformed or did not match
        Cancelled = 7,     // given up on request (CancelPending) before the answer came
        Exception = 0x100, // drive exception reply; code() holds 0x100 + exception code
    };

    DriveError() = default;
    explicit DriveError(int code) : m_code(code) {}
    static DriveError FromException(int modbusException) { return DriveError(Exception + modbusException); }

    int code() const { return m_code; }
    bool ok() const { return m_code == Ok; }
    Kind kind() const { return m_code >= Exception ? Exception : static_cast<Kind>(m_code); }
    // The exception code of the drive's reply (1 illegal function, 2 illegal
    // address, 3 illegal value, 4 device failure ...), 0 for other kinds.
    int exceptionCode() const { return m_code >= Exception ? m_code - Exception : 0; }
    // One line in the language of the installed translators (Chinese without
    // them), UTF-8, e.g. "驱动器拒绝请求 (异常码 03: 非法数据值)".
    std::string text() const;

    bool operator==(const DriveError&) const = default;

private:
    int m_code = Ok;
};
