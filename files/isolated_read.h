#pragma once
// Runs a reader of untrusted files in a child process.
//
// The spreadsheet libraries parse binary and zipped formats that users bring
// from anywhere; a damaged file can make them crash. Reading in a forked
// child turns any crash, abort or hang of the reader into a plain failure
// ("the workbook cannot be opened") instead of taking the host application
// and the user's unsaved cam down with it. The child only runs the job and
// sends its bytes back through a pipe; it never returns into the caller's
// code (it ends with _exit). Callable from any thread; blocks the caller
// until the child has finished or the time limit has passed.
#include <chrono>
#include <functional>
#include <string>

namespace ecam {

// Runs job(out) in a child. True when the child finished in time and the job
// returned true; `out` then holds what the job wrote. A child that runs
// longer than `limit` is killed.
bool RunIsolated(const std::function<bool(std::string& out)>& job, std::string& out,
                 std::chrono::milliseconds limit = std::chrono::seconds(20));

} // namespace ecam
