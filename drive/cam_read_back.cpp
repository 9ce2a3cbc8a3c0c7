#include "drive/cam_read_back.h"

#include "drive/block_read.h"
#include "drive/transfer_stop.h"

namespace camreadback {

namespace {
Outcome Fail(Result r, std::string message)
{
    return {r, std::move(message)};
}
} // namespace

Outcome PointsFromTable(const std::vector<CamTable_Info>& table, std::vector<ECamPoint>& points)
{
    std::vector<ECamPoint> out;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CamTable_Info& e = table[i];
        if (e.segment > 1)
            return Fail(kBadSegment, "第" + std::to_string(i) + "点的类型码 " + std::to_string(e.segment)
                                         + " 不是 0 (Poly) 或 1 (Linear)");
        out.push_back({e.master / 1000.0, e.slave / 1000.0, e.speed / 100.0, e.segment == 1 ? 0 : 1});
    }
    points = std::move(out);
    return {};
}

Outcome ReadStandardCam(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop, std::vector<ECamPoint>& points)
{
    std::vector<uint16_t> words;
    CBlockReader reader(io, timing, stop);
    auto failed = [](CBlockReader::Result r) {
        if (r == CBlockReader::kStopped)
            return Fail(kStopped, "已停止");
        if (r == CBlockReader::kNoAnswer)
            return Fail(kNoAnswer, "驱动器无响应");
        return Fail(kReadFailed, "读回数据有误, 无法确认驱动器中的值");
    };
    if (const auto r = reader.Read({{camtable::kAddrPointCount, 1}}, words); r != CBlockReader::kOk)
        return failed(r);
    const int count = words[0];
    if (count < 2 || count > camtable::kStandardMaxPoints)
        return Fail(kBadCount, "驱动器中的凸轮点数为" + std::to_string(count) + ", 不是2~272内的完整凸轮表");

    const auto ranges = blockread::TableRanges(static_cast<std::size_t>(count), false);
    if (const auto r = reader.Read(ranges, words); r != CBlockReader::kOk)
        return failed(r);
    std::vector<CamTable_Info> table;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const uint16_t* w = &words[i * 6];
        table.push_back({static_cast<int32_t>(w[0] | (uint32_t{w[1]} << 16)),
                         static_cast<int32_t>(w[2] | (uint32_t{w[3]} << 16)), static_cast<int16_t>(w[4]), w[5]});
    }
    return PointsFromTable(table, points);
}

} // namespace camreadback
