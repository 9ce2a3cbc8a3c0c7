// Every format this program saves either completes or leaves the old file
// byte for byte: cut at every byte by a file-size limit, refused by a
// read-only folder, stopped by a full folder, and with the system's temp
// folder full. Limits, privileges and mounts change the whole process, so
// each case runs in a forked child (this test binary runs no threads) that
// reports what went wrong as text.
#include "files/point_list_file.h"
#include "files/safe_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs `body` in a child; its return value (problems found, empty when none)
// comes back through a pipe.
std::string inChild(const std::function<std::string()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string report = body();
        std::string_view rest = report;
        while (!rest.empty()) {
            const ssize_t n = ::write(fds[1], rest.data(), rest.size());
            if (n <= 0)
                break;
            rest.remove_prefix(static_cast<size_t>(n));
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string report;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        report.append(buf, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        report += "child died (status " + std::to_string(status) + ")";
    return report;
}

void setFileSizeLimit(rlim_t bytes)
{
    rlimit lim{};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lim);
}

// Names left in `dir` besides `keep`: temporaries a failed save forgot.
std::string leftovers(const fs::path& dir, const fs::path& keep)
{
    std::string names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename() != keep.filename())
            names += " " + e.path().filename().string();
    return names;
}

const std::vector<ECamPoint> kOld = {{0, 0, 0, kECamPoly}, {500, 10, 0, kECamPoly}};
const std::vector<ECamPoint> kNew = {{0, 0, 0, kECamLinear}, {120.5, 30.25, 0, kECamLinear}, {360, 90, 0, kECamPoly}};

// After kNew was saved over a file holding `oldBytes`: a save reported done
// reads back as kNew, a failed one has a reason and left the old bytes, and
// no temporary stays behind.
std::string checkOutcome(const fs::path& target, const std::string& oldBytes, bool ok, const std::string& error,
                         const std::string& what)
{
    std::string problems;
    if (ok) {
        std::vector<ECamPoint> back;
        std::string readError;
        if (!ecam::LoadPointList(target, back, &readError))
            problems += what + ": reported saved but does not open: " + readError + "\n";
        else if (back.size() != kNew.size())
            problems += what + ": reported saved but holds " + std::to_string(back.size()) + " points\n";
    } else {
        if (error.empty())
            problems += what + ": failed without a reason\n";
        if (slurp(target) != oldBytes)
            problems += what + ": old file changed\n";
    }
    const std::string extra = leftovers(target.parent_path(), target);
    if (!extra.empty())
        problems += what + ": left" + extra + "\n";
    return problems;
}

const char* const kFormats[] = {"cam.ecam", "points.csv", "special.xls", "special.xlsx"};

// Drops the privilege that lets root write into any folder, so a read-only
// folder is read-only here too.
void dropDacOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    ::syscall(SYS_capset, &header, data);
}

