#include "drive/cam_table.h"

#include <cmath>
#include <limits>


namespace camtable {

uint16_t NextStandardAddress(uint16_t a)
{
    uint16_t next = static_cast<uint16_t>(a + 6);
    if ((next & 0xFF) == 0x60)
        next = static_cast<uint16_t>(((next >> 8) + 1) << 8);
    return next;
}

uint16_t NextSpecialAddress(uint16_t a)
{
    if ((a & 0xFF) == 0x60)
        return static_cast<uint16_t>(((a >> 8) + 1) << 8);
    return static_cast<uint16_t>(a + 4);
}

uint16_t StandardPointAddress(std::size_t k)
{
    return static_cast<uint16_t>(((0x1E + k / kStandardPerGroup) << 8) | (6 * (k % kStandardPerGroup)));
}

uint16_t SpecialPointAddress(std::size_t k)
{
    return static_cast<uint16_t>(((0x40 + k / kSpecialPerGroup) << 8) | (4 * (k % kSpecialPerGroup)));
}

int32_t ScaleTruncate(double v, double factor)
{
    const double x = std::trunc(v * factor);
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (x <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

std::vector<CamTable_Info> BuildStandardTable(const std::vector<ECamPoint>& points)
{
    std::vector<CamTable_Info> table;
    table.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ECamPoint& p = points[i];
        CamTable_Info e;
        if (i != 0) {
            e.master = ScaleTruncate(p.master, 1000.0);
            e.slave = ScaleTruncate(p.slave, 1000.0);
        }
        // Only the low 16 bits reach the drive's speed word.
        e.speed = static_cast<int16_t>(static_cast<uint16_t>(ScaleTruncate(p.speed, 100.0)));
        e.segment = p.type == 0 ? 1 : 0;
        table.push_back(e);
    }
    return table;
}

std::vector<CamTable_Info> BuildSpecialTable(const std::vector<ECamPoint>& points, int validCount)
{
    std::vector<CamTable_Info> table;
    table.push_back(CamTable_Info{});
    const int k = static_cast<int>(points.size());
    auto append = [&](const ECamPoint& p) {
        CamTable_Info e;
        e.master = ScaleTruncate(p.master, 100.0);
        e.slave = ScaleTruncate(p.slave, 1.0);
        table.push_back(e);
    };
    if (k <= validCount) {
        for (int i = 1; i < k; ++i)
            append(points[static_cast<std::size_t>(i)]);
        return table;
    }
    const double step = static_cast<double>(k) / validCount;
    for (int j = 1; j <= validCount - 2; ++j)
        append(points[static_cast<std::size_t>(std::floor(j * step))]);
    append(points.back());
    return table;
}

} // namespace camtable
