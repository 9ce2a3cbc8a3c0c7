#pragma once
// LinkFailure: why a drive could not be reached, kept from the system error
// the connect attempt ended with, so every message that reports an
// unreachable drive can add the cause and what the user can do about it.
// A serial device the user may not open names the group that owns it
// (read from the device at failure time), since joining that group is the
// usual fix. Plain value type, any thread.
#include "host/host_api.h"

#include <QString>

#include <string>

class ECAM_HOST_API LinkFailure {
public:
    enum Cause {
        None,              // no failure recorded
        Refused,           // TCP: nothing listens on the port
        TimedOut,          // TCP: no answer to the connect within the timeout
        Unreachable,       // TCP: no route to the host or its network
        NoDevice,          // serial: no such device
        PermissionDenied,  // serial: the user may not open the device
        Busy,              // serial: another program holds the device
        Other,             // anything else; the system's own text is kept
    };

    LinkFailure() = default;
    // The failure of opening `device` (the serial device path, or the
    // "host:port" of a TCP link) with the C library error `error`.
    static LinkFailure FromErrno(int error, const std::string& device, bool serial);

    Cause cause() const { return m_cause; }
    int error() const { return m_error; }
    const std::string& device() const { return m_device; }
    // PermissionDenied on a serial device: the group owning it, else empty.
    const std::string& group() const { return m_group; }

    // One line in the user's language (translated through Qt's translators
    // under the context "LinkFailure"); empty for None.
    QString Text() const;
    // `message`, followed by Text() on a second line when a cause is known.
    QString Under(const QString& message) const;

    bool operator==(const LinkFailure&) const = default;

private:
    Cause m_cause = None;
    int m_error = 0;
    std::string m_device;
    std::string m_group;
};
