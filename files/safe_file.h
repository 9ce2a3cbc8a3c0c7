#pragma once
// Opening files the user names, without letting the name block or exhaust
// the process: only regular files are opened for reading. The path is
// checked with stat, opened with O_NONBLOCK (so a FIFO that appeared in
// between cannot block the open) and checked again on the open descriptor,
// so a swap between the two steps is caught too. Callable from any thread.
#include "files/read_limits.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ecam {

// An open regular file; closes itself.
class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Opens `path` for reading. On failure `kind` is CannotOpen (with the
    // system's description in `error`) or NotRegular.
    bool Open(const std::filesystem::path& path, ReadFailure& kind, std::string& error);
    uint64_t Size() const { return m_size; }
    // Reads up to n bytes; 0 at the end; -1 on error (errno set).
    long Read(char* buf, size_t n);

private:
    int m_fd = -1;
    uint64_t m_size = 0;
};

// The whole content of a regular file of at most maxBytes (TooLarge beyond).
bool ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes, std::string& bytes,
                     ReadBudget& budget, ReadFailure& kind, std::string& error);

// Whether `path` may be written: absent or a regular file. Opening a FIFO
// for writing would wait for a reader, and a device is no file to replace.
bool WritableTarget(const std::filesystem::path& path, std::string& error);

} // namespace ecam
