#include "drive/cam_verify.h"

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

CCamVerifier::CCamVerifier(ICamFieldIo& io, int attempts, CTransferStop* stop)
    : m_io(io), m_attempts(attempts < 1 ? 1 : attempts), m_stop(stop)
{
}

bool CCamVerifier::Stopped() const
{
    return m_stop && m_stop->StopRequested();
}

std::size_t CCamVerifier::FieldCount(const Expected& expected)
{
    return (expected.scaling ? 4u : 0u) + 1u + expected.table.size() * (expected.special ? 2u : 4u);
}

bool CCamVerifier::Check(uint16_t address, uint32_t width, int point, Field field, int64_t written,
                         std::vector<Mismatch>& out)
{
    uint32_t value = 0;
    bool read = false;
    for (int attempt = 0; attempt < m_attempts && !read; ++attempt) {
        if (Stopped())
            return false;
        read = m_io.ReadField(address, width, value);
    }
    if (!read) {
        // A read cut short by a stop says nothing about the drive.
        if (Stopped())
            return false;
        out.push_back({point, field, written, 0, true});
        return true;
    }
    // Compared as the register holds it; shown as the field's own type.
    int64_t got;
    const uint32_t mask = width == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    const bool isSigned = field != Field::kSegment && field != Field::kPointCount;
    if (width == 16)
        got = isSigned ? int64_t(int16_t(value & 0xFFFF)) : int64_t(value & 0xFFFF);
    else
        got = isSigned ? int64_t(int32_t(value)) : int64_t(value);
    if ((static_cast<uint32_t>(got) & mask) != (static_cast<uint32_t>(written) & mask))
        out.push_back({point, field, written, got, false});
    return true;
}

int CCamVerifier::Verify(const Expected& expected, std::vector<Mismatch>& mismatches, const camxfer::Report& report)
{
    mismatches.clear();
    if (expected.scaling) {
        const puu::Values& v = *expected.scaling;
        if (!Check(camtable::kAddrSlavePulse, 32, -1, Field::kSlavePulse, v.slavePulse, mismatches)
            || !Check(camtable::kAddrSlaveUnit, 16, -1, Field::kSlaveUnit, v.slaveUnit, mismatches)
            || !Check(camtable::kAddrMasterPulse, 32, -1, Field::kMasterPulse, v.masterPulse, mismatches)
            || !Check(camtable::kAddrMasterUnit, 16, -1, Field::kMasterUnit, v.masterUnit, mismatches))
            return camxfer::kStopped;
    }
    if (!Check(camtable::kAddrPointCount, 16, -1, Field::kPointCount, expected.pointCount & 0xFFFF, mismatches))
        return camxfer::kStopped;
    for (std::size_t i = 0; i < expected.table.size(); ++i) {
        const CamTable_Info& e = expected.table[i];
        const int point = static_cast<int>(i);
        bool going;
        if (expected.special) {
            const uint16_t a = camtable::SpecialPointAddress(i);
            going = Check(a, 32, point, Field::kMaster, e.master, mismatches)
                    && Check(static_cast<uint16_t>(a + 2), 32, point, Field::kSlave, e.slave, mismatches);
        } else {
            const uint16_t a = camtable::StandardPointAddress(i);
            going = Check(a, 32, point, Field::kMaster, e.master, mismatches)
                    && Check(static_cast<uint16_t>(a + 2), 32, point, Field::kSlave, e.slave, mismatches)
                    && Check(static_cast<uint16_t>(a + 4), 16, point, Field::kSpeed, e.speed, mismatches)
                    && Check(static_cast<uint16_t>(a + 5), 16, point, Field::kSegment, e.segment, mismatches);
        }
        if (!going)
            return camxfer::kStopped;
        if (report)
            report(camxfer::kVerifyProgress, i);
    }
    if (Stopped())
        return camxfer::kStopped;
    return mismatches.empty() ? camxfer::kOk : camxfer::kVerifyFailed;
}
