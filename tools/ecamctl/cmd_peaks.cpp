// "ecamctl peaks": the largest and smallest position, speed, acceleration and
// jerk of a cam and the master positions where they first occur, one CSV
// line per quantity: name,max,at,min,at. The figures are the ones the
// panel's plots show in their corners (jerk only here).
#include "command.h"

#include "cam_source.h"
#include "texts.h"

#include "cam/cam_peaks.h"
#include "cam/ecam_point_set.h"

#include <cstdio>
#include <string>

namespace {

using namespace ecamctl;

const char* const kUsage = "peaks FILE";

int RunPeaks(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    if (args.size() != 1)
        return UsageFail("peaks", args.empty() ? Ecamctl::tr("需要一个凸轮文件") : Ecamctl::tr("参数过多"));
    std::vector<ECamPoint> points;
    std::string error;
    if (!LoadCamPoints(args[0], points, error))
        return Fail("peaks", Q(error), 2);
    if (points.size() < 2)
        return Fail("peaks", Ecamctl::tr("凸轮至少需要两个关键点"), 2);
    CECamPointSet set;
    set.SetPoints(points);
    const CamPeaks peaks = FindCamPeaks(set.Curve());
    const std::pair<const char*, const CamPeak*> rows[] = {{"position", &peaks.position},
                                                           {"speed", &peaks.speed},
                                                           {"acceleration", &peaks.acceleration},
                                                           {"jerk", &peaks.jerk}};
    for (const auto& [name, p] : rows) {
        // A quantity without a value (no two samples apart in master for
        // the jerk) keeps its line with empty fields.
        if (p->valid)
            std::printf("%s,%.9g,%.9g,%.9g,%.9g\n", name, p->max, p->maxAt, p->min, p->minAt);
        else
            std::printf("%s,,,,\n", name);
    }
    return 0;
}

} // namespace

ECAMCTL_COMMAND("peaks", kUsage, RunPeaks);
