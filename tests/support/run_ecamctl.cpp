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

void CloseFd(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

} // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input, std::chrono::milliseconds limit)
{
    ProcessResult r;
    // The pipes of the child's standard input, output and error: [0] the read end, [1] the write end.
    int p[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
    const auto closeAll = [&p] {
        for (auto& ends : p)
            for (int& fd : ends)
                CloseFd(fd);
    };
    for (auto& ends : p)
        if (pipe2(ends, O_CLOEXEC) != 0) {
            r.err = std::string("pipe: ") + std::strerror(errno);
            closeAll();
            return r;
        }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, p[0][0], 0);
    posix_spawn_file_actions_adddup2(&actions, p[1][1], 1);
    posix_spawn_file_actions_adddup2(&actions, p[2][1], 2);
    // The child starts with default signal handling and an empty mask,
    // whatever the test process has set up for its own threads.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGTERM})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    CloseFd(p[0][0]);
    CloseFd(p[1][1]);
    CloseFd(p[2][1]);
    if (rc != 0) {
        r.err = program + ": " + std::strerror(rc);
        closeAll();
        return r;
    }
    int &in = p[0][1], &out = p[1][0], &err = p[2][0];
    if (input.empty())
        CloseFd(in);
    // Closed pipes do not prove the child has ended: its pidfd tells when it has.
    int exited = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));

    // A child that exits early must not take the test down with SIGPIPE.
    sigset_t pipeSet, oldMask;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &oldMask);
    // Feed stdin and drain stdout and stderr until both end and the child
    // has exited, or the deadline passes.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::size_t written = 0;
    char buf[8192];
    while (out >= 0 || err >= 0 || exited >= 0) {
        pollfd fds[4];
        int* owners[4];
        nfds_t n = 0;
        for (int* fd : {&in, &out, &err, &exited})
            if (*fd >= 0) {
                fds[n] = {*fd, static_cast<short>(fd == &in ? POLLOUT : POLLIN), 0};
                owners[n++] = fd;
            }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int ready = left.count() > 0 ? poll(fds, n, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            r.timedOut = true;
            break;
        }
        for (nfds_t i = 0; i < n; ++i) {
            int& fd = *owners[i];
            if (!fds[i].revents)
                continue;
            if (&fd == &in) {
                const ssize_t k = write(fd, input.data() + written, input.size() - written);
                if (k > 0)
                    written += static_cast<std::size_t>(k);
                if (k < 0 || written == input.size())
                    CloseFd(fd);   // done, or the child closed its end
            } else if (&fd == &exited) {
                CloseFd(fd);
            } else {
                const ssize_t k = read(fd, buf, sizeof buf);
                if (k > 0)
                    (&fd == &out ? r.out : r.err).append(buf, static_cast<std::size_t>(k));
                else if (k == 0 || errno != EINTR)
                    CloseFd(fd);
            }
        }
    }
    const timespec zero{0, 0};
    while (sigtimedwait(&pipeSet, nullptr, &zero) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &oldMask, nullptr);
    closeAll();
    CloseFd(exited);
    if (r.timedOut)
        kill(pid, SIGKILL);
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
