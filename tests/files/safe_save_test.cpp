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

using ecamtest::ReadFileBytes;

// Runs `body` in a child; its report (problems found, empty when none)
// comes back through a file.
std::string inChild(const fs::path& report, const std::function<std::string()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::ofstream(report, std::ios::binary) << body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string text = ReadFileBytes(report);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : text + "child died\n";
}

void setFileSizeLimit(rlim_t bytes)
{
    rlimit lim{};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lim);
}

const char* const kFormats[] = {"cam.ecam", "points.csv", "special.xls", "special.xlsx"};
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
        if (ReadFileBytes(target) != oldBytes)
            problems += what + ": old file changed\n";
    }
    for (const auto& e : fs::directory_iterator(target.parent_path()))
        if (e.path().filename() != target.filename())
            problems += what + ": left " + e.path().filename().string() + "\n";
    return problems;
}

// Saves kNew over kOld in every format while `block` holds (until `unblock`):
// each save must fail with `reason` and change nothing.
std::string blockedSaves(const fs::path& folder, const std::string& how, const std::string& reason,
                         const std::function<void()>& block, const std::function<void()>& unblock)
{
    std::string problems;
    for (const char* name : kFormats) {
        const fs::path target = folder / name;
        std::string error;
        if (!ecam::SavePointList(target, kOld, &error))
            return std::string(name) + ": old file: " + error;
        const std::string oldBytes = ReadFileBytes(target);
        block();
        error.clear();
        const bool ok = ecam::SavePointList(target, kNew, &error);
        unblock();
        problems += checkOutcome(target, oldBytes, ok, error, name + how);
        if (ok || error.find(reason) == std::string::npos)
            problems += name + how + ": '" + error + "'\n";
        fs::remove(target);
    }
    return problems;
}

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
    const fs::path inside = dir / "folder";
    fs::create_directory(inside);
    const std::string report = inChild(dir / "report", [&] {
        // On tmpfs where the system allows one: thousands of saves, each
        // synced, would otherwise wait on the disk.
        if (ownMountNamespace())
            ::mount("none", inside.c_str(), "tmpfs", 0, "size=1m");
        std::signal(SIGXFSZ, SIG_IGN);
        std::string problems;
        for (const char* name : kFormats) {
            const fs::path target = inside / name;
            std::string error;
            if (!ecam::SavePointList(target, kNew, &error))
                return std::string(name) + ": reference save failed: " + error;
            const auto full = fs::file_size(target);
            // A failed save leaves the old file, so it is written once.
            if (!ecam::SavePointList(target, kOld, &error))
                return std::string(name) + ": old file: " + error;
            const std::string oldBytes = ReadFileBytes(target);
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
    const fs::path inside = dir / "folder";
    fs::create_directory(inside);
    EXPECT_EQ(inChild(dir / "report", [&] {
                  dropDacOverride();
                  return blockedSaves(
                      inside, " in a read-only folder", "Permission denied",
                      [&] { ::chmod(inside.c_str(), 0555); }, [&] { ::chmod(inside.c_str(), 0755); });
              }),
              "");

    const std::string full = inChild(dir / "report", [&] {
        if (!ownMountNamespace() || ::mount("none", inside.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("SKIP");
        std::string problems = blockedSaves(
            inside, " in a full folder", "No space left on device",
            [&] {
                std::ofstream filler(inside / "filler", std::ios::binary);
                for (const std::string block(4096, 'x'); filler.write(block.data(), block.size());)
                    ;
            },
            [&] { fs::remove(inside / "filler"); });
        // The system's temp folder full: the workbook's temporaries go beside
        // the target, so the save still completes.
        const int keep = ::open(inside.c_str(), O_RDONLY | O_DIRECTORY);
        if (::mount("none", "/tmp", "tmpfs", 0, "size=4k") != 0)
            return problems + "cannot mount /tmp\n";
        std::ofstream("/tmp/filler", std::ios::binary) << std::string(8192, 'x');
        std::string error;
        if (!ecam::SavePointList("/proc/self/fd/" + std::to_string(keep) + "/special.xlsx", kNew, &error))
            problems += "xlsx with a full temp folder: " + error + "\n";
        return problems;
    });
    if (full == "SKIP")
        GTEST_SKIP() << "no mount namespace for a full folder here";
    EXPECT_EQ(full, "");
}
