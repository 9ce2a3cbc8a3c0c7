#include "drive/puu_params.h"

#include "drive/cam_table.h"

namespace puu {

Problem CheckInput(const Texts& texts)
{
    for (int f = 0; f < 4; ++f) {
        if (texts[static_cast<std::size_t>(f)].empty())
            return Problem{f, "请输入单位转换的换算比!", false};
    }
    for (int f = 0; f < 4; ++f) {
        if (ParseInt(texts[static_cast<std::size_t>(f)]) == 0)
            return Problem{f, "数据输入有误!", true};
    }
    return {};
}

Problem CheckRanges(const Texts& texts, Values* out)
{
    Values v;
    v.slavePulse = ParseInt(texts[kSlavePulse]);
    v.slaveUnit = ParseInt(texts[kSlaveUnit]);
    v.masterPulse = ParseInt(texts[kMasterPulse]);
    v.masterUnit = ParseInt(texts[kMasterUnit]);
    if (out)
        *out = v;
    constexpr int32_t kMaxPulse = 0x40000000;
    constexpr int32_t kMaxUnit = 30000;
    if (v.slavePulse < 1 || v.slavePulse > kMaxPulse)
        return Problem{kSlavePulse, "从轴脉冲数超出范围(1~0x40000000)", true};
    if (v.slaveUnit < 1 || v.slaveUnit > kMaxUnit)
        return Problem{kSlaveUnit, "从轴脉冲数对应的单位量超出范围(1~30000)", true};
    if (v.masterPulse < 1 || v.masterPulse > kMaxPulse)
        return Problem{kMasterPulse, "主轴脉冲数超出范围(1~0x40000000)", true};
    if (v.masterUnit < 1 || v.masterUnit > kMaxUnit)
        return Problem{kMasterUnit, "主轴脉冲数对应的单位量超出范围(1~30000)", true};
    return {};
}

bool WriteValues(ICamFieldIo& io, const Values& v)
{
    return io.WriteField(camtable::kAddrMasterUnit, 16, static_cast<uint32_t>(v.masterUnit))
        && io.WriteField(camtable::kAddrMasterPulse, 32, static_cast<uint32_t>(v.masterPulse))
        && io.WriteField(camtable::kAddrSlaveUnit, 16, static_cast<uint32_t>(v.slaveUnit))
        && io.WriteField(camtable::kAddrSlavePulse, 32, static_cast<uint32_t>(v.slavePulse));
}

bool ReadValues(ICamFieldIo& io, Values& v)
{
    // 0x1B00..0x1B05 in one checked request: master unit, master pulses
    // (two words), slave unit, slave pulses (two words).
    std::vector<uint16_t> w;
    if (!io.ReadSpans({{camtable::kAddrMasterUnit, 6}}, w))
        return false;
    v.masterUnit = static_cast<int32_t>(w[0]);
    v.masterPulse = static_cast<int32_t>(w[1] | (uint32_t{w[2]} << 16));
    v.slaveUnit = static_cast<int32_t>(w[3]);
    v.slavePulse = static_cast<int32_t>(w[4] | (uint32_t{w[5]} << 16));
    return true;
}

bool WritePointCount(ICamFieldIo& io, int count)
{
    return io.WriteField(camtable::kAddrPointCount, 16, static_cast<uint32_t>(count) & 0xFFFFu);
}

bool ReadPointCount(ICamFieldIo& io, int& count, int attempts)
{
    uint32_t v = 0;
    bool read = false;
    for (int i = 0; i < attempts && !read; ++i)
        read = io.ReadField(camtable::kAddrPointCount, 16, v);
    if (!read)
        return false;
    count = static_cast<int>(v & 0xFFFFu);
    return true;
}

} // namespace puu
