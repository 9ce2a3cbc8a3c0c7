#pragma once
// Point-by-point transfer of a cam table (CamTable_Info entries) between
// memory and the drive: the standard write (0x1E00.., 16 points per group), the
// special-point write and the special-point read (0x4000.., 25 per group).
// Every field is preceded by a pause and tried up to a number of attempts in
// a row; both numbers are passed in (50 ms and 10 in the product) so tests can
// shorten them. One implementation serves the panel's workers and ecamctl.
//
// A CCamTransfer runs on one thread at a time (the worker). It borrows the
// field access and the stop object; both must outlive it. Progress and the
// end result are reported through a callback as a ReportKind and a value (the
// panel turns them into its window messages, ecamctl into progress lines);
// after a stop request the transfer ends at the next field and reports
// nothing more.
#include "drive/cam_field_io.h"
#include "drive/cam_table.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

class CTransferStop;

namespace camxfer {
// What a report says; its value is the point index (progress) or the result
// code (done).
enum ReportKind : unsigned {
    kWriteProgress,
    kWriteDone,
    kReadProgress,
    kReadDone,
    kSpecialWriteDone,
    kVerifyProgress,   // a point read back after a write (CCamVerifier)
};

// Result codes carried by the *Done reports (and returned).
inline constexpr int kOk = 0;
inline constexpr int kPointFailed = 1;
inline constexpr int kTooManyPoints = 2;
inline constexpr int kStopped = 3;   // returned only; nothing is reported
inline constexpr int kVerifyFailed = 4;   // written, but the drive does not hold it all
inline constexpr int kReadFailed = 5;     // the drive's answers could not be read cleanly
inline constexpr int kNoAnswer = 6;       // the drive stopped answering

struct Timing {
    std::chrono::milliseconds pause{50};
    int attempts = 10;
};

using Report = std::function<void(ReportKind kind, uintptr_t value)>;
} // namespace camxfer

class CCamTransfer {
public:
    CCamTransfer(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop = nullptr);

    // Per-point operations: four (standard) or two (special) fields, each
    // after a pause, each up to `attempts` tries; the first field that fails
    // every try fails the point and the later fields are not touched.
    bool WriteStandardPoint(const CamTable_Info& e, uint16_t address);
    bool WriteSpecialPoint(const CamTable_Info& e, uint16_t address);
    bool ReadSpecialPoint(uint16_t address, CamTable_Info& out);

    // Whole transfers. Each returns a camxfer result code and, unless stopped,
    // reports its progress after every point and its result at the end.
    int StandardWrite(const std::vector<CamTable_Info>& table, const camxfer::Report& report);
    int SpecialWrite(const std::vector<CamTable_Info>& table, const camxfer::Report& report);
    // Reads `count` special points in checked block passes (CBlockReader);
    // `table` is cleared and holds the points only when all were read.
    // Fails with kNoAnswer when the drive stays silent, kPointFailed when
    // its answers cannot be read cleanly.
    int Read(int count, std::vector<CamTable_Info>& table, const camxfer::Report& report);

    // The writes then put `count` into the point count register (0x1B08),
    // paced and retried like a field, after the last point and only when
    // every point is in place. The caller writes 0 there before the table,
    // so a write that stops or fails half-way never leaves a count that
    // claims a complete table (docs/transfer-state-choices.md).
    void SetCountAfterTable(int count) { m_countAfter = count; }
    // Points put in place by the last write (for the messages of a stopped one).
    std::size_t PointsWritten() const { return m_pointsWritten; }

    // Number of field attempts that failed and were tried again (diagnostics).
    int Retries() const { return m_retries; }

private:
    bool Stopped() const;
    // false when stopped or when every attempt failed.
    bool WriteField(uint16_t address, uint32_t width, uint32_t value);
    bool ReadField(uint16_t address, uint32_t& out);
    // The pause, then up to `attempts` tries of one field access.
    bool PauseThenTry(const std::function<bool()>& once);
    // The loop both writes share: one point per address, `done` reported at
    // the end.
    int WriteTable(const std::vector<CamTable_Info>& table, const camxfer::Report& report, int maxPoints,
                   uint16_t base, camxfer::ReportKind done, bool (CCamTransfer::*writePoint)(const CamTable_Info&, uint16_t),
                   uint16_t (*nextAddress)(uint16_t));

    ICamFieldIo& m_io;
    camxfer::Timing m_timing;
    CTransferStop* m_stop;
    int m_retries = 0;
    int m_countAfter = -1;
    std::size_t m_pointsWritten = 0;
};