// A mount namespace of our own, so tmpfs folders can be mounted; false
// where the system allows none.
bool ownMountNamespace()
{
    if (::unshare(CLONE_NEWNS) != 0) {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

} // namespace

TEST(SafeSave, EveryFormatUnderAFileSizeLimitAtEveryByteCompletesOrKeepsTheOldFile)
{
    ecamtest::TempDir dir("safe_save");
    const std::string report = inChild([&] {
        // On tmpfs where the system allows one: thousands of saves, each
        // synced, would otherwise wait on the disk.
        if (ownMountNamespace())
            ::mount("none", dir.Path().c_str(), "tmpfs", 0, "size=1m");
        std::signal(SIGXFSZ, SIG_IGN);
        std::string problems;
        for (const char* name : kFormats) {
            const fs::path target = dir / name;
            fs::remove(target);
            std::string error;
            if (!ecam::SavePointList(dir / (std::string("ref-") + name), kNew, &error))
                return std::string(name) + ": reference save failed: " + error;
            const auto full = fs::file_size(dir / (std::string("ref-") + name));
            fs::remove(dir / (std::string("ref-") + name));
            // A failed save leaves the old file, so it is written once.
            if (!ecam::SavePointList(target, kOld, &error))
                return std::string(name) + ": old file: " + error;
            const std::string oldBytes = slurp(target);
            for (rlim_t limit = 0;; ++limit) {
                error.clear();
                setFileSizeLimit(limit);
                const bool ok = ecam::SavePointList(target, kNew, &error);
                setFileSizeLimit(RLIM_INFINITY);
                problems += checkOutcome(target, oldBytes, ok, error,
                                         std::string(name) + " at " + std::to_string(limit) + " bytes");
                // (The size of a workbook varies a little with its time stamps.)
                if (ok ? fs::file_size(target) > limit : limit >= full)
                    problems += std::string(name) + " at " + std::to_string(limit) + " bytes: "
                                + (ok ? "saved" : "failed") + ", final size " + std::to_string(full) + "\n";
                if (ok || !problems.empty())
                    break;
            }
            fs::remove(target);
        }
        return problems;
    });
    EXPECT_EQ(report, "");
}

TEST(SafeSave, ReadOnlyAndFullFoldersKeepTheOldFileAndAFullTempFolderDoesNotMatter)
{
    ecamtest::TempDir dir("safe_save_dirs");
    const std::string readOnly = inChild([&] {
        dropDacOverride();
        std::string problems;
        for (const char* name : kFormats) {
            const fs::path target = dir / name;
            std::string error;
            ::chmod(dir.Path().c_str(), 0755);
            if (!ecam::SavePointList(target, kOld, &error))
                return std::string(name) + ": old file: " + error;
            const std::string oldBytes = slurp(target);
            ::chmod(dir.Path().c_str(), 0555);
            error.clear();
            const bool ok = ecam::SavePointList(target, kNew, &error);
            problems += checkOutcome(target, oldBytes, ok, error, std::string(name) + " in a read-only folder");
            if (ok || error.find("Permission denied") == std::string::npos)
                problems += std::string(name) + ": in a read-only folder: '" + error + "'\n";
            ::chmod(dir.Path().c_str(), 0755);
            fs::remove(target);
        }
        return problems;
    });
    EXPECT_EQ(readOnly, "");

    const std::string full = inChild([&] {
        if (!ownMountNamespace())
            return std::string("SKIP");
        std::string problems;
        const fs::path small = dir / "small";
        fs::create_directory(small);
        if (::mount("none", small.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("SKIP");
        for (const char* name : kFormats) {
            const fs::path target = small / name;
            std::string error;
            if (!ecam::SavePointList(target, kOld, &error))
                return std::string(name) + ": old file: " + error;
            const std::string oldBytes = slurp(target);
            {
                std::ofstream filler(small / "filler", std::ios::binary);
                const std::string block(4096, 'x');
                while (filler.write(block.data(), block.size()))
                    ;
            }
            error.clear();
            const bool ok = ecam::SavePointList(target, kNew, &error);
            fs::remove(small / "filler");
            problems += checkOutcome(target, oldBytes, ok, error, std::string(name) + " in a full folder");
            if (ok || error.find("No space left on device") == std::string::npos)
                problems += std::string(name) + ": in a full folder: '" + error + "'\n";
            fs::remove(target);
        }
        // The system's temp folder full: the workbook's temporaries go beside
        // the target, so the save still completes.
        const int keep = ::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
        if (::mount("none", "/tmp", "tmpfs", 0, "size=4k") != 0)
            return problems + "cannot mount /tmp\n";
        std::ofstream("/tmp/filler", std::ios::binary) << std::string(8192, 'x');
        const fs::path target = "/proc/self/fd/" + std::to_string(keep) + "/special.xlsx";
        std::string error;
        if (!ecam::SavePointList(target, kNew, &error))
            problems += "xlsx with a full temp folder: " + error + "\n";
        return problems;
    });
    if (full == "SKIP")
        GTEST_SKIP() << "no mount namespace for a full folder here";
    EXPECT_EQ(full, "");
}
