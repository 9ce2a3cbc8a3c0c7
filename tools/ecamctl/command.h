#pragma once
// Subcommand registry of ecamctl. Each cmd_*.cpp file defines one command
// and registers it with a static ECAMCTL_COMMAND object; main() dispatches on
// the first argument. A command's usage line is its declaration: the options
// it names ("--device URL" takes a value, "[--verify]" is a flag) are the
// options its arguments are parsed for (host/command_line.h), so the usage,
// --help and what is accepted cannot drift apart. Commands write results to
// stdout, messages to stderr, and return the process exit status (0
// success, 2 bad input or usage, 3 a read-back that differs from what was
// written, 1 other failures).
#include <QCommandLineOption>
#include <QList>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ecamctl {

// A command's arguments after the options its usage declares were taken out.
struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;   // "device" -> "tcp://...", a flag -> ""

    bool Has(const char* name) const { return options.count(name) != 0; }
    std::optional<std::string> Value(const char* name) const;
};

using CommandFn = int (*)(const Args& args);

struct Command {
    std::string usage;    // one line: "curve [FILE] | curve --length L"
    CommandFn run;
};

std::map<std::string, Command>& registry();

// The options a usage line declares.
QList<QCommandLineOption> DeclaredOptions(const std::string& usage);

struct Registration {
    Registration(const char* name, const char* usage, CommandFn fn)
    {
        registry()[name] = Command{usage, fn};
    }
};

} // namespace ecamctl

#define ECAMCTL_COMMAND(name, usage, fn) \
    static const ::ecamctl::Registration ecamctl_reg_##fn(name, usage, fn)
