#include "host/device_url.h"

#include <QCoreApplication>

#include <charconv>

namespace {

bool ToInt(const std::string& s, int& out)
{
    if (s.empty())
        return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

bool Fail(std::string* why, const std::string& text)
{
    if (why)
        *why = text;
    return false;
}

// The user typed the URL: the reason is in the user's language.
std::string Tr(const char* text, const std::string& a)
{
    return QCoreApplication::translate("DeviceUrl", text).arg(QString::fromStdString(a)).toStdString();
}

std::string Tr(const char* text, const std::string& a, const std::string& b)
{
    // One pass: a '%2' inside the first value stays as typed.
    return QCoreApplication::translate("DeviceUrl", text)
        .arg(QString::fromStdString(a), QString::fromStdString(b))
        .toStdString();
}

} // namespace

bool DeviceUrl::Parse(const std::string& text, DeviceUrl& out, std::string* why)
{
    DeviceUrl u;
    std::string rest;
    if (text.rfind("tcp://", 0) == 0) {
        rest = text.substr(6);
    } else if (text.rfind("rtu:", 0) == 0) {
        u.rtu = true;
        rest = text.substr(4);
    } else {
        return Fail(why, Tr(QT_TRANSLATE_NOOP("DeviceUrl", "设备地址必须以 tcp:// 或 rtu: 开头 (%1)"), text));
    }
    std::string where = rest, query;
    if (auto q = rest.find('?'); q != std::string::npos) {
        where = rest.substr(0, q);
        query = rest.substr(q + 1);
    }
    if (u.rtu) {
        if (where.empty())
            return Fail(why, Tr(QT_TRANSLATE_NOOP("DeviceUrl", "rtu 地址缺少设备路径 (%1)"), text));
        u.device = where;
    } else {
        auto colon = where.rfind(':');
        u.host = where.substr(0, colon);
        if (colon != std::string::npos && (!ToInt(where.substr(colon + 1), u.port) || u.port < 1 || u.port > 65535))
            return Fail(why, Tr(QT_TRANSLATE_NOOP("DeviceUrl", "%1 中的 TCP 端口无效"), text));
        if (u.host.empty())
            return Fail(why, Tr(QT_TRANSLATE_NOOP("DeviceUrl", "tcp 地址缺少主机 (%1)"), text));
    }
    size_t pos = 0;
    while (pos < query.size()) {
        size_t amp = query.find('&', pos);
        if (amp == std::string::npos)
            amp = query.size();
        const std::string item = query.substr(pos, amp - pos);
        pos = amp + 1;
        if (item.empty())
            continue;
        const auto eq = item.find('=');
        const std::string key = item.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : item.substr(eq + 1);
        bool ok = true;
        if (key == "unit")
            ok = ToInt(value, u.unit) && u.unit >= 0 && u.unit <= (u.rtu ? 247 : 255);
        else if (key == "timeout")
            ok = ToInt(value, u.timeoutMs) && u.timeoutMs > 0;
        else if (u.rtu && key == "baud")
            ok = ToInt(value, u.baud) && u.baud > 0;
        else if (u.rtu && key == "parity") {
            ok = value == "N" || value == "E" || value == "O";
            if (ok)
                u.parity = value[0];
        }
        else if (u.rtu && key == "data")
            ok = ToInt(value, u.dataBits) && u.dataBits >= 5 && u.dataBits <= 8;
        else if (u.rtu && key == "stop")
            ok = ToInt(value, u.stopBits) && (u.stopBits == 1 || u.stopBits == 2);
        else
            return Fail(why, Tr(QT_TRANSLATE_NOOP("DeviceUrl", "%2 中有未知设置 '%1'"), key, text));
        if (!ok)
            return Fail(why, Tr(QT_TRANSLATE_NOOP("DeviceUrl", "%2 中 '%1' 的值无效"), key, text));
    }
    out = u;
    return true;
}

std::string DeviceUrl::ToString() const
{
    std::string s;
    if (rtu)
        s = "rtu:" + device + "?baud=" + std::to_string(baud) + "&parity=" + std::string(1, parity) +
            "&data=" + std::to_string(dataBits) + "&stop=" + std::to_string(stopBits) + "&unit=" + std::to_string(unit);
    else
        s = "tcp://" + host + ":" + std::to_string(port) + "?unit=" + std::to_string(unit);
    if (timeoutMs > 0)
        s += "&timeout=" + std::to_string(timeoutMs);
    return s;
}
