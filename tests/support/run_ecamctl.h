#pragma once
// Runs the built ecamctl as a child process, the way a user runs it from a
// shell but without one: the arguments go to the program unchanged (no
// quoting), standard input is fed from a string, and standard output and
// standard error come back separately. The wait is bounded: a child still
// running at the deadline is killed and reported as timed out.
//
// Plain functions; callable from any test thread. The child is started with
// posix_spawn, so a test process that already runs threads (a simulator, a
// worker) may call it.
#include <chrono>
#include <string>
#include <vector>

namespace ecamtest {

struct ProcessResult {
    int exitCode = -1;      // the exit status; -1 when killed by a signal or timed out
    bool timedOut = false;
    std::string out;        // everything written to standard output
    std::string err;        // everything written to standard error
};

// Runs `program` with `args`; `input` is written to its standard input, which
// is then closed.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = {},
                         std::chrono::milliseconds limit = std::chrono::seconds(30));

// The ecamctl of this build.
ProcessResult RunEcamctl(const std::vector<std::string>& args, const std::string& input = {},
                         std::chrono::milliseconds limit = std::chrono::seconds(30));

} // namespace ecamtest
