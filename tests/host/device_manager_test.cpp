// Device URLs, device selection, the logic manager and error texts.
#include "host/device_info.h"
#include "host/device_manager.h"
#include "host/device_url.h"
#include "host/drive_error.h"
#include "host/fun_code_interface.h"
#include "host/logic_manage.h"

#include <gtest/gtest.h>

#include <utility>

TEST(DeviceUrlTest, ParsesTcpAndRtuWithDefaultsAndRejectsBadUrlsWithAReason)
{
    // Each URL and the one its fields make again, which names every field: the defaults filled in.
    DeviceUrl u;
    const std::pair<const char*, const char*> good[] = {
        {"tcp://192.168.1.5:1502?unit=3", "tcp://192.168.1.5:1502?unit=3"},
        {"tcp://drive", "tcp://drive:502?unit=1"},
        {"rtu:/dev/ttyUSB0?unit=7&stop=2&parity=E&baud=19200&timeout=250",
         "rtu:/dev/ttyUSB0?baud=19200&parity=E&data=8&stop=2&unit=7&timeout=250"},
        {"rtu:/dev/ttyS1", "rtu:/dev/ttyS1?baud=115200&parity=N&data=8&stop=1&unit=1"},
    };
    for (const auto& [url, fields] : good) {
        ASSERT_TRUE(DeviceUrl::Parse(url, u)) << url;
        EXPECT_EQ(u.ToString(), fields);
    }

    for (const char* bad : {"", "udp://x:1", "tcp://:1502", "tcp://h:0", "tcp://h:70000", "tcp://h:12ab",
                            "tcp://h:1?unit=300", "tcp://h:1?color=red", "tcp://h:1?timeout=0", "rtu:",
                            "rtu:/dev/x?parity=X", "rtu:/dev/x?data=9", "rtu:/dev/x?stop=3", "rtu:/dev/x?baud=-1",
                            "rtu:/dev/x?unit=248"}) {
        std::string why;
        EXPECT_FALSE(DeviceUrl::Parse(bad, u, &why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
}

// The error texts are pinned where the user reads them: the connect dialog and the command line.
TEST(DriveErrorTest, CodesAndTheHostsStrings)
{
    EXPECT_EQ(DriveError::FromException(3).code(), 0x103);
    EXPECT_EQ(DriveError(DriveError::Cancelled).kind(), DriveError::Cancelled);
    EXPECT_EQ(DriveError(DriveError::Timeout).exceptionCode(), 0);

    CLogicManage* a = CSingleton<CLogicManage>::Instance();
    EXPECT_EQ(a->GetString(817), L"WenQuanYi Micro Hei");
    EXPECT_FALSE(a->GetString(170).empty());
    EXPECT_TRUE(a->GetString(1).empty());
}

TEST(DeviceManagerTest, SelectionAndServiceObjects)
{
    CDeviceManager m;
    std::wstring name = L"untouched";
    EXPECT_EQ(m.GetSelectDeviceName(name), 0);
    EXPECT_EQ(name, L"untouched");
    EXPECT_FALSE(m.SelectDevice("serial:/dev/x"));   // the reason: the command line's messages
    EXPECT_EQ(m.GetSelectDeviceName(name), 0);

    ASSERT_TRUE(m.SelectDevice("tcp://127.0.0.1:1?unit=1&timeout=100"));
    ASSERT_NE(m.GetSelectDeviceName(name), 0);
    EXPECT_EQ(name, L"tcp://127.0.0.1:1?unit=1&timeout=100");
    IGetDeviceInfo* info = m.CreateIGetDeviceInfo(name);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(m.CreateIGetDeviceInfo(name), info);
    EXPECT_EQ(m.CreateIGetDeviceInfo(L"not a url"), nullptr);
    // Nothing listens on port 1: no data service, but the catalogue loads.
    EXPECT_EQ(info->GetDataSrv(name), nullptr);
    EXPECT_EQ(info->GetDataSrv(L"other"), nullptr);
    CFunCodeInterface* cat = info->GetFunCodeInterface(name, 0);
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(info->GetFunCodeInterface(name, 0), cat);
    EXPECT_EQ(info->GetFunCodeInterface(L"other", 0), nullptr);

    m.SelectNone();
    EXPECT_EQ(m.GetSelectDeviceName(name), 0);
    // Objects handed out earlier stay valid after another selection.
    EXPECT_EQ(m.CreateIGetDeviceInfo(L"tcp://127.0.0.1:1?unit=1&timeout=100"), info);
    // A catalogue path that names no file: the command line's messages test.
}
