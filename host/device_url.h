#pragma once
// DeviceUrl: a device address as the host names it.
//   tcp://HOST:PORT?unit=N[&timeout=MS]        (port defaults to 502, unit to 1)
//   rtu:DEVICE?baud=B&parity=N|E|O&data=D&stop=S&unit=N[&timeout=MS]
//       (defaults 115200, N, 8, 1, unit 1)
// timeout, when present, replaces the response timeout callers pass.
// Plain value type, any thread.
#include "host/host_api.h"

#include <string>

struct ECAM_HOST_API DeviceUrl {
    bool rtu = false;
    std::string host;       // tcp
    int port = 502;         // tcp
    std::string device;     // rtu: path of the serial device
    int baud = 115200;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
    int unit = 1;
    int timeoutMs = 0;      // 0: use the caller's timeout

    // False (and why) when the text is not a valid device URL.
    static bool Parse(const std::string& text, DeviceUrl& out, std::string* why = nullptr);
    std::string ToString() const;
};
