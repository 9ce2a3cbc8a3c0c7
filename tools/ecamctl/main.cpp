// ecamctl dispatcher: "ecamctl COMMAND ARGS...".
#include "command.h"

#include "ecam_version.h"

#include <QLoggingCategory>
#include <QtGlobal>

#include <cstdio>

namespace ecamctl {
std::map<std::string, Command>& registry()
{
    static std::map<std::string, Command> commands;
    return commands;
}
} // namespace ecamctl

static void printUsage()
{
    std::fprintf(stderr, "usage: ecamctl [--trace] COMMAND [ARGS...]\ncommands:\n");
    for (const auto& [name, cmd] : ecamctl::registry())
        std::fprintf(stderr, "  ecamctl %s\n", cmd.usage.c_str());
}

int main(int argc, char** argv)
{
    // --trace (before the command): every Modbus request and answer with its
    // time and what was made of it, on stderr.
    if (argc >= 2 && std::string(argv[1]) == "--trace") {
        QLoggingCategory::setFilterRules(QStringLiteral("ecam.modbus.debug=true"));
        qSetMessagePattern(QStringLiteral("[%{time hh:mm:ss.zzz}] %{message}"));
        ++argv;
        --argc;
    }
    if (argc < 2) {
        printUsage();
        return 2;
    }
    const std::string name = argv[1];
    if (name == "-h" || name == "--help" || name == "help") {
        printUsage();
        return 0;
    }
    if (name == "--version") {
        std::printf("ecamctl %d.%d.%d\n", ECAM_VERSION_MAJOR, ECAM_VERSION_MINOR, ECAM_VERSION_PATCH);
        return 0;
    }
    auto it = ecamctl::registry().find(name);
    if (it == ecamctl::registry().end()) {
        std::fprintf(stderr, "ecamctl: unknown command '%s'\n", name.c_str());
        printUsage();
        return 2;
    }
    return it->second.run(std::vector<std::string>(argv + 2, argv + argc));
}
