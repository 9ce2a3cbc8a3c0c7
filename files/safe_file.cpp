#include "files/safe_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ecam {

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RegularFile::Open(const std::filesystem::path& path, ReadFailure& kind, std::string& error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        kind = ReadFailure::CannotOpen;
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        kind = ReadFailure::NotRegular;
        error = ReadFailureText(kind);
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        kind = ReadFailure::CannotOpen;
        error = std::strerror(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        kind = ReadFailure::NotRegular;
        error = ReadFailureText(kind);
        return false;
    }
    m_fd = fd;
    m_size = static_cast<uint64_t>(st.st_size);
    return true;
}

long RegularFile::Read(char* buf, size_t n)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buf, n);
        if (got < 0 && errno == EINTR)
            continue;
        return static_cast<long>(got);
    }
}

bool ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes, std::string& bytes,
                     ReadBudget& budget, ReadFailure& kind, std::string& error)
{
    RegularFile file;
    if (!file.Open(path, kind, error))
        return false;
    if (file.Size() > maxBytes) {
        kind = ReadFailure::TooLarge;
        error = ReadFailureText(kind);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(file.Size()));
    char buf[1 << 16];
    try {
        for (;;) {
            budget.Check();
            const long got = file.Read(buf, sizeof buf);
            if (got < 0) {
                kind = ReadFailure::CannotOpen;
                error = std::strerror(errno);
                return false;
            }
            if (got == 0)
                break;
            // A file that grows while it is read is held to the same cap.
            if (bytes.size() + static_cast<size_t>(got) > maxBytes) {
                kind = ReadFailure::TooLarge;
                error = ReadFailureText(kind);
                return false;
            }
            bytes.append(buf, static_cast<size_t>(got));
        }
    } catch (const ReadFailed& f) {
        kind = f.Kind();
        error = ReadFailureText(kind);
        return false;
    }
    return true;
}

bool WritableTarget(const std::filesystem::path& path, std::string& error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : ReadFailureText(ReadFailure::NotRegular);
        return false;
    }
    return true;
}

namespace {

bool failWith(int err, std::string& error)
{
    error = std::strerror(err ? err : EIO);
    return false;
}

// A new name beside the target, hidden, unlikely to meet another writer's
// (O_EXCL settles a meeting anyway). Long names are cut so the temporary
// still fits the folder's name limit.
std::filesystem::path tempNameFor(const std::filesystem::path& target, unsigned attempt)
{
    static std::atomic<unsigned> counter{0};
    std::string base = target.filename().string();
    if (base.size() > 180)
        base.resize(180);
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%d.%u.%llx.tmp", static_cast<int>(::getpid()),
                  counter.fetch_add(1) + attempt, ticks & 0xFFFFFFu);
    return target.parent_path() / ("." + base + suffix);
}

// The file a link names, so saving through a link replaces the file and
// keeps the link.
std::filesystem::path resolvedTarget(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path real = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            return real;
    }
    return path;
}

} // namespace

bool WriteAll(int fd, std::string_view bytes, std::string& error)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failWith(n < 0 ? errno : ENOSPC, error);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool SaveFile(const std::filesystem::path& path, const SaveContent& content, std::string& error)
{
    if (path.empty() || !path.has_filename())
        return failWith(ENOENT, error);
    if (!WritableTarget(path, error))
        return false;
    const std::filesystem::path target = resolvedTarget(path);
    // A file the user protected against writing stays protected, even though
    // the folder would let us replace it.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return failWith(errno, error);

    // Created 0666 less the umask, as a plain new file would be.
    std::filesystem::path temp;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = tempNameFor(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST)
            return failWith(errno, error);
    }
    if (fd < 0)
        return failWith(EEXIST, error);

    bool ok = true;
    if (exists) {
        // The owner may differ (another user's file in a shared folder); the
        // mode is kept either way.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            ok = failWith(errno, error);
    }
    if (ok)
        ok = content(fd, temp, error);
    if (ok && ::fsync(fd) != 0)
        ok = failWith(errno, error);
    if (::close(fd) != 0 && ok)
        ok = failWith(errno, error);
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0)
        ok = failWith(errno, error);
    if (!ok) {
        ::unlink(temp.c_str());
        if (error.empty())
            failWith(EIO, error);
        return false;
    }
    // Make the rename itself durable. The new file is in place whatever this
    // answers, so a folder that cannot be synced does not turn the save into
    // a failure.
    std::filesystem::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool SaveFile(const std::filesystem::path& path, std::string_view bytes, std::string& error)
{
    return SaveFile(
        path, [bytes](int fd, const std::filesystem::path&, std::string& err) { return WriteAll(fd, bytes, err); },
        error);
}

} // namespace ecam
