#include "files/safe_file.h"

#include <cerrno>
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

} // namespace ecam
