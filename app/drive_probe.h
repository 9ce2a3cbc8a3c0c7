// The connection test of the connect dialog: one read of one register, which
// shows that the link opens and that a drive answers on it. Blocking (at
// most the connect time plus one response timeout): the dialog runs it on a
// worker thread. Any thread; the data service serialises with other users.
#pragma once

#include "host/drive_error.h"

#include <QString>
#include <cstdint>

class CModbusDataSrv;

// H1B-08, the cam point count: every drive the panel writes has it.
inline constexpr uint16_t kProbeAddress = 0x1B08;

struct ProbeResult {
    DriveError error;
    uint16_t value = 0;   // the register's value when error is Ok
};

ProbeResult ProbeDrive(CModbusDataSrv& srv, unsigned timeoutMs = 1000);
// What the dialog says about it, e.g. "连接成功: H1B-08 (凸轮点数) = 12".
QString ProbeText(const ProbeResult& result);
