#pragma once
// Bounds on reading files that users bring from anywhere.
//
// A damaged or hostile profile or workbook must neither crash nor freeze the
// panel, so every reader in this folder runs against a ReadBudget: a
// deadline it checks in its loops, and fixed caps on what it may hold
// (file size, inflated size, cells, repeats, points). Crossing a bound ends
// the read with ReadFailed, which the public entry points turn into a plain
// failure with a ReadFailure kind; the caller's data stays untouched.
// A budget belongs to one read on one thread.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

namespace ecam {

// Caps, chosen far above what a real cam needs (the drive holds 1500 points)
// and far below what would hurt the machine (a hostile package read stays
// within about 64 MB besides its own bytes, and 2 s).
inline constexpr size_t kMaxFilePoints = 100000;           // points of one profile or workbook
inline constexpr uint64_t kMaxWorkbookFileBytes = 64u << 20; // a workbook file as a whole
// A part grows by doubling, so a hostile package holds at most about 1.5
// times the part cap while it inflates: the caps keep that under 64 MB,
// with room for 100000 points (a 10 MB sheet).
inline constexpr uint64_t kMaxPartBytes = 24u << 20;        // one inflated part of a zip package
inline constexpr uint64_t kMaxInflatedBytes = 40u << 20;    // all inflated parts together
inline constexpr size_t kMaxZipEntries = 10000;
inline constexpr size_t kMaxCells = 1000000;                // non-empty cells of all sheets
inline constexpr size_t kMaxSheets = 256;
inline constexpr size_t kMaxCellBytes = 32767;              // longer texts are cut
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;
inline constexpr size_t kMaxProfileLineBytes = 64 * 1024;   // longer profile lines are cut
inline constexpr std::chrono::milliseconds kReadTimeLimit{2000};

enum class ReadFailure {
    None,
    CannotOpen,    // missing, no permission, I/O error: the system's own description
    NotRegular,    // a FIFO, device, directory or a link to one
    NotAProfile,   // a .ecam whose count line is not where the format puts it
    Damaged,       // not a workbook of a known kind, or broken inside
    TooLarge,      // beyond a size, cell or repeat cap
    TooManyPoints, // more than kMaxFilePoints points
    TimedOut,      // the deadline passed
    HtmlPage,      // a web page (what web programs call "export to Excel"), not a workbook
    XmlDocument,   // an XML document that is no workbook we read
    ShortProfile,  // (a warning) fewer point rows than the count line announces
};

// The user's words for a failure kind (UTF-8), empty for kinds that have no
// words of their own (CannotOpen carries the system's text, Damaged and
// NotAProfile are told by the caller's general message).
std::string ReadFailureText(ReadFailure kind);

class ReadFailed : public std::exception {
public:
    explicit ReadFailed(ReadFailure kind) : m_kind(kind) {}
    ReadFailure Kind() const { return m_kind; }
    const char* what() const noexcept override { return "file read failed"; }

private:
    ReadFailure m_kind;
};

class ReadBudget {
public:
    explicit ReadBudget(std::chrono::milliseconds limit = kReadTimeLimit)
        : m_deadline(std::chrono::steady_clock::now() + limit)
    {
    }
    // Throws ReadFailed(TimedOut) once the deadline has passed.
    void Check() const
    {
        if (std::chrono::steady_clock::now() >= m_deadline)
            throw ReadFailed(ReadFailure::TimedOut);
    }
    // For tight loops: looks at the clock every 4096th call only.
    void Tick()
    {
        if ((++m_ticks & 0xFFF) == 0)
            Check();
    }

private:
    std::chrono::steady_clock::time_point m_deadline;
    uint32_t m_ticks = 0;
};

[[noreturn]] inline void FailRead(ReadFailure kind)
{
    throw ReadFailed(kind);
}

} // namespace ecam
