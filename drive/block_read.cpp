#include "drive/block_read.h"

#include "drive/cam_table.h"
#include "drive/transfer_stop.h"
#include "host/modbus_data_srv.h"

#include <algorithm>
#include <bitset>
#include <thread>

namespace blockread {

std::vector<std::vector<RegSpan>> Plan(const std::vector<Range>& ranges)
{
    std::vector<std::vector<RegSpan>> passes(1);
    std::bitset<kMaxRequest + 1> used;
    for (const Range& r : ranges) {
        uint32_t address = r.address;
        uint32_t left = r.count;
        while (left > 0) {
            unsigned length = std::min<uint32_t>(left, kMaxRequest);
            while (length > 0 && used[length])
                --length;
            if (length == 0) {
                passes.emplace_back();
                used.reset();
                continue;
            }
            used[length] = true;
            passes.back().push_back({static_cast<uint16_t>(address), static_cast<uint16_t>(length)});
            address += length;
            left -= length;
        }
    }
    if (passes.back().empty())
        passes.pop_back();
    return passes;
}

std::vector<Range> TableRanges(std::size_t points, bool special)
{
    const std::size_t perGroup = special ? camtable::kSpecialPerGroup : camtable::kStandardPerGroup;
    const uint32_t words = special ? 4 : 6;
    std::vector<Range> ranges;
    for (std::size_t first = 0; first < points; first += perGroup) {
        const std::size_t n = std::min(perGroup, points - first);
        const uint16_t a = special ? camtable::SpecialPointAddress(first) : camtable::StandardPointAddress(first);
        ranges.push_back({a, static_cast<uint32_t>(n) * words});
    }
    return ranges;
}

} // namespace blockread

CBlockReader::CBlockReader(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop)
    : m_io(io), m_timing(timing), m_stop(stop)
{
    if (m_timing.attempts < 1)
        m_timing.attempts = 1;
}

bool CBlockReader::Stopped() const
{
    return m_stop && m_stop->StopRequested();
}

CBlockReader::Result CBlockReader::Read(const std::vector<blockread::Range>& ranges, std::vector<uint16_t>& words,
                                        const std::function<void(std::size_t)>& progress)
{
    std::vector<uint16_t> all;
    std::vector<uint16_t> pass;
    for (const std::vector<RegSpan>& spans : blockread::Plan(ranges)) {
        bool read = false;
        int silent = 0;
        for (int attempt = 0; attempt < m_timing.attempts && !read; ++attempt) {
            // The pause goes between attempts only: a clean pass needs none,
            // and a failed one has given the line time to fall silent.
            if (attempt > 0) {
                if (m_stop && !m_stop->Pause(m_timing.pause))
                    return kStopped;
                if (!m_stop)
                    std::this_thread::sleep_for(m_timing.pause);
            }
            if (Stopped())
                return kStopped;
            read = m_io.ReadSpans(spans, pass);
            if (read)
                break;
            silent = m_io.LastFailureWasSilence() ? silent + 1 : 0;
            if (silent >= blockread::kSilentAttempts) {
                TraceModbus("no answer " + std::to_string(silent) + " times in a row: drive not answering");
                return Stopped() ? kStopped : kNoAnswer;
            }
            if (attempt + 1 < m_timing.attempts)
                TraceModbus("read pass refused; retried (attempt " + std::to_string(attempt + 2) + " of "
                            + std::to_string(m_timing.attempts) + ")");
        }
        if (!read)
            return Stopped() ? kStopped : kFailed;
        all.insert(all.end(), pass.begin(), pass.end());
        if (progress)
            progress(all.size());
    }
    words = std::move(all);
    return kOk;
}
