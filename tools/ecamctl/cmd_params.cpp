// ecamctl params --device URL [list | read | write NUMBER=VALUE...]
// The cam parameters of the function-code settings dialog: list them as the
// catalogue describes them, read them from the drive, or write some. Typed
// values are checked as the dialog checks them and written in its row order.
#include "command.h"
#include "display_width.h"
#include "drive_session.h"
#include "texts.h"

#include "drive/cam_fun_codes.h"
#include "host/fun_code.h"
#include "host/fun_code_interface.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

using namespace ecamctl;

int Fail(const QString& what, int status = 1)
{
    return ecamctl::Fail("params", what, status);
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
    const QString tail = Ecamctl::tr("默认 %1 单位 %2 范围 %3..%4")
                             .arg(Q(PadToWidth(p.GetDefaultValue(), 6)), Q(PadToWidth(p.m_strUnit, 6)))
                             .arg(static_cast<int>(p.m_nMin))
                             .arg(static_cast<int>(p.m_nMax));
    Say(Q(PadToWidth(p.m_strNum, 7) + " " + PadToWidth(p.m_strName, 24) + " " + PadToWidth(value, 16) + " ") + tail);
}

int RunParams(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    const std::string url = in.Value("device").value_or("");
    std::string error;
    if (!in.Has("device"))
        return UsageFail("params", Ecamctl::tr("需要 --device URL"));
    const std::string action = args.empty() ? "list" : args[0];
    if ((action == "list" || action == "read") ? args.size() > 1 : (action != "write" || args.size() < 2))
        return UsageFail("params", Ecamctl::tr("需要 list、read 或 write NUMBER=VALUE..."));

    ecamctl::DriveSession session;
    if (!session.Open(url, &error))
        return Fail(Q(error), 2);
    CFunCodeAccess& access = session.Access();
    const std::vector<CFunCode*> rows = CamParameters(access.FunCodeInterface());

    if (action == "list") {
        for (CFunCode* p : rows)
            PrintRow(*p, camfuncodes::FormatFunCodeValue(*p, static_cast<int32_t>(p->m_nCurValue)));
        return 0;
    }
    if (!access.CheckConnect())
        return Fail(access.ConnectFailure().Under(QCoreApplication::translate("CPanelTransfers", "串口未连接!") +
                                                  QStringLiteral(" (%1)").arg(Q(url))));
    if (action == "read") {
        for (CFunCode* p : rows) {
            uint32_t v = 0;
            DriveError why;
            if (!ecamctl::ReadAgainOnLineFault([&](DriveError& e) { return access.ReadFunCodeByNum(p->m_strNum, v, &e); },
                                               why))
                return Fail(Ecamctl::tr("读取数据失败! %1: %2").arg(QString::fromStdWString(p->m_strNum), Q(why.text())));
            p->m_nCurValue = v;
            PrintRow(*p, camfuncodes::FormatFunCodeValue(*p, static_cast<int32_t>(v)));
        }
        Say(Ecamctl::tr("读取成功!"));
        return 0;
    }

    // write: every assignment is checked before the first one is sent, and
    // they go out in catalogue row order, as the dialog writes its checked
    // rows, whatever order they were typed in.
    std::vector<std::optional<int32_t>> values(rows.size());
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos)
            return Fail(Ecamctl::tr("需要 NUMBER=VALUE, 而不是 '%1'").arg(Q(args[i])), 2);
        const std::string typed = args[i].substr(0, eq);
        const std::wstring number = ecamctl::FromUtf8(typed);
        std::size_t row = 0;
        while (row < rows.size() && rows[row]->m_strNum != number)
            ++row;
        if (row == rows.size())
            return Fail(Ecamctl::tr("'%1' 不是凸轮参数之一").arg(Q(typed)), 2);
        if (values[row])
            return Fail(Ecamctl::tr("'%1' 给出了不止一次").arg(Q(typed)), 2);
        // A whole decimal number within the limits, or for an option
        // parameter one of its option values (typed as "2" or "2-label").
        int32_t value = 0;
        const QString why = TypedValueProblem(*rows[row], FromUtf8(args[i].substr(eq + 1)), &value);
        if (!why.isEmpty())
            return Fail(Q(args[i] + ": ") + why, 2);
        values[row] = value;
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!values[row])
            continue;
        CFunCode* p = rows[row];
        const int32_t value = *values[row];
        DriveError why;
        if (!access.WriteFunCodeByNum(p->m_strNum, static_cast<uint32_t>(value), &why))
            return Fail(Ecamctl::tr("写入数据失败! %1: %2").arg(QString::fromStdWString(p->m_strNum), Q(why.text())));
        PrintRow(*p, camfuncodes::FormatFunCodeValue(*p, value));
    }
    Say(Ecamctl::tr("写入成功!"));
    return 0;
}

} // namespace

ECAMCTL_COMMAND("params", "params --device URL [list | read | write NUMBER=VALUE...]", RunParams);
