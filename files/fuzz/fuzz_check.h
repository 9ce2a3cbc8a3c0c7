#pragma once
// Shared checks of the fuzz targets: a cam built from whatever a file held
// must stay usable (finite curve, edits still work).
#include "cam/ecam_point_set.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

inline void FuzzCheck(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

inline void FuzzCheckCamUsable(const std::vector<ECamPoint>& points, bool relink)
{
    CECamPointSet set;
    set.SetPoints(points);
    if (relink)
        set.RelinkLinearSpeeds();
    for (const ECamCurveSample& s : set.Curve())
        FuzzCheck(std::isfinite(s.positionX) && std::isfinite(s.position) && std::isfinite(s.speed)
                      && std::isfinite(s.accel),
                  "curve holds a non-finite value");
    // A later edit still works on what was loaded.
    set.InsertPoint({0.5, 0.25, 0.0, kECamPoly});
    for (const ECamCurveSample& s : set.Curve())
        FuzzCheck(std::isfinite(s.position), "curve after an edit holds a non-finite value");
}
