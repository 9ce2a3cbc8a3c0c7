#include "host/logic_manage.h"

#include "host/device_manager.h"

CLogicManage::CLogicManage() : m_devices(std::make_unique<CDeviceManager>()) {}

CLogicManage::~CLogicManage() = default;

IDeviceManage* CLogicManage::GetDeviceManage()
{
    return m_devices.get();
}

std::wstring CLogicManage::GetString(unsigned id)
{
    switch (id) {
    case 817:
        // Installed by tools/bootstrap (fonts-wqy-microhei); covers Chinese.
        return L"WenQuanYi Micro Hei";
    case 170:
        return L"无法启动表格组件，不能读写特殊点表格文件!";
    default:
        return {};
    }
}

template <>
CLogicManage* CSingleton<CLogicManage>::Instance()
{
    static CLogicManage instance;
    return &instance;
}
