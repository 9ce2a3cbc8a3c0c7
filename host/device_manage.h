#pragma once
// IDeviceManage and IGetDeviceInfo: the device manager of the host and the
// per-device service objects. A device is named by its URL:
//   tcp://HOST:PORT?unit=N[&timeout=MS]
//   rtu:DEVICE?baud=115200&parity=N&data=8&stop=1&unit=N[&timeout=MS]
// (timeout, when given, replaces the response timeout the callers pass; the
// tests use it to shorten waits). The host selects one device with
// SelectDevice (or none with SelectNone); the panel asks for the selected
// name and the services of that name.
//
// Ownership: the device manager belongs to CLogicManage; IGetDeviceInfo
// objects, their data services and catalogues belong to the device manager
// and live as long as it does (one per distinct name, created once).
// Threads: all operations are safe from any thread.
#include "host/drive_error.h"
#include "host/host_api.h"
#include "host/link_failure.h"

#include <string>

class CDataSrvBase;
class CFunCodeInterface;

class ECAM_HOST_API IGetDeviceInfo {
public:
    virtual ~IGetDeviceInfo();
    // The data service while the drive can be reached, null otherwise. Each
    // call without a live connection tries to connect again, so a drive
    // plugged in later is found.
    virtual CDataSrvBase* GetDataSrv(const std::wstring& name) = 0;
    // The device's parameter catalogue (second argument unused, 0), null
    // when the catalogue file could not be loaded.
    virtual CFunCodeInterface* GetFunCodeInterface(const std::wstring& name, int reserved) = 0;
    // Why the last GetDataSrv answered null (None when it did not, or when
    // the implementation cannot tell).
    virtual LinkFailure GetConnectFailure(const std::wstring& name);
};

class ECAM_HOST_API IDeviceManage {
public:
    virtual ~IDeviceManage();
    // Non-zero when a device is selected; name then holds its URL. 0: none.
    virtual int GetSelectDeviceName(std::wstring& name) = 0;
    // Service object of the device with this name (a URL); null when the URL
    // does not parse. The same object is returned for the same name.
    virtual IGetDeviceInfo* CreateIGetDeviceInfo(const std::wstring& name) = 0;

    // Host side. Selects the device by URL; false (and why) when it does not
    // parse. Nothing is connected here.
    virtual bool SelectDevice(const std::string& url, std::string* why = nullptr) = 0;
    virtual void SelectNone() = 0;
    // Catalogue file for devices created after this call (default
    // CFunCodeInterface::DefaultPath()).
    virtual void SetCataloguePath(const std::string& path) = 0;
};
