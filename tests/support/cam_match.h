#pragma once
// A whole cam compared in one assertion: every point's fields, the numbers
// within four units in the last place (as EXPECT_DOUBLE_EQ compares), the
// types exactly. A difference prints both cams in full.
#include "cam/ecam_point.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <sstream>
#include <vector>

namespace ecamtest {

inline ::testing::AssertionResult SameCam(const std::vector<ECamPoint>& got, const std::vector<ECamPoint>& want)
{
    const auto near = [](double a, double b) {
        return a == b || std::fabs(a - b) <= 4 * DBL_EPSILON * std::max(std::fabs(a), std::fabs(b));
    };
    bool same = got.size() == want.size();
    for (size_t i = 0; same && i < got.size(); ++i)
        same = near(got[i].master, want[i].master) && near(got[i].slave, want[i].slave)
               && near(got[i].speed, want[i].speed) && got[i].type == want[i].type;
    if (same)
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out.precision(17);
    for (const auto& [name, cam] : {std::pair{"\n got: ", &got}, std::pair{"\nwant: ", &want}}) {
        out << name;
        for (const ECamPoint& p : *cam)
            out << "(" << p.master << ", " << p.slave << ", " << p.speed << ", " << p.type << ") ";
    }
    return ::testing::AssertionFailure() << out.str();
}

} // namespace ecamtest
