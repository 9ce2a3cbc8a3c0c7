#include "app/host_options.h"

#include "ui/lang/ui_language.h"

#include <QRegularExpression>

bool ParseHostOptions(const QStringList& args, HostOptions& out, QString* why)
{
    auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            out.help = true;
            continue;
        }
        if (a == QLatin1String("--version")) {
            out.version = true;
            continue;
        }
        const bool takesValue = a == QLatin1String("--device") || a == QLatin1String("--screenshot") ||
                                a == QLatin1String("--size") || a == QLatin1String("--lang");
        if (!takesValue)
            return fail(QStringLiteral("unknown option: %1").arg(a));
        if (i + 1 >= args.size())
            return fail(QStringLiteral("%1 needs a value").arg(a));
        const QString value = args[++i];
        if (a == QLatin1String("--device")) {
            out.device = value;
        } else if (a == QLatin1String("--screenshot")) {
            out.screenshot = value;
        } else if (a == QLatin1String("--lang")) {
            if (!ParseUiLanguage(value))
                return fail(QStringLiteral("--lang wants en or zh_CN, not %1").arg(value));
            out.lang = value;
        } else {
            static const QRegularExpression re(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
            const auto m = re.match(value);
            if (!m.hasMatch() || m.captured(1).toInt() <= 0 || m.captured(2).toInt() <= 0)
                return fail(QStringLiteral("--size wants WxH, e.g. 1280x800, not %1").arg(value));
            out.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        }
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
