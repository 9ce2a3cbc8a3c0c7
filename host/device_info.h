#pragma once
// CDeviceInfo: IGetDeviceInfo of one device (named by its URL): its Modbus
// data service and its parameter catalogue. Owned by CDeviceManager; both
// objects it hands out are owned here and live as long as it does.
// Threads: any; the catalogue is loaded once under a lock.
#include "host/device_manage.h"
#include "host/device_url.h"

#include <memory>
#include <mutex>
#include <string>

class CModbusDataSrv;

class ECAM_HOST_API CDeviceInfo : public IGetDeviceInfo {
public:
    CDeviceInfo(std::wstring name, const DeviceUrl& url, std::string cataloguePath);
    ~CDeviceInfo() override;

    // Null for another name or while the drive cannot be reached.
    CDataSrvBase* GetDataSrv(const std::wstring& name) override;
    CFunCodeInterface* GetFunCodeInterface(const std::wstring& name, int reserved) override;
    LinkFailure GetConnectFailure(const std::wstring& name) override;

    // Why the last GetFunCodeInterface answered null (file and entry named).
    std::string CatalogueError();
    CModbusDataSrv* ModbusSrv() { return m_srv.get(); }

private:
    std::wstring m_name;
    std::string m_cataloguePath;
    std::unique_ptr<CModbusDataSrv> m_srv;
    std::mutex m_catalogueLock;
    std::unique_ptr<CFunCodeInterface> m_catalogue;
    std::string m_catalogueError;
};
