#include "run_ecamctl.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ecamtest {
namespace {

struct Pipe {
    int read = -1, write = -1;
    bool Open() { return pipe2(&read, O_CLOEXEC) == 0; }
    ~Pipe()
    {
        if (read >= 0)
            close(read);
        if (write >= 0)
            close(write);
    }
};

void CloseFd(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

// Feeds stdin and drains stdout/stderr until both reach end of file or the
// deadline passes; false on the deadline.
bool Pump(int& in, int& out, int& err, const std::string& input, ProcessResult& r,
          std::chrono::steady_clock::time_point deadline)
{
    std::size_t written = 0;
    char buf[8192];
    while (out >= 0 || err >= 0) {
        pollfd fds[3];
        int n = 0;
        int* owners[3];
        if (in >= 0) {
            fds[n] = {in, POLLOUT, 0};
            owners[n++] = &in;
        }
        if (out >= 0) {
            fds[n] = {out, POLLIN, 0};
            owners[n++] = &out;
        }
        if (err >= 0) {
            fds[n] = {err, POLLIN, 0};
            owners[n++] = &err;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        const int ready = poll(fds, static_cast<nfds_t>(n), static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        for (int i = 0; i < n; ++i) {
            if (!fds[i].revents)
                continue;
            int& fd = *owners[i];
            if (&fd == &in) {
                const ssize_t k = write(fd, input.data() + written, input.size() - written);
                if (k > 0)
                    written += static_cast<std::size_t>(k);
                if (k < 0 || written == input.size())
                    CloseFd(fd);   // done, or the child closed its end
                continue;
            }
            const ssize_t k = read(fd, buf, sizeof buf);
            if (k > 0)
                (&fd == &out ? r.out : r.err).append(buf, static_cast<std::size_t>(k));
            else if (k == 0 || errno != EINTR)
                CloseFd(fd);
        }
    }
    return true;
}

} // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input, std::chrono::milliseconds limit)
{
    ProcessResult r;
    Pipe in, out, err;
    if (!in.Open() || !out.Open() || !err.Open()) {
        r.err = std::string("pipe: ") + std::strerror(errno);
        return r;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read, 0);
    posix_spawn_file_actions_adddup2(&actions, out.write, 1);
    posix_spawn_file_actions_adddup2(&actions, err.write, 2);
    // The child starts with default signal handling and an empty mask,
    // whatever the test process has set up for its own threads.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        r.err = program + ": " + std::strerror(rc);
        return r;
    }
    CloseFd(in.read);
    CloseFd(out.write);
    CloseFd(err.write);
    if (input.empty())
        CloseFd(in.write);

    // A child that exits early must not take the test down with SIGPIPE.
    sigset_t pipeSet, oldMask;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &oldMask);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool inTime = Pump(in.write, out.read, err.read, input, r, deadline);
    const timespec zero{0, 0};
    while (sigtimedwait(&pipeSet, nullptr, &zero) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &oldMask, nullptr);

    // Closed pipes do not prove the child has ended: wait for its exit too,
    // within the same deadline.
    if (inTime) {
        const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
        if (pidFd >= 0) {
            pollfd exited{pidFd, POLLIN, 0};
            for (;;) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now());
                const int ready = left.count() > 0 ? poll(&exited, 1, static_cast<int>(left.count())) : 0;
                if (ready < 0 && errno == EINTR)
                    continue;
                inTime = ready > 0;
                break;
            }
            close(pidFd);
        }
    }
    if (!inTime) {
        r.timedOut = true;
        kill(pid, SIGKILL);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    r.exitCode = !r.timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

ProcessResult RunEcamctl(const std::vector<std::string>& args, const std::string& input,
                         std::chrono::milliseconds limit)
{
    return RunProgram(ECAMCTL_PATH, args, input, limit);
}

} // namespace ecamtest
