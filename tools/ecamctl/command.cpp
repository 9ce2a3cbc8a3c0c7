#include "command.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace ecamctl {

std::map<std::string, Command>& registry()
{
    static std::map<std::string, Command> commands;
    return commands;
}

std::optional<std::string> Args::Value(const char* name) const
{
    const auto it = options.find(name);
    return it == options.end() ? std::nullopt : std::optional<std::string>(it->second);
}

QList<QCommandLineOption> DeclaredOptions(const std::string& usage)
{
    // "--name WORD" with WORD in capitals ("URL", "WxH") takes a value;
    // "--name" before anything else is a flag.
    static const QRegularExpression re(QStringLiteral("--([a-z][a-z-]*)( [A-Z][A-Za-z.]*)?"));
    QList<QCommandLineOption> options;
    QStringList seen;
    for (const QRegularExpressionMatch& m : re.globalMatch(QString::fromStdString(usage))) {
        if (seen.contains(m.captured(1)))
            continue;
        seen << m.captured(1);
        options << (m.captured(2).isEmpty() ? QCommandLineOption(m.captured(1))
                                            : QCommandLineOption(m.captured(1), QString(), m.captured(2).trimmed()));
    }
    return options;
}

} // namespace ecamctl
