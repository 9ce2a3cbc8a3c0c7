#pragma once
// CLogicManage: the host's logic manager, one per process, reached through
// CSingleton<CLogicManage>::Instance(). It owns the device manager and a
// small string table. The singleton lives in the shared host services
// library, so the host and the panel plug-in see the same object.
// Threads: safe from any thread.
#include "host/host_api.h"

#include <memory>
#include <string>

class IDeviceManage;

template <class T>
class CSingleton {
public:
    static T* Instance();
};

class ECAM_HOST_API CLogicManage {
public:
    CLogicManage();
    virtual ~CLogicManage();
    // The device manager; never null here.
    virtual IDeviceManage* GetDeviceManage();
    // Text of a string-table id: 817 the face name of an installed CJK font,
    // 170 the message shown when the workbook component cannot start; an
    // empty string for unknown ids.
    virtual std::wstring GetString(unsigned id);

private:
    std::unique_ptr<IDeviceManage> m_devices;
};

template <>
ECAM_HOST_API CLogicManage* CSingleton<CLogicManage>::Instance();
