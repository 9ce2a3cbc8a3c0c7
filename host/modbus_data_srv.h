#pragma once
// CModbusDataSrv: the data service of one device over libmodbus (TCP or RTU).
// A parameter address is a holding-register address; a 16-bit parameter is
// one register (function 06 to write, 03 to read); a 32-bit parameter is two
// registers, low word first (0x10 to write, 03 to read).
//
// Owned by its CDeviceInfo. Connects on demand (Connect, and again before a
// request whenever the link was lost), so a drive plugged in later, or a link
// the drive closed, is picked up at the next request. One mutex guards the
// libmodbus context: any thread may call, calls are serialised.
#include "host/data_srv_base.h"
#include "host/device_url.h"
#include "host/drive_error.h"

#include <cstdint>
#include <mutex>

typedef struct _modbus modbus_t;

class ECAM_HOST_API CModbusDataSrv : public CDataSrvBase {
public:
    explicit CModbusDataSrv(const DeviceUrl& url);
    ~CModbusDataSrv() override;
    CModbusDataSrv(const CModbusDataSrv&) = delete;
    CModbusDataSrv& operator=(const CModbusDataSrv&) = delete;

    // Opens the link if none is open. DriveError::Ok when a link is open.
    DriveError Connect(unsigned timeoutMs = 1000);
    bool IsConnected();

    int WriteFunCode(CFunCode* p, unsigned timeoutMs, bool waitAnswer, bool checkRange) override;
    int ReadFunCode(CFunCode* p, unsigned timeoutMs, bool waitAnswer) override;

    // Register-level access under the same lock (width 16 or 32).
    DriveError WriteValue(uint16_t address, unsigned width, uint32_t value, unsigned timeoutMs);
    DriveError ReadValue(uint16_t address, unsigned width, uint16_t words[2], unsigned timeoutMs);

    const DeviceUrl& Url() const { return m_url; }

private:
    DriveError ConnectLocked(unsigned timeoutMs);
    void CloseLocked();
    bool PeerClosedLocked();
    void ApplyTimeoutLocked(unsigned timeoutMs);
    // Before a request: reopen a link the peer closed, then apply the timeout.
    DriveError ReadyLocked(unsigned timeoutMs);
    DriveError FailureLocked();

    DeviceUrl m_url;
    std::mutex m_lock;
    modbus_t* m_ctx = nullptr;
};
