#pragma once
// PointListDiff: the difference between two key-point lists as one changed
// run (the points between the common head and the common tail), so a history
// of edits stores a few points per step rather than whole cams. Equality is
// bit-exact (a -0.0 differs from 0.0), so applying a difference backwards
// gives back the very doubles that were there. Plain values; no threads.
#include "cam/ecam_point.h"

#include <cstddef>
#include <vector>

struct PointListDiff {
    std::size_t at = 0;               // index of the first changed point
    std::vector<ECamPoint> before;    // the run as it was
    std::vector<ECamPoint> after;     // the run as it is now

    bool Empty() const { return before.empty() && after.empty(); }
    std::size_t Bytes() const { return (before.size() + after.size()) * sizeof(ECamPoint); }
};

bool BitEqual(const ECamPoint& a, const ECamPoint& b);
bool BitEqual(const std::vector<ECamPoint>& a, const std::vector<ECamPoint>& b);

// The run that turns `from` into `to`; Empty() when they are bit-equal.
PointListDiff DiffPointLists(const std::vector<ECamPoint>& from, const std::vector<ECamPoint>& to);
// Turns the list the difference was taken from into the one it was taken to
// (forward) or back. The list must be the one the difference expects.
void ApplyForward(std::vector<ECamPoint>& points, const PointListDiff& diff);
void ApplyBackward(std::vector<ECamPoint>& points, const PointListDiff& diff);
