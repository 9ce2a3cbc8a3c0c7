#include "host/command_line.h"

#include "ecam_version.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

// QCommandLineParser takes every argument that starts with '-' for an
// option, but a number below zero ("-3601") is a value: it passes the
// parser with this mark in front, taken off again on the way out.
const QChar kNumberMark(0x1);

QString Unmarked(QString text)
{
    return text.startsWith(kNumberMark) ? text.mid(1) : text;
}

} // namespace

CCommandLine::CCommandLine(const QList<QCommandLineOption>& options, bool commandAfterOptions)
{
    // Long options with two dashes only: "-what" is not "-w -h -a -t".
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (commandAfterOptions)
        m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    m_parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    m_parser.addOption({QStringLiteral("version"), QString()});
    m_parser.addOption({QStringLiteral("lang"), QString(), QStringLiteral("LANG")});
    m_parser.addOptions(options);
    for (const QCommandLineOption& o : options) {
        if (!o.valueName().isEmpty())
            m_valued << o.names();
    }
    m_valued << QStringLiteral("lang");
}

bool CCommandLine::Parse(const QStringList& arguments)
{
    static const QRegularExpression number(QStringLiteral("^-[0-9.]"));
    m_arguments = arguments;
    QStringList marked{QStringLiteral("program")};
    for (const QString& a : arguments)
        marked << (number.match(a).hasMatch() ? kNumberMark + a : a);
    return m_parser.parse(marked);
}

QStringList CCommandLine::Positionals() const
{
    QStringList out;
    for (const QString& a : m_parser.positionalArguments())
        out << Unmarked(a);
    return out;
}

QString CCommandLine::Value(const QString& name) const
{
    return Unmarked(m_parser.value(name));
}

QString CCommandLine::Error() const
{
    // The option the user mistyped, or the one left without its value, in
    // the user's language; Qt's own words for the rest.
    const QStringList unknown = m_parser.unknownOptionNames();
    if (unknown.isEmpty()) {
        // Any argument after a value option is its value: only the last
        // argument can lack one.
        const QString last = m_arguments.isEmpty() ? QString() : m_arguments.back();
        if (last.startsWith(QLatin1Char('-')) && m_valued.contains(QString(last).remove(QRegularExpression(QStringLiteral("^--?")))))
            return QCoreApplication::translate("CommandLine", "%1 需要一个值").arg(last);
        return m_parser.errorText();
    }
    const QString dashes = unknown.front().size() > 1 ? QStringLiteral("--") : QStringLiteral("-");
    return QCoreApplication::translate("CommandLine", "未知选项 %1").arg(dashes + unknown.front());
}

int HelpOrVersion(const CCommandLine& line, const char* program, const QString& usage)
{
    if (line.Help()) {
        std::fputs(usage.toUtf8().constData(), stdout);
        return 0;
    }
    if (line.Version()) {
        std::printf("%s %d.%d.%d\n", program, ECAM_VERSION_MAJOR, ECAM_VERSION_MINOR, ECAM_VERSION_PATCH);
        return 0;
    }
    return -1;
}

int UsageError(const char* program, const QString& why, const QString& usage)
{
    std::fprintf(stderr, "%s: %s\n%s", program, why.toUtf8().constData(), usage.toUtf8().constData());
    return 2;
}
