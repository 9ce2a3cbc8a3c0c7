#pragma once
// ECamPoint: one key point of a cam profile (master and slave position in the
// user's units, normalized speed d(slave)/d(master), and the type of the
// segment that starts at the point). A plain value type, copied freely; no
// thread restrictions of its own.
#include <cstdint>

// Segment type codes as stored in ECamPoint::type and in .ecam files.
// Any value other than kECamPoly shapes a segment as a straight line.
inline constexpr int32_t kECamLinear = 0;
inline constexpr int32_t kECamPoly = 1;

// A key point is found by master position within this absolute distance; the
// first point that close is the one meant.
inline constexpr double kECamMasterTolerance = 0.001;

struct ECamPoint {
    double master = 0.0;  // master axis position
    double slave = 0.0;   // slave axis position
    double speed = 0.0;   // normalized speed (slope) at this point
    int32_t type = kECamPoly;  // type of the segment starting here

    friend bool operator==(const ECamPoint&, const ECamPoint&) = default;
};
