// Why a drive cannot be reached: the system error of the connect attempt
// turned into a cause and a message, checked both from the mapping and by
// causing each failure for real through the data service.
#include "host/device_url.h"
#include "host/link_failure.h"
#include "host/modbus_data_srv.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

LinkFailure ConnectFailureOf(const std::string& url)
{
    DeviceUrl u;
    std::string why;
    EXPECT_TRUE(DeviceUrl::Parse(url, u, &why)) << why;
    CModbusDataSrv srv(u);
    EXPECT_EQ(srv.Connect(300), DriveError(DriveError::NotConnected)) << url;
    return srv.ConnectFailure();
}

} // namespace

TEST(LinkFailure, EachSystemErrorNamesItsCauseAndTheFix)
{
    const std::string group = getgrgid(getegid())->gr_name;
    const ecamtest::TempDir dir("link-failure");
    const std::string file = dir.Write("dev", "").string();
    struct Case { int error; std::string device; bool serial; LinkFailure::Cause cause; std::string text; };
    const Case cases[] = {
        {ECONNREFUSED, "127.0.0.1:1502", false, LinkFailure::Refused, "连接被拒绝: 127.0.0.1:1502 上没有程序在监听"},
        {ETIMEDOUT, "10.0.0.9:502", false, LinkFailure::TimedOut, "连接超时: 10.0.0.9:502 没有应答"},
        {EHOSTUNREACH, "10.0.0.9:502", false, LinkFailure::Unreachable, "无法到达 10.0.0.9:502: 没有通往该主机的路由"},
        {ENOENT, "/dev/ttyUSB7", true, LinkFailure::NoDevice, "设备不存在: /dev/ttyUSB7"},
        {EBUSY, "/dev/ttyUSB0", true, LinkFailure::Busy, "设备忙: /dev/ttyUSB0 已被其他程序占用"},
        {EACCES, "/dev/ttyUSB7", true, LinkFailure::PermissionDenied, "权限不足: 当前用户不能打开 /dev/ttyUSB7"},
        {EACCES, file, true, LinkFailure::PermissionDenied,
         group == "root" ? "权限不足: 当前用户不能打开 " + file
                         : "权限不足: 当前用户不能打开 " + file + "; 请加入 " + group + " 组 (sudo usermod -aG " + group +
                               " $USER) 后重新登录"},
        {EIO, "/dev/ttyS0", true, LinkFailure::Other, std::string("无法打开 /dev/ttyS0: ") + std::strerror(EIO)},
    };
    for (const Case& c : cases) {
        const LinkFailure f = LinkFailure::FromErrno(c.error, c.device, c.serial);
        EXPECT_EQ(f.cause(), c.cause) << c.text;
        EXPECT_EQ(f.Text().toStdString(), c.text);
        EXPECT_EQ(f.Under(QStringLiteral("串口未连接!")).toStdString(), "串口未连接!\n" + c.text);
    }
    EXPECT_EQ(LinkFailure().Under(QStringLiteral("串口未连接!")), QStringLiteral("串口未连接!"));
}

TEST(LinkFailure, RefusedMissingForbiddenAndHeldDevicesAreToldApart)
{
    // A bound socket that does not listen: connecting to it is refused, and
    // no other program can take the port meanwhile.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    const std::string where = "127.0.0.1:" + std::to_string(ntohs(a.sin_port));
    EXPECT_EQ(ConnectFailureOf("tcp://" + where + "?unit=1"), LinkFailure::FromErrno(ECONNREFUSED, where, false));
    ::close(s);

    const std::string rtu = "?baud=115200&parity=N&data=8&stop=1&unit=1";
    const std::string missing = "/dev/ecam-no-such-tty";
    EXPECT_EQ(ConnectFailureOf("rtu:" + missing + rtu), LinkFailure::FromErrno(ENOENT, missing, true));

    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: neither file permissions nor an exclusive terminal keep root out";
    const ecamtest::TempDir dir("link-failure");
    const std::string file = dir.Write("locked", "").string();
    std::filesystem::permissions(file, std::filesystem::perms::none);
    EXPECT_EQ(ConnectFailureOf("rtu:" + file + rtu), LinkFailure::FromErrno(EACCES, file, true));

    // A terminal another program holds exclusively.
    int master = -1, slave = -1;
    char name[128];
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ASSERT_EQ(::ioctl(slave, TIOCEXCL), 0);
    EXPECT_EQ(ConnectFailureOf(std::string("rtu:") + name + rtu), LinkFailure::FromErrno(EBUSY, name, true));
    ::close(slave);
    ::close(master);
}
