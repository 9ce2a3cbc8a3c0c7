// ecamctl params --device URL [list | read | write NUMBER=VALUE...]
// The cam parameters of the function-code settings dialog: list them as the
// catalogue describes them, read them from the drive, or write some. Typed
// values are checked as the dialog checks them and written in its row order.
#include "command.h"
#include "display_width.h"
#include "drive_session.h"

#include "drive/cam_fun_codes.h"
#include "host/fun_code.h"
#include "host/fun_code_interface.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

const char* kUsage = "params --device URL [list | read | write NUMBER=VALUE...]";

int Fail(const std::string& what, int status = 1)
{
    std::fprintf(stderr, "ecamctl params: %s\n", what.c_str());
    return status;
}

std::vector<CFunCode*> CamParameters(CFunCodeInterface* catalogue)
{
    std::vector<CFunCode*> rows;
    for (const wchar_t* number : camfuncodes::kNumbers) {
        if (CFunCode* p = catalogue->GetFunCodePtrByNum(number))
            rows.push_back(p);
    }
    return rows;
}

void PrintRow(const CFunCode& p, const std::wstring& value)
{
    // Padded by terminal columns, not bytes: the names are Chinese.
    using ecamctl::PadToWidth;
    std::printf("%s %s %s default %s unit %s range %d..%d\n", PadToWidth(p.m_strNum, 7).c_str(),
                PadToWidth(p.m_strName, 24).c_str(), PadToWidth(value, 16).c_str(),
                PadToWidth(p.GetDefaultValue(), 6).c_str(), PadToWidth(p.m_strUnit, 6).c_str(),
                static_cast<int>(p.m_nMin), static_cast<int>(p.m_nMax));
}

// The value for a parameter from typed text: a whole decimal number within
// the limits, or for an option parameter one of its option values (typed as
// "2" or "2-label").
bool ParseValue(const CFunCode& p, const std::wstring& text, int32_t& value, std::string& why)
{
    why = camfuncodes::CheckTypedValue(p, text, &value);
    if (why == camfuncodes::kNotAnOption) {
        for (const FunCodeOption& o : p.m_options) {
            why += ' '; // not `" " + string`: GCC 12 -Wrestrict false positive
            why += ecamctl::ToUtf8(camfuncodes::OptionText(o));
        }
    }
    return why.empty();
}

int RunParams(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args = argsIn;
    std::string url, error;
    if (!ecamctl::TakeOption(args, "--device", url))
        return Fail(std::string("usage: ecamctl ") + kUsage, 2);
    const std::string action = args.empty() ? "list" : args[0];
    if ((action == "list" || action == "read") ? args.size() > 1 : (action != "write" || args.size() < 2))
        return Fail(std::string("usage: ecamctl ") + kUsage, 2);

    ecamctl::DriveSession session;
    if (!session.Open(url, &error))
        return Fail(error, 2);
    CFunCodeAccess& access = session.Access();
    const std::vector<CFunCode*> rows = CamParameters(access.FunCodeInterface());

    if (action == "list") {
        for (CFunCode* p : rows)
            PrintRow(*p, camfuncodes::FormatFunCodeValue(*p, static_cast<int32_t>(p->m_nCurValue)));
        return 0;
    }
    if (!access.CheckConnect())
        return Fail(access.ConnectFailure()
                        .Under(QCoreApplication::translate("CPanelTransfers", "串口未连接!") +
                               QStringLiteral(" (%1)").arg(QString::fromStdString(url)))
                        .toStdString());
    if (action == "read") {
        for (CFunCode* p : rows) {
            uint32_t v = 0;
            DriveError why;
            if (!ecamctl::ReadAgainOnLineFault([&](DriveError& e) { return access.ReadFunCodeByNum(p->m_strNum, v, &e); },
                                               why))
                return Fail("读取数据失败! " + ecamctl::ToUtf8(p->m_strNum) + ": " + why.text());
            p->m_nCurValue = v;
            PrintRow(*p, camfuncodes::FormatFunCodeValue(*p, static_cast<int32_t>(v)));
        }
        std::printf("读取成功!\n");
        return 0;
    }

    // write: every assignment is checked before the first one is sent, and
    // they go out in catalogue row order, as the dialog writes its checked
    // rows, whatever order they were typed in.
    std::vector<std::optional<int32_t>> values(rows.size());
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos)
            return Fail("expected NUMBER=VALUE, got '" + args[i] + "'", 2);
        const std::string typed = args[i].substr(0, eq);
        const std::wstring number = ecamctl::FromUtf8(typed);
        std::size_t row = 0;
        while (row < rows.size() && rows[row]->m_strNum != number)
            ++row;
        if (row == rows.size())
            return Fail("'" + typed + "' is not one of the cam parameters", 2);
        if (values[row])
            return Fail("'" + typed + "' is given more than once", 2);
        int32_t value = 0;
        std::string why;
        if (!ParseValue(*rows[row], ecamctl::FromUtf8(args[i].substr(eq + 1)), value, why))
            return Fail(args[i] + ": " + why, 2);
        values[row] = value;
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!values[row])
            continue;
        CFunCode* p = rows[row];
        const int32_t value = *values[row];
        DriveError why;
        if (!access.WriteFunCodeByNum(p->m_strNum, static_cast<uint32_t>(value), &why))
            return Fail("写入数据失败! " + ecamctl::ToUtf8(p->m_strNum) + ": " + why.text());
        PrintRow(*p, camfuncodes::FormatFunCodeValue(*p, value));
    }
    std::printf("写入成功!\n");
    return 0;
}

} // namespace

ECAMCTL_COMMAND("params", kUsage, RunParams);
