// ecamctl param: read or write one drive parameter through the same
// function-code access object the panel uses.
//   ecamctl param get NUMBER|ADDR:WIDTH --device URL [--catalogue PATH]
//   ecamctl param set NUMBER|ADDR:WIDTH VALUE --device URL [--catalogue PATH]
#include "command.h"
#include "drive_session.h"
#include "texts.h"

#include "drive/cam_fun_codes.h"
#include "drive/fun_code_access.h"
#include "host/device_manage.h"
#include "host/fun_code_interface.h"
#include "host/logic_manage.h"
#include "ui/lang/fun_code_texts.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {

bool ParseInt(const std::string& text, int64_t& out)
{
    std::string s = text;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.erase(0, 2);
    }
    uint64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size() || v > 0xFFFFFFFFull)
        return false;
    out = negative ? -int64_t(v) : int64_t(v);
    return true;
}

using namespace ecamctl;

int Usage(const QString& why)
{
    return UsageFail("param", why);
}

struct Target {
    bool byAddress = false;
    std::wstring number;
    uint32_t address = 0;
    uint32_t width = 16;
    std::string text;
};

bool ParseTarget(const std::string& text, Target& t)
{
    t.text = text;
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        t.number.assign(text.begin(), text.end());
        return !text.empty();
    }
    int64_t addr = 0, width = 0;
    if (!ParseInt(text.substr(0, colon), addr) || !ParseInt(text.substr(colon + 1), width))
        return false;
    t.byAddress = true;
    t.address = uint32_t(addr);
    t.width = uint32_t(width);
    return addr >= 0 && addr <= 0xFFFF && (width == 16 || width == 32);
}

int RunParam(const Args& in)
{
    const std::vector<std::string>& positional = in.positional;
    const std::string device = in.Value("device").value_or(""), catalogue = in.Value("catalogue").value_or("");
    if (positional.empty() || (positional[0] != "get" && positional[0] != "set"))
        return Usage(Ecamctl::tr("需要 get 或 set"));
    const bool set = positional[0] == "set";
    if (positional.size() != (set ? 3u : 2u))
        return Usage(set ? Ecamctl::tr("set 需要一个参数和一个值") : Ecamctl::tr("get 需要一个参数"));
    if (device.empty())
        return Usage(Ecamctl::tr("需要 --device URL"));
    Target target;
    if (!ParseTarget(positional[1], target))
        return Usage(Ecamctl::tr("参数须为功能码编号 (如 H1B-06) 或 ADDR:WIDTH (如 0x1B00:16)"));
    int64_t value = 0;
    if (set && (!ParseInt(positional[2], value) ||
                (target.byAddress && target.width == 16 && (value < -32768 || value > 0xFFFF)) ||
                value < INT32_MIN))
        return Usage(Ecamctl::tr("值须为参数宽度能容纳的整数"));

    IDeviceManage* devices = CSingleton<CLogicManage>::Instance()->GetDeviceManage();
    std::string why;
    if (!catalogue.empty())
        devices->SetCataloguePath(catalogue);
    if (!devices->SelectDevice(device, &why))
        return Usage(Q(why));

    CFunCodeAccess access;
    if (!access.Init()) {
        std::string error = U(Ecamctl::tr("无法载入参数目录"));
        CFunCodeInterface::LoadFile(catalogue.empty() ? CFunCodeInterface::DefaultPath() : catalogue, &error);
        return Fail("param", Q(error));
    }
    if (!target.byAddress && !access.FunCodeInterface()->GetFunCodePtrByNum(target.number))
        return Fail("param", Ecamctl::tr("参数目录中没有参数 %1").arg(Q(target.text)), 2);
    if (set && !target.byAddress) {
        // A catalogued parameter takes what the settings dialog would let
        // through, and only a whole decimal number or one of its options.
        const CFunCode& p = *access.FunCodeInterface()->GetFunCodePtrByNum(target.number);
        int32_t checked = 0;
        const QString why = TypedValueProblem(p, FromUtf8(positional[2]), &checked);
        if (!why.isEmpty())
            return Fail("param", Q(target.text + " " + positional[2] + ": ") + why, 2);
        value = checked;
    }

    DriveError error;
    if (set) {
        const uint32_t v = uint32_t(value);
        const bool ok = target.byAddress ? access.WriteFunCodeByAddr(target.address, target.width, v, &error)
                                         : access.WriteFunCodeByNum(target.number, v, &error);
        if (!ok)
            return Fail("param", Ecamctl::tr("无法写入 %1: %2").arg(Q(target.text), Q(error.text())));
        return 0;
    }
    uint32_t v = 0;
    const bool ok = ecamctl::ReadAgainOnLineFault(
        [&](DriveError& e) {
            return target.byAddress ? access.ReadFunCodeByAddr(target.address, target.width, v, &e)
                                    : access.ReadFunCodeByNum(target.number, v, &e);
        },
        error);
    if (!ok)
        return Fail("param", Ecamctl::tr("无法读取 %1: %2").arg(Q(target.text), Q(error.text())));
    // 16-bit values arrive widened by the parameter's signedness (sign-extended
    // only for signed parameters); a 32-bit value is shown signed, as the
    // drive's positions are.
    if (target.byAddress && target.width == 16 && v <= 0xFFFF)
        std::printf("%u\n", v);
    else
        std::printf("%d\n", int32_t(v));
    return 0;
}

} // namespace

ECAMCTL_COMMAND("param", "param get|set NUMBER|ADDR:WIDTH [VALUE] --device URL [--catalogue PATH]", RunParam);
