#pragma once
// Subcommand registry of ecamctl. Each cmd_*.cpp file defines one command
// and registers it with a static ECAMCTL_COMMAND object; main() dispatches on
// the first argument. Commands write results to stdout, messages to stderr,
// and return the process exit status (0 success, 2 bad input or usage,
// 3 a read-back that differs from what was written, 1 other failures).
#include <map>
#include <string>
#include <vector>

namespace ecamctl {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
    std::string usage;    // one line: "curve [FILE] | curve --length L"
    CommandFn run;
};

std::map<std::string, Command>& registry();

struct Registration {
    Registration(const char* name, const char* usage, CommandFn fn)
    {
        registry()[name] = Command{usage, fn};
    }
};

} // namespace ecamctl

#define ECAMCTL_COMMAND(name, usage, fn) \
    static const ::ecamctl::Registration ecamctl_reg_##fn(name, usage, fn)
