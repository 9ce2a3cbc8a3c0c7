#include "host/device_manager.h"

#include "host/device_info.h"
#include "host/device_url.h"
#include "host/fun_code_interface.h"

#include <QString>

IGetDeviceInfo::~IGetDeviceInfo() = default;

LinkFailure IGetDeviceInfo::GetConnectFailure(const std::wstring&)
{
    return {};
}
IDeviceManage::~IDeviceManage() = default;

CDeviceManager::CDeviceManager() : m_cataloguePath(CFunCodeInterface::DefaultPath()) {}

CDeviceManager::~CDeviceManager() = default;

int CDeviceManager::GetSelectDeviceName(std::wstring& name)
{
    std::lock_guard lock(m_lock);
    if (m_selected.empty())
        return 0;
    name = m_selected;
    return 1;
}

IGetDeviceInfo* CDeviceManager::CreateIGetDeviceInfo(const std::wstring& name)
{
    std::lock_guard lock(m_lock);
    auto it = m_devices.find(name);
    if (it != m_devices.end())
        return it->second.get();
    DeviceUrl url;
    if (!DeviceUrl::Parse(QString::fromStdWString(name).toStdString(), url))
        return nullptr;
    auto info = std::make_unique<CDeviceInfo>(name, url, m_cataloguePath);
    CDeviceInfo* raw = info.get();
    m_devices.emplace(name, std::move(info));
    return raw;
}

bool CDeviceManager::SelectDevice(const std::string& url, std::string* why)
{
    DeviceUrl parsed;
    if (!DeviceUrl::Parse(url, parsed, why))
        return false;
    std::lock_guard lock(m_lock);
    m_selected = QString::fromStdString(url).toStdWString();
    return true;
}

void CDeviceManager::SelectNone()
{
    std::lock_guard lock(m_lock);
    m_selected.clear();
}

void CDeviceManager::SetCataloguePath(const std::string& path)
{
    std::lock_guard lock(m_lock);
    m_cataloguePath = path.empty() ? CFunCodeInterface::DefaultPath() : path;
}

CDeviceInfo* CDeviceManager::FindDevice(const std::wstring& name)
{
    std::lock_guard lock(m_lock);
    auto it = m_devices.find(name);
    return it == m_devices.end() ? nullptr : it->second.get();
}
