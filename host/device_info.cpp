#include "host/device_info.h"

#include "host/fun_code_interface.h"
#include "host/modbus_data_srv.h"

CDeviceInfo::CDeviceInfo(std::wstring name, const DeviceUrl& url, std::string cataloguePath)
    : m_name(std::move(name)), m_cataloguePath(std::move(cataloguePath)), m_srv(std::make_unique<CModbusDataSrv>(url))
{
}

CDeviceInfo::~CDeviceInfo() = default;

CDataSrvBase* CDeviceInfo::GetDataSrv(const std::wstring& name)
{
    if (name != m_name)
        return nullptr;
    return m_srv->Connect().ok() ? m_srv.get() : nullptr;
}

LinkFailure CDeviceInfo::GetConnectFailure(const std::wstring& name)
{
    return name == m_name ? m_srv->ConnectFailure() : LinkFailure();
}

CFunCodeInterface* CDeviceInfo::GetFunCodeInterface(const std::wstring& name, int /*reserved*/)
{
    if (name != m_name)
        return nullptr;
    std::lock_guard lock(m_catalogueLock);
    // A catalogue that failed to load is tried again on the next call, so a
    // corrected file is picked up without restarting the host.
    if (!m_catalogue)
        m_catalogue = CFunCodeInterface::LoadFile(m_cataloguePath, &m_catalogueError);
    return m_catalogue.get();
}

std::string CDeviceInfo::CatalogueError()
{
    std::lock_guard lock(m_catalogueLock);
    return m_catalogueError;
}
