#pragma once
// Opening and saving files the user names.
//
// Reading: only regular files are opened, so a name can neither block nor
// exhaust the process. The path is checked with stat, opened with
// O_NONBLOCK (so a FIFO that appeared in between cannot block the open) and
// checked again on the open descriptor, so a swap between the two steps is
// caught too.
//
// Saving: SaveFile is the one way this program writes a file. The content
// goes into a temporary file beside the target; every write, the flush to
// disk and the close are checked, and only then is the temporary renamed
// over the target, which keeps its permissions. On any failure the
// temporary is removed and the target stays byte for byte as it was.
// Callable from any thread.
#include "files/read_limits.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

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

// Fills the temporary file: either through `fd` (open for writing, owned by
// SaveFile) or by opening `tempPath` itself, as a library that only takes
// file names does. False with `error` set when anything failed.
using SaveContent =
    std::function<bool(int fd, const std::filesystem::path& tempPath, std::string& error)>;

// Saves `content` at `path` as one transaction (see above). A link is
// followed, so the file it names is replaced and the link stays. On failure
// `error` holds the reason (the system's description, UTF-8).
bool SaveFile(const std::filesystem::path& path, const SaveContent& content, std::string& error);
// The common case: the file's bytes are ready.
bool SaveFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);
// Writes all of `bytes` to `fd`, retrying short writes; false with the
// system's reason otherwise.
bool WriteAll(int fd, std::string_view bytes, std::string& error);

} // namespace ecam
