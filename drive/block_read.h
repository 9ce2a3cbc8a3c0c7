#pragma once
// CBlockReader: reads runs of drive registers (the cam table, the scaling
// and count) in as few requests as the protocol allows, in checked passes.
// A pass is a list of requests of function 03, at most 125 registers each,
// no two of one pass asking for the same number of registers, so that the
// data service can refuse any answer that belongs to another request (see
// CDataSrvBase::ReadSpans and docs/drive-link.md). A pass that fails is
// tried again whole, after a pause; a drive that stays silent for a few
// attempts in a row ends the read at once ("not answering") instead of
// spending every attempt.
//
// Runs on one thread at a time; borrows the field access and the stop object.
#include "drive/cam_field_io.h"
#include "drive/cam_transfer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CTransferStop;

namespace blockread {

// A run of consecutive registers, of any length.
struct Range {
    uint16_t address = 0;
    uint32_t count = 0;
};

inline constexpr unsigned kMaxRequest = 125;
// Silent attempts in a row after which the drive counts as not answering.
inline constexpr int kSilentAttempts = 3;

// Cuts the ranges, in order, into passes of requests with pairwise different
// lengths (largest unused length first); a new pass starts when no unused
// length fits.
std::vector<std::vector<RegSpan>> Plan(const std::vector<Range>& ranges);

// The standard table's (six words a point) or the special table's (four
// words a point) register runs for `points` points, one range per group.
std::vector<Range> TableRanges(std::size_t points, bool special);

} // namespace blockread

class CBlockReader {
public:
    enum Result { kOk, kStopped, kFailed, kNoAnswer };

    CBlockReader(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop = nullptr);

    // Reads every range; `words` gets their registers one after another, and
    // only when all passes succeeded. `progress` hears the number of
    // registers read so far after each pass.
    Result Read(const std::vector<blockread::Range>& ranges, std::vector<uint16_t>& words,
                const std::function<void(std::size_t done)>& progress = {});

private:
    bool Stopped() const;

    ICamFieldIo& m_io;
    camxfer::Timing m_timing;
    CTransferStop* m_stop;
};
