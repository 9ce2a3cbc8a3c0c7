#pragma once
// CDeviceManager: the host's IDeviceManage. Keeps the selected device's URL
// and one CDeviceInfo per distinct URL ever asked for, all owned here until
// the manager goes (so pointers the panel holds stay valid when the host
// selects another device). Owned by CLogicManage. Threads: any.
#include "host/device_manage.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

class CDeviceInfo;

class ECAM_HOST_API CDeviceManager : public IDeviceManage {
public:
    CDeviceManager();
    ~CDeviceManager() override;

    int GetSelectDeviceName(std::wstring& name) override;
    IGetDeviceInfo* CreateIGetDeviceInfo(const std::wstring& name) override;
    bool SelectDevice(const std::string& url, std::string* why = nullptr) override;
    void SelectNone() override;
    void SetCataloguePath(const std::string& path) override;

    // The device object of a name, without creating one (null when none).
    CDeviceInfo* FindDevice(const std::wstring& name);

private:
    std::mutex m_lock;
    std::wstring m_selected;
    std::string m_cataloguePath;
    std::map<std::wstring, std::unique_ptr<CDeviceInfo>> m_devices;
};
