// ecamctl dispatcher: "ecamctl [--lang en|zh_CN] [--trace] COMMAND ARGS...". The conventions
// every command shares live here, so a command file only parses its own
// arguments: --help (or -h) anywhere prints that command's usage on stdout
// and exits 0; --version prints the version; an unknown command or option
// before it is a usage error on stderr with exit 2. The language follows the
// locale as ecam-host's does (ui/lang/ui_language.h): under English the panel's
// translations are installed, so the texts the drive layer shares with the
// panel read in English too.
#include "command.h"
#include "texts.h"

#include "ecam_version.h"
#include "ui/lang/ui_language.h"

#include <QGuiApplication>
#include <QLocale>

#include <QLoggingCategory>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace ecamctl {
std::map<std::string, Command>& registry()
{
    static std::map<std::string, Command> commands;
    return commands;
}
} // namespace ecamctl

namespace {

void PrintUsage(std::FILE* to)
{
    std::fprintf(to, "usage: ecamctl [--lang en|zh_CN] [--trace] COMMAND [ARGS...]\n"
                     "       ecamctl --help | --version | help COMMAND\n"
                     "%s\n", Ecamctl::tr("命令:").toUtf8().constData());
    for (const auto& [name, cmd] : ecamctl::registry())
        std::fprintf(to, "  ecamctl %s\n", ecamctl::UsageOf(name.c_str()).toUtf8().constData());
    std::fprintf(to, "%s\n", Ecamctl::tr("COMMAND --help 显示该命令的用法。").toUtf8().constData());
}

int UsageError(const QString& message)
{
    std::fprintf(stderr, "ecamctl: %s\n", message.toUtf8().constData());
    PrintUsage(stderr);
    return 2;
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

// The --lang among the options before the command, so that even a mistake
// in the other options is told in the user's language.
std::string LanguageAsked(const std::vector<std::string>& args)
{
    std::string lang;
    for (std::size_t i = 0; i < args.size() && args[i].size() > 1 && args[i][0] == '-'; ++i)
        if (args[i] == "--lang" && i + 1 < args.size() && ParseUiLanguage(QString::fromStdString(args[i + 1])))
            lang = args[++i];
    return lang;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool trace = std::find(args.begin(), args.end(), "--trace") != args.end();
    const std::unique_ptr<QGuiApplication> app = ApplyLanguage(LanguageAsked(args), trace);
    std::size_t at = 0;
    for (; at < args.size() && args[at].size() > 1 && args[at][0] == '-'; ++at) {
        const std::string& a = args[at];
        if (IsHelp(a)) {
            PrintUsage(stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("ecamctl %d.%d.%d\n", ECAM_VERSION_MAJOR, ECAM_VERSION_MINOR, ECAM_VERSION_PATCH);
            return 0;
        }
        if (a == "--lang" && at + 1 < args.size() && ParseUiLanguage(QString::fromStdString(args[at + 1]))) {
            ++at;
            continue;
        }
        if (a == "--trace") {
            // Every Modbus request and answer with its time and what was
            // made of it, on stderr.
            QLoggingCategory::setFilterRules(QStringLiteral("ecam.modbus.debug=true"));
            qSetMessagePattern(QStringLiteral("[%{time hh:mm:ss.zzz}] %{message}"));
            continue;
        }
        if (a == "--lang")
            return UsageError(at + 1 < args.size()
                                  ? Ecamctl::tr("--lang 取 en 或 zh_CN, 不是 '%1'").arg(QString::fromStdString(args[at + 1]))
                                  : Ecamctl::tr("--lang 需要一个值"));
        return UsageError(Ecamctl::tr("未知选项 '%1'").arg(QString::fromStdString(a)));
    }
    if (at == args.size())
        return UsageError(Ecamctl::tr("需要一个命令"));
    std::string name = args[at++];
    bool help = false;
    if (name == "help") {
        if (at == args.size()) {
            PrintUsage(stdout);
            return 0;
        }
        name = args[at++];
        help = true;
    }
    const auto it = ecamctl::registry().find(name);
    if (it == ecamctl::registry().end())
        return UsageError(Ecamctl::tr("未知命令 '%1'").arg(QString::fromStdString(name)));
    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(at), args.end());
    for (const std::string& a : rest)
        help = help || IsHelp(a);
    if (help) {
        std::printf("usage: ecamctl %s\n", ecamctl::UsageOf(name.c_str()).toUtf8().constData());
        return 0;
    }
    return it->second.run(rest);
}
