#include "app/host_options.h"

#include "host/command_line.h"
#include "ui/lang/ui_language.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
QString Tr(const char* text)
{
    return QCoreApplication::translate("HostOptions", text);
}
} // namespace

bool ParseHostOptions(const QStringList& args, HostOptions& out, QString* why)
{
    auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    const QString value = QStringLiteral("VALUE");
    CCommandLine line({{QStringLiteral("device"), QString(), value},
                       {QStringLiteral("screenshot"), QString(), value},
                       {QStringLiteral("size"), QString(), value}});
    // The language first, so main can say what else is wrong in it.
    const bool parsed = line.Parse(args);
    if (!line.Lang().isEmpty()) {
        if (!ParseUiLanguage(line.Lang()))
            return fail(Tr(QT_TRANSLATE_NOOP("HostOptions", "--lang 取 en 或 zh_CN, 不是 %1")).arg(line.Lang()));
        out.lang = line.Lang();
    }
    if (!parsed)
        return fail(line.Error());
    const QCommandLineParser& p = line.Options();
    if (!line.Positionals().isEmpty())
        return fail(Tr(QT_TRANSLATE_NOOP("HostOptions", "多余的参数 %1")).arg(line.Positionals().front()));
    out.help = line.Help();
    out.version = line.Version();
    out.device = p.value(QStringLiteral("device"));
    out.screenshot = p.value(QStringLiteral("screenshot"));
    if (p.isSet(QStringLiteral("size"))) {
        static const QRegularExpression re(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QString size = p.value(QStringLiteral("size"));
        const auto m = re.match(size);
        if (!m.hasMatch() || m.captured(1).toInt() <= 0 || m.captured(2).toInt() <= 0)
            return fail(Tr(QT_TRANSLATE_NOOP("HostOptions", "--size 取 WxH, 如 1280x800, 不是 %1")).arg(size));
        out.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }
    return true;
}

QString HostUsage()
{
    return QStringLiteral(
        "usage: ecam-host [--device URL] [--lang en|zh_CN] [--screenshot FILE.png [--size WxH]]\n"
        "       ecam-host --help | --version\n"
        "  --device URL      drive to use for this run, e.g. tcp://127.0.0.1:1502?unit=1,\n"
        "                    rtu:/dev/ttyUSB0?baud=115200&parity=N&data=8&stop=1&unit=1\n"
        "                    or sim, a simulated drive started inside the host\n"
        "                    (default: the drive connected last time, else sim)\n"
        "  --screenshot FILE lay the panel out at --size (default 1280x800), write it\n"
        "                    as a PNG picture and exit\n"
        "  --lang en|zh_CN   language of the windows (default: the system locale's;\n"
        "                    Chinese for zh_* and C, English for any other)\n");
}
