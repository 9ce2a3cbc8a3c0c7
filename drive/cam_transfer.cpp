#include "drive/cam_transfer.h"

#include "drive/block_read.h"
#include "drive/transfer_stop.h"
#include "host/modbus_data_srv.h"

#include <thread>

using namespace camxfer;

CCamTransfer::CCamTransfer(ICamFieldIo& io, Timing timing, CTransferStop* stop)
    : m_io(io), m_timing(timing), m_stop(stop)
{
}

bool CCamTransfer::Stopped() const
{
    return m_stop && m_stop->StopRequested();
}

bool CCamTransfer::PauseThenTry(const std::function<bool()>& once)
{
    if (m_stop) {
        if (!m_stop->Pause(m_timing.pause))
            return false;
    } else if (m_timing.pause.count() > 0) {
        std::this_thread::sleep_for(m_timing.pause);
    }
    // Retries follow each other at once: a lost answer has already cost the
    // response timeout, a refused value will not get better by waiting.
    for (int attempt = 0; attempt < m_timing.attempts; ++attempt) {
        if (attempt > 0) {
            if (Stopped())
                return false;
            ++m_retries;
            TraceModbus("field retried (attempt " + std::to_string(attempt + 1) + " of "
                        + std::to_string(m_timing.attempts) + ")");
        }
        if (once())
            return true;
    }
    return false;
}

bool CCamTransfer::WriteField(uint16_t address, uint32_t width, uint32_t value)
{
    return PauseThenTry([&] { return m_io.WriteField(address, width, value); });
}

bool CCamTransfer::ReadField(uint16_t address, uint32_t& out)
{
    return PauseThenTry([&] { return m_io.ReadField(address, 32, out); });
}

bool CCamTransfer::WriteStandardPoint(const CamTable_Info& e, uint16_t a)
{
    // The speed word is signed (sign-extended), the segment code unsigned.
    return WriteField(a, 32, static_cast<uint32_t>(e.master))
        && WriteField(static_cast<uint16_t>(a + 2), 32, static_cast<uint32_t>(e.slave))
        && WriteField(static_cast<uint16_t>(a + 4), 16, static_cast<uint32_t>(static_cast<int32_t>(e.speed)))
        && WriteField(static_cast<uint16_t>(a + 5), 16, static_cast<uint32_t>(e.segment));
}

bool CCamTransfer::WriteSpecialPoint(const CamTable_Info& e, uint16_t a)
{
    return WriteField(a, 32, static_cast<uint32_t>(e.master))
        && WriteField(static_cast<uint16_t>(a + 2), 32, static_cast<uint32_t>(e.slave));
}

bool CCamTransfer::ReadSpecialPoint(uint16_t a, CamTable_Info& out)
{
    uint32_t master = 0;
    uint32_t slave = 0;
    if (!ReadField(a, master) || !ReadField(static_cast<uint16_t>(a + 2), slave))
        return false;
    out.master = static_cast<int32_t>(master);
    out.slave = static_cast<int32_t>(slave);
    return true;
}

int CCamTransfer::WriteTable(const std::vector<CamTable_Info>& table, const camxfer::Report& report,
                             int maxPoints, uint16_t base, ReportKind done,
                             bool (CCamTransfer::*writePoint)(const CamTable_Info&, uint16_t),
                             uint16_t (*nextAddress)(uint16_t))
{
    if (table.size() > static_cast<std::size_t>(maxPoints)) {
        report(done, kTooManyPoints);
        return kTooManyPoints;
    }
    uint16_t address = base;
    m_pointsWritten = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!(this->*writePoint)(table[i], address)) {
            if (Stopped())
                return kStopped;
            report(done, kPointFailed);
            return kPointFailed;
        }
        m_pointsWritten = i + 1;
        address = nextAddress(address);
        report(kWriteProgress, i);
    }
    if (m_countAfter >= 0
        && !WriteField(camtable::kAddrPointCount, 16, static_cast<uint32_t>(m_countAfter) & 0xFFFFu)) {
        if (Stopped())
            return kStopped;
        report(done, kPointFailed);
        return kPointFailed;
    }
    if (Stopped())
        return kStopped;
    report(done, kOk);
    return kOk;
}

int CCamTransfer::StandardWrite(const std::vector<CamTable_Info>& table, const Report& report)
{
    return WriteTable(table, report, camtable::kStandardMaxPoints, camtable::kStandardBase, kWriteDone,
                      &CCamTransfer::WriteStandardPoint, &camtable::NextStandardAddress);
}

int CCamTransfer::SpecialWrite(const std::vector<CamTable_Info>& table, const Report& report)
{
    return WriteTable(table, report, camtable::kSpecialMaxPoints, camtable::kSpecialBase, kSpecialWriteDone,
                      &CCamTransfer::WriteSpecialPoint, &camtable::NextSpecialAddress);
}

int CCamTransfer::Read(int count, std::vector<CamTable_Info>& table, const Report& report)
{
    table.clear();
    if (count <= 0) {
        report(kReadDone, kOk);
        return kOk;
    }
    // The whole table in checked block passes: a point is kept only from a
    // pass the line did not disturb.
    std::vector<uint16_t> words;
    const auto ranges = blockread::TableRanges(static_cast<std::size_t>(count), true);
    const std::size_t perPoint = 4;
    std::size_t reported = 0;
    CBlockReader reader(m_io, m_timing, m_stop);
    const CBlockReader::Result r = reader.Read(ranges, words, [&](std::size_t done) {
        for (; reported < done / perPoint; ++reported)
            report(kReadProgress, reported);
    });
    if (r == CBlockReader::kStopped)
        return kStopped;
    if (r != CBlockReader::kOk) {
        const int code = r == CBlockReader::kNoAnswer ? kNoAnswer : kPointFailed;
        report(kReadDone, static_cast<uintptr_t>(code));
        return code;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const uint16_t* w = &words[i * perPoint];
        table.push_back({static_cast<int32_t>(w[0] | (uint32_t{w[1]} << 16)),
                         static_cast<int32_t>(w[2] | (uint32_t{w[3]} << 16)), 0, 0});
    }
    if (Stopped())
        return kStopped;
    report(kReadDone, kOk);
    return kOk;
}
