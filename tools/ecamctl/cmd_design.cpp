// "ecamctl design OUT.ecam [--tolerance T] [--max-points N] LAW:END_MASTER:END_SLAVE...":
// lays a cam given as motion laws out as key points (cam/cam_design.h),
// prints what each segment uses and how close it comes, and writes the
// profile. Bad input writes nothing and leaves an existing OUT as it was.
#include "command.h"

#include "cam/cam_design.h"
#include "files/point_list_file.h"
#include "files/read_limits.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {

const char* const kUsage =
    "design OUT.ecam [--tolerance T] [--max-points N] LAW:END_MASTER:END_SLAVE...   (laws: dwell, harmonic, "
    "cycloidal, modified-sine, modified-trapezoid, poly345, poly4567, linear, poly5)";

int Usage(const std::string& why)
{
    std::fprintf(stderr, "ecamctl design: %s\nusage: ecamctl %s\n", why.c_str(), kUsage);
    return 2;
}

// A profile the fit refuses is no usage slip: its cause alone is the message.
int Refuse(const std::string& why)
{
    std::fprintf(stderr, "ecamctl design: %s\n", why.c_str());
    return 2;
}

template <class T>
bool Whole(const std::string& text, T& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

void PrintReport(const std::vector<DesignSegment>& segments, const CamDesign& design, double tolerance)
{
    std::printf("%-8s %-19s %12s %12s %10s %14s %14s %12s\n", "segment", "law", "end master", "end slave",
                "key points", "max pos dev", "max speed dev", "peak speed");
    for (size_t i = 0; i < segments.size(); ++i) {
        const SegmentReport& r = design.segments[i];
        std::printf("%-8zu %-19s %12g %12g %10d %14.6f %14.6f %12.6f\n", i + 1, MotionLawName(segments[i].law),
                    segments[i].endMaster, segments[i].endSlave, r.keyPoints, r.maxPositionDeviation,
                    r.maxSpeedDeviation, r.peakSpeed);
    }
    std::printf("%zu key points, tolerance %g\n", design.points.size(), tolerance);
}

int RunDesign(const std::vector<std::string>& args)
{
    std::string out;
    DesignOptions options;
    std::vector<DesignSegment> segments;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--tolerance" || a == "--max-points") {
            if (i + 1 >= args.size())
                return Usage(a + " needs a value");
            const std::string& v = args[++i];
            if (a == "--tolerance" && !Whole(v, options.tolerance))
                return Usage("--tolerance '" + v + "' is not a number");
            if (a == "--max-points"
                && (!Whole(v, options.maxPoints) || options.maxPoints < 2
                    || size_t(options.maxPoints) > ecam::kMaxFilePoints))
                return Usage("--max-points '" + v + "' is not a whole number from 2 to "
                             + std::to_string(ecam::kMaxFilePoints));
        } else if (a.starts_with("--")) {
            return Usage("unknown option '" + a + "'");
        } else if (out.empty()) {
            out = a;
            if (ecam::PointFileKindOf(out) != ecam::PointFileKind::ECam)
                return Usage("'" + out + "' is not a .ecam file name");
        } else {
            DesignError error;
            segments.emplace_back();
            if (!ParseDesignSegment(a, segments.back(), error))
                return Refuse(error.text);
        }
    }
    if (out.empty())
        return Usage("an output file OUT.ecam is needed");
    CamDesign design;
    DesignError error;
    if (!DesignCam(segments, options, design, error))
        return Refuse(error.text);
    std::string writeError;
    if (!ecam::SavePointList(out, design.points, &writeError)) {
        std::fprintf(stderr, "ecamctl design: %s\n", writeError.c_str());
        return 1;
    }
    PrintReport(segments, design, options.tolerance);
    return 0;
}

} // namespace

ECAMCTL_COMMAND("design", kUsage, RunDesign);
