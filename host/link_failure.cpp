#include "host/link_failure.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>

namespace {
LinkFailure::Cause CauseOf(int error, bool serial)
{
    switch (error) {
    case ECONNREFUSED: return LinkFailure::Refused;
    case ETIMEDOUT:
    case EINPROGRESS: return LinkFailure::TimedOut;
    case EHOSTUNREACH:
    case ENETUNREACH: return LinkFailure::Unreachable;
    case ENOENT:
    case ENODEV:
    case ENXIO: return serial ? LinkFailure::NoDevice : LinkFailure::Other;
    case EACCES:
    case EPERM: return LinkFailure::PermissionDenied;
    case EBUSY: return LinkFailure::Busy;
    default: return LinkFailure::Other;
    }
}

// The name of the group owning `path`, empty when it cannot be told.
std::string OwningGroup(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    std::string name;
    std::string buffer(4096, '\0');
    group entry {};
    group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        name = found->gr_name;
    return name;
}
} // namespace

QString LinkFailure::Under(const QString& message) const
{
    return m_cause == None ? message : message + QLatin1Char('\n') + Text();
}

LinkFailure LinkFailure::FromErrno(int error, const std::string& device, bool serial)
{
    LinkFailure f;
    f.m_cause = CauseOf(error, serial);
    f.m_error = error;
    f.m_device = device;
    if (f.m_cause == PermissionDenied && serial)
        f.m_group = OwningGroup(device);
    return f;
}

QString LinkFailure::Text() const
{
    const QString device = QString::fromStdString(m_device);
    switch (m_cause) {
    case None: return {};
    case Refused: return QCoreApplication::translate("LinkFailure", "连接被拒绝: %1 上没有程序在监听").arg(device);
    case TimedOut: return QCoreApplication::translate("LinkFailure", "连接超时: %1 没有应答").arg(device);
    case Unreachable: return QCoreApplication::translate("LinkFailure", "无法到达 %1: 没有通往该主机的路由").arg(device);
    case NoDevice: return QCoreApplication::translate("LinkFailure", "设备不存在: %1").arg(device);
    case Busy: return QCoreApplication::translate("LinkFailure", "设备忙: %1 已被其他程序占用").arg(device);
    case PermissionDenied:
        if (!m_group.empty() && m_group != "root")
            return QCoreApplication::translate("LinkFailure", "权限不足: 当前用户不能打开 %1; 请加入 %2 组 (sudo usermod -aG %2 $USER) 后重新登录")
                .arg(device, QString::fromStdString(m_group));
        return QCoreApplication::translate("LinkFailure", "权限不足: 当前用户不能打开 %1").arg(device);
    case Other: break;
    }
    return QCoreApplication::translate("LinkFailure", "无法打开 %1: %2").arg(device, QString::fromLocal8Bit(std::strerror(m_error)));
}
