#pragma once
// A whole cam compared in one assertion: every point's fields, the numbers
// to 15 significant digits (rounding noise of the last bits aside), the
// types exactly. A difference prints both cams in full.
#include "cam/ecam_point.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace ecamtest {

inline std::string CamText(const std::vector<ECamPoint>& cam)
{
    std::string out;
    char buf[128];
    for (const ECamPoint& p : cam)
        out += (std::snprintf(buf, sizeof buf, "(%.15g, %.15g, %.15g, %d) ", p.master, p.slave, p.speed, p.type), buf);
    return out;
}

inline ::testing::AssertionResult SameCam(const std::vector<ECamPoint>& got, const std::vector<ECamPoint>& want)
{
    if (CamText(got) == CamText(want))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\n got: " << CamText(got) << "\nwant: " << CamText(want);
}

} // namespace ecamtest
