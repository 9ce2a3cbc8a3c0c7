#pragma once
// Peaks of a sampled cam: the largest and smallest value of each quantity and
// the master position where it first occurs. The plots show them for their
// own curve, "ecamctl peaks" prints them for position, speed, acceleration
// and jerk. Units are those of the sampled curve (docs/cam_model.md): speed
// is d(slave)/d(master), acceleration d(speed)/dt over the segment fraction t;
// jerk is the difference quotient of the sampled acceleration per master
// unit, placed midway between its two samples.
//
// Pure arithmetic over the caller's data; any thread.
#include "cam/ecam_curve_sample.h"

#include <cmath>
#include <vector>

struct CamPeak {
    bool valid = false;  // false: the series held no finite value
    double max = 0.0;
    double maxAt = 0.0;  // master position of the first maximum
    double min = 0.0;
    double minAt = 0.0;  // master position of the first minimum

    // Takes one value at master position x; the first extreme wins a tie.
    void Add(double x, double y)
    {
        if (!std::isfinite(y))
            return;
        if (!valid || y > max) {
            max = y;
            maxAt = x;
        }
        if (!valid || y < min) {
            min = y;
            minAt = x;
        }
        valid = true;
    }
};

// The peaks of any sequence of samples, read through two accessors.
template <class Seq, class GetX, class GetY>
CamPeak FindPeak(const Seq& samples, GetX x, GetY y)
{
    CamPeak peak;
    for (const auto& s : samples)
        peak.Add(x(s), y(s));
    return peak;
}

struct CamPeaks {
    CamPeak position;
    CamPeak speed;
    CamPeak acceleration;
    CamPeak jerk;
};

// Jerk between consecutive samples; pairs that do not advance in master
// (a zero-length segment's two key records) have no quotient and are skipped.
CamPeak FindJerkPeak(const std::vector<ECamCurveSample>& curve);

CamPeaks FindCamPeaks(const std::vector<ECamCurveSample>& curve);
