#include "cam/cam_peaks.h"

CamPeak FindJerkPeak(const std::vector<ECamCurveSample>& curve)
{
    CamPeak peak;
    for (size_t i = 1; i < curve.size(); ++i) {
        const ECamCurveSample& a = curve[i - 1];
        const ECamCurveSample& b = curve[i];
        const double dx = b.accelX - a.accelX;
        if (!(dx > 0.0))
            continue;
        peak.Add(a.accelX + dx / 2.0, (b.accel - a.accel) / dx);
    }
    return peak;
}

CamPeaks FindCamPeaks(const std::vector<ECamCurveSample>& curve)
{
    CamPeaks p;
    p.position = FindPeak(curve, [](const ECamCurveSample& s) { return s.positionX; },
                          [](const ECamCurveSample& s) { return s.position; });
    p.speed = FindPeak(curve, [](const ECamCurveSample& s) { return s.speedX; },
                       [](const ECamCurveSample& s) { return s.speed; });
    p.acceleration = FindPeak(curve, [](const ECamCurveSample& s) { return s.accelX; },
                              [](const ECamCurveSample& s) { return s.accel; });
    p.jerk = FindJerkPeak(curve);
    return p;
}
