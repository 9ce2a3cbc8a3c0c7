#include "cam/point_list_diff.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

bool SameBits(double a, double b)
{
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

void Replace(std::vector<ECamPoint>& points, std::size_t at, std::size_t removed,
             const std::vector<ECamPoint>& inserted)
{
    const auto first = points.begin() + static_cast<std::ptrdiff_t>(at);
    points.erase(first, first + static_cast<std::ptrdiff_t>(removed));
    points.insert(points.begin() + static_cast<std::ptrdiff_t>(at), inserted.begin(), inserted.end());
}

} // namespace

bool BitEqual(const ECamPoint& a, const ECamPoint& b)
{
    return SameBits(a.master, b.master) && SameBits(a.slave, b.slave) && SameBits(a.speed, b.speed) &&
           a.type == b.type;
}

bool BitEqual(const std::vector<ECamPoint>& a, const std::vector<ECamPoint>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ECamPoint& x, const ECamPoint& y) { return BitEqual(x, y); });
}

PointListDiff DiffPointLists(const std::vector<ECamPoint>& from, const std::vector<ECamPoint>& to)
{
    const std::size_t shorter = std::min(from.size(), to.size());
    std::size_t head = 0;
    while (head < shorter && BitEqual(from[head], to[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && BitEqual(from[from.size() - 1 - tail], to[to.size() - 1 - tail]))
        ++tail;
    PointListDiff d;
    d.at = head;
    d.before.assign(from.begin() + static_cast<std::ptrdiff_t>(head),
                    from.end() - static_cast<std::ptrdiff_t>(tail));
    d.after.assign(to.begin() + static_cast<std::ptrdiff_t>(head), to.end() - static_cast<std::ptrdiff_t>(tail));
    return d;
}

void ApplyForward(std::vector<ECamPoint>& points, const PointListDiff& diff)
{
    Replace(points, diff.at, diff.before.size(), diff.after);
}

void ApplyBackward(std::vector<ECamPoint>& points, const PointListDiff& diff)
{
    Replace(points, diff.at, diff.after.size(), diff.before);
}
