#include "files/isolated_read.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ecam {
namespace {

bool writeAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool RunIsolated(const std::function<bool(std::string& out)>& job, std::string& out,
                 std::chrono::milliseconds limit)
{
    out.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        std::string result;
        bool ok = false;
        try {
            ok = job(result);
        } catch (...) {
            ok = false;
        }
        ok = ok && writeAll(fds[1], result);
        ::_exit(ok ? 0 : 1); // no destructors or exit handlers of the parent's state
    }
    ::close(fds[1]);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool timedOut = false;
    char buf[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd pfd{fds[0], POLLIN, 0};
        const int r = ::poll(&pfd, 1, static_cast<int>(left.count()));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            timedOut = r == 0;
            break;
        }
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // end of the child's output
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const bool ok = !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok)
        out.clear();
    return ok;
}

} // namespace ecam
