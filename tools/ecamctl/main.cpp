// ecamctl dispatcher: "ecamctl [--lang en|zh_CN] [--trace] COMMAND ARGS...". The conventions
// every command shares live here: the options before the command and the
// command's own (those its usage line declares, command.h) go through the
// three programs' command-line layer (host/command_line.h); --help (or -h)
// anywhere after the command prints that command's usage on stdout and
// exits 0; an unknown command or option is a usage error on stderr with
// exit 2, so a command only checks what its arguments mean. The language follows the
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
    const QString usage = QStringLiteral("usage: ecamctl ") + ecamctl::UsageOf(name.c_str()) + QLatin1Char('\n');
    if (help) {
        std::fputs(usage.toUtf8().constData(), stdout);
        return 0;
    }
    const QList<QCommandLineOption> declared = ecamctl::DeclaredOptions(it->second.usage);
    CCommandLine own(declared);
    const QStringList ownArguments = arguments.mid(static_cast<qsizetype>(at) + 1);
    if (!own.Parse(ownArguments))
        return ecamctl::UsageFail(name.c_str(), own.Error());
    if (const int status = HelpOrVersion(own, "ecamctl", usage); status >= 0)
        return status;
    // The bytes the user typed, not their text: a file name need not be UTF-8.
    std::vector<bool> taken(rest.size());
    auto typed = [&](const QString& text) {
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (!taken[i] && ownArguments[static_cast<qsizetype>(i)] == text) {
                taken[i] = true;
                return rest[i];
            }
        }
        return text.toLocal8Bit().toStdString();   // "--name=value"
    };
    ecamctl::Args command;
    for (const QString& a : own.Positionals())
        command.positional.push_back(typed(a));
    for (const QCommandLineOption& o : declared) {
        const QString option = o.names().front();
        if (own.Options().isSet(option))
            command.options[option.toStdString()] = typed(own.Value(option));
    }
    return it->second.run(command);
}
