#include "drive/cam_verify.h"

#include "drive/block_read.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace camverify {

namespace {

const char* FieldName(Field f)
{
    switch (f) {
    case Field::kSlavePulse: return "从轴脉冲数";
    case Field::kSlaveUnit: return "从轴脉冲数对应的单位量";
    case Field::kMasterPulse: return "主轴脉冲数";
    case Field::kMasterUnit: return "主轴脉冲数对应的单位量";
    case Field::kPointCount: return "凸轮点数";
    case Field::kMaster: return "主轴位置";
    case Field::kSlave: return "从轴位置";
    case Field::kSpeed: return "标幺速度";
    case Field::kSegment: return "类型";
    }
    return "";
}

} // namespace

std::string Describe(const Mismatch& m)
{
    std::string line;
    if (m.point >= 0)
        line = "第" + std::to_string(m.point) + "点 ";
    line += FieldName(m.field);
    line += ": 写入 " + std::to_string(m.written) + ", 读回";
    // Appended piece by piece: `" " + std::string` trips GCC 12's
    // -Wrestrict false positive.
    if (m.unreadable) {
        line += "失败";
    } else {
        line += ' ';
        line += std::to_string(m.read);
    }
    return line;
}

std::string DescribeList(const std::vector<Mismatch>& mismatches, std::size_t max)
{
    std::string text;
    for (std::size_t i = 0; i < mismatches.size() && i < max; ++i) {
        if (!text.empty())
            text += '\n';
        text += Describe(mismatches[i]);
    }
    if (mismatches.size() > max)
        text += (text.empty() ? "共" : "\n共") + std::to_string(mismatches.size()) + "处不一致";
    return text;
}

} // namespace camverify

using namespace camverify;

CCamVerifier::CCamVerifier(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop)
    : m_io(io), m_timing(timing), m_stop(stop)
{
}

std::size_t CCamVerifier::FieldCount(const Expected& expected)
{
    return (expected.scaling ? 4u : 0u) + 1u + expected.table.size() * (expected.special ? 2u : 4u);
}

namespace {

// Reads fields out of the words of one pass, in the order they were asked for.
class WordCursor {
public:
    explicit WordCursor(const std::vector<uint16_t>& words) : m_words(words) {}
    void Skip(std::size_t n) { m_at += n; }
    uint32_t Take(uint32_t width)
    {
        uint32_t v = m_words[m_at++];
        if (width == 32)
            v |= uint32_t{m_words[m_at++]} << 16;
        return v;
    }

private:
    const std::vector<uint16_t>& m_words;
    std::size_t m_at = 0;
};

// Compared as the register holds it; shown as the field's own type.
void Compare(uint32_t value, uint32_t width, int point, Field field, int64_t written, std::vector<Mismatch>& out)
{
    const uint32_t mask = width == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    const bool isSigned = field != Field::kSegment && field != Field::kPointCount;
    int64_t got;
    if (width == 16)
        got = isSigned ? int64_t(int16_t(value & 0xFFFF)) : int64_t(value & 0xFFFF);
    else
        got = isSigned ? int64_t(int32_t(value)) : int64_t(value);
    if ((static_cast<uint32_t>(got) & mask) != (static_cast<uint32_t>(written) & mask))
        out.push_back({point, field, written, got, false});
}

} // namespace

int CCamVerifier::Verify(const Expected& expected, std::vector<Mismatch>& mismatches, const camxfer::Report& report)
{
    mismatches.clear();
    // The scaling and the count in one run (0x1B00..0x1B08), then the table.
    std::vector<blockread::Range> ranges;
    if (expected.scaling)
        ranges.push_back({camtable::kAddrMasterUnit, camtable::kAddrPointCount - camtable::kAddrMasterUnit + 1u});
    else
        ranges.push_back({camtable::kAddrPointCount, 1});
    const std::vector<blockread::Range> table = blockread::TableRanges(expected.table.size(), expected.special);
    ranges.insert(ranges.end(), table.begin(), table.end());

    std::vector<uint16_t> words;
    CBlockReader reader(m_io, m_timing, m_stop);
    switch (reader.Read(ranges, words)) {
    case CBlockReader::kOk: break;
    case CBlockReader::kStopped: return camxfer::kStopped;
    case CBlockReader::kNoAnswer: return camxfer::kNoAnswer;
    case CBlockReader::kFailed: return camxfer::kReadFailed;
    }

    WordCursor at(words);
    if (expected.scaling) {
        const puu::Values& v = *expected.scaling;
        const uint32_t masterUnit = at.Take(16);
        const uint32_t masterPulse = at.Take(32);
        const uint32_t slaveUnit = at.Take(16);
        const uint32_t slavePulse = at.Take(32);
        at.Skip(2);   // 0x1B06, 0x1B07: not the cam's
        // Listed in the order the write sends them.
        Compare(slavePulse, 32, -1, Field::kSlavePulse, v.slavePulse, mismatches);
        Compare(slaveUnit, 16, -1, Field::kSlaveUnit, v.slaveUnit, mismatches);
        Compare(masterPulse, 32, -1, Field::kMasterPulse, v.masterPulse, mismatches);
        Compare(masterUnit, 16, -1, Field::kMasterUnit, v.masterUnit, mismatches);
    }
    Compare(at.Take(16), 16, -1, Field::kPointCount, expected.pointCount & 0xFFFF, mismatches);
    for (std::size_t i = 0; i < expected.table.size(); ++i) {
        const CamTable_Info& e = expected.table[i];
        const int point = static_cast<int>(i);
        Compare(at.Take(32), 32, point, Field::kMaster, e.master, mismatches);
        Compare(at.Take(32), 32, point, Field::kSlave, e.slave, mismatches);
        if (!expected.special) {
            Compare(at.Take(16), 16, point, Field::kSpeed, e.speed, mismatches);
            Compare(at.Take(16), 16, point, Field::kSegment, e.segment, mismatches);
        }
        if (report)
            report(camxfer::kVerifyProgress, i);
    }
    return mismatches.empty() ? camxfer::kOk : camxfer::kVerifyFailed;
}
