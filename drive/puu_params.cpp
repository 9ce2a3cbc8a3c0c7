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
    uint32_t mu = 0, mp = 0, su = 0, sp = 0;
    if (!io.ReadField(camtable::kAddrMasterUnit, 16, mu) || !io.ReadField(camtable::kAddrMasterPulse, 32, mp)
        || !io.ReadField(camtable::kAddrSlaveUnit, 16, su) || !io.ReadField(camtable::kAddrSlavePulse, 32, sp))
        return false;
    v.masterUnit = static_cast<int32_t>(mu);
    v.masterPulse = static_cast<int32_t>(mp);
    v.slaveUnit = static_cast<int32_t>(su);
    v.slavePulse = static_cast<int32_t>(sp);
    return true;
}

bool WritePointCount(ICamFieldIo& io, int count)
{
    return io.WriteField(camtable::kAddrPointCount, 16, static_cast<uint32_t>(count) & 0xFFFFu);
}

bool ReadPointCount(ICamFieldIo& io, int& count)
{
    uint32_t v = 0;
    if (!io.ReadField(camtable::kAddrPointCount, 16, v))
        return false;
    count = static_cast<int>(v & 0xFFFFu);
    return true;
}

} // namespace puu
