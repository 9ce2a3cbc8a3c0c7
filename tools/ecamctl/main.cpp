// ecamctl dispatcher: "ecamctl [--lang en|zh_CN] [--trace] COMMAND ARGS...". The conventions
// every command shares live here, so a command file only parses its own
// arguments: the options before the command follow the three programs'
// command-line layer (host/command_line.h); --help (or -h) anywhere after
// the command prints that command's usage on stdout and exits 0; an unknown
// command is a usage error on stderr with exit 2. The language follows the
// locale as ecam-host's does (ui/lang/ui_language.h): under English the panel's
// translations are installed, so the texts the drive layer shares with the
// panel read in English too.
#include "command.h"
#include "texts.h"

#include "host/command_line.h"
#include "ui/lang/ui_language.h"

#include <QGuiApplication>
#include <QLocale>

#include <QLoggingCategory>
#include <QtGlobal>

#include <cstdio>
#include <memory>

namespace ecamctl {
std::map<std::string, Command>& registry()
{
    static std::map<std::string, Command> commands;
    return commands;
}
} // namespace ecamctl

namespace {

QString Usage()
{
    QString text = QStringLiteral("usage: ecamctl [--lang en|zh_CN] [--trace] COMMAND [ARGS...]\n"
                                  "       ecamctl --help | --version | help COMMAND\n")
                   + Ecamctl::tr("命令:") + QLatin1Char('\n');
    for (const auto& [name, cmd] : ecamctl::registry())
        text += QStringLiteral("  ecamctl ") + ecamctl::UsageOf(name.c_str()) + QLatin1Char('\n');
    return text + Ecamctl::tr("COMMAND --help 显示该命令的用法。") + QLatin1Char('\n');
}

int UsageError(const QString& message)
{
    return ::UsageError("ecamctl", message, Usage());
}

bool IsHelp(const std::string& a)
{
    return a == "--help" || a == "-h";
}

// Translators need an application object. Only English needs one; it is
// the off-screen application render paints with as well.
std::unique_ptr<QGuiApplication> ApplyLanguage(const std::string& lang, bool trace)
{
    const UiLanguage language = ChooseUiLanguage(QLocale::system().name(), QString::fromStdString(lang));
    if (language == UiLanguage::kChinese)
        return nullptr;
    static int argc = 1;
    static char name[] = "ecamctl";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // ecamctl says what it has to say itself; Qt's notes about the
    // off-screen platform (no runtime folder...) are no concern of a user's.
    // A trace asked for keeps Qt's own output.
    if (!trace) {
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtFatalMsg || type == QtCriticalMsg)
                std::fprintf(stderr, "ecamctl: %s\n", qPrintable(text));
        });
    }
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    if (!InstallUiTranslators(*app, language).panel)
        std::fprintf(stderr, "ecamctl: no English translation found; messages stay Chinese\n");
    return app;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    QStringList arguments;
    for (const std::string& a : args)
        arguments << QString::fromLocal8Bit(a.c_str());
    CCommandLine line({{QStringLiteral("trace"), QString()}}, true);
    const bool parsed = line.Parse(arguments);
    const bool trace = parsed && line.Options().isSet(QStringLiteral("trace"));
    const std::unique_ptr<QGuiApplication> app = ApplyLanguage(line.Lang().toStdString(), trace);
    if (!parsed)
        return UsageError(line.Error());
    if (const int status = HelpOrVersion(line, "ecamctl", Usage()); status >= 0)
        return status;
    if (!line.Lang().isEmpty() && !ParseUiLanguage(line.Lang()))
        return UsageError(Ecamctl::tr("--lang 取 en 或 zh_CN, 不是 '%1'").arg(line.Lang()));
    if (trace) {
        // Every Modbus request and answer with its time and what was made of
        // it, on stderr.
        QLoggingCategory::setFilterRules(QStringLiteral("ecam.modbus.debug=true"));
        qSetMessagePattern(QStringLiteral("[%{time hh:mm:ss.zzz}] %{message}"));
    }
    const QStringList positional = line.Options().positionalArguments();
    if (positional.isEmpty())
        return UsageError(Ecamctl::tr("需要一个命令"));
    // The command's own arguments, as the user typed them.
    const std::size_t at = args.size() - static_cast<std::size_t>(positional.size());
    std::string name = args[at];
    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(at) + 1, args.end());
    bool help = false;
    if (name == "help") {
        if (rest.empty()) {
            std::fputs(Usage().toUtf8().constData(), stdout);
            return 0;
        }
        name = rest.front();
        rest.erase(rest.begin());
        help = true;
    }
    const auto it = ecamctl::registry().find(name);
    if (it == ecamctl::registry().end())
        return UsageError(Ecamctl::tr("未知命令 '%1'").arg(QString::fromStdString(name)));
    for (const std::string& a : rest)
        help = help || IsHelp(a);
    if (help) {
        std::printf("usage: ecamctl %s\n", ecamctl::UsageOf(name.c_str()).toUtf8().constData());
        return 0;
    }
    return it->second.run(rest);
}
