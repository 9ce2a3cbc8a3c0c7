// "ecamctl design OUT.ecam [--tolerance T] [--max-points N] LAW:END_MASTER:END_SLAVE...":
// lays a cam given as motion laws out as key points (cam/cam_design.h),
// prints what each segment uses and how close it comes, and writes the
// profile. Bad input writes nothing and leaves an existing OUT as it was.
#include "command.h"
#include "display_width.h"
#include "texts.h"

#include "cam/cam_design.h"
#include "files/point_list_file.h"
#include "files/read_limits.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace {

using namespace ecamctl;

const char* const kUsage = QT_TRANSLATE_NOOP(
    "Ecamctl", "design OUT.ecam [--tolerance T] [--max-points N] LAW:END_MASTER:END_SLAVE...   (运动规律: dwell, "
               "harmonic, cycloidal, modified-sine, modified-trapezoid, poly345, poly4567, linear, poly5)");

int Usage(const QString& why)
{
    return UsageFail("design", why);
}

// A profile the fit refuses is no usage slip: its cause alone is the message.
int Refuse(const std::string& why)
{
    return Fail("design", Q(why), 2);
}

template <class T>
bool Whole(const std::string& text, T& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

void PrintReport(const std::vector<DesignSegment>& segments, const CamDesign& design, double tolerance)
{
    // The headings line up with the columns by terminal width: Chinese
    // characters take two columns.
    const struct {
        QString text;
        int width;
    } heads[] = {{Ecamctl::tr("段"), -8},           {Ecamctl::tr("运动规律"), -19},  {Ecamctl::tr("终点主轴"), 12},
                 {Ecamctl::tr("终点从轴"), 12},     {Ecamctl::tr("关键点数"), 10},   {Ecamctl::tr("最大位置偏差"), 14},
                 {Ecamctl::tr("最大速度偏差"), 14}, {Ecamctl::tr("峰值速度"), 12}};
    std::string line;
    for (const auto& h : heads) {
        const std::wstring text = h.text.toStdWString();
        const int blanks = std::max(0, std::abs(h.width) - DisplayWidth(text));
        if (!line.empty())
            line += ' ';
        line += h.width > 0 ? std::string(blanks, ' ') + U(h.text) : PadToWidth(text, -h.width);
    }
    std::printf("%s\n", line.c_str());
    for (size_t i = 0; i < segments.size(); ++i) {
        const SegmentReport& r = design.segments[i];
        std::printf("%-8zu %-19s %12g %12g %10d %14.6f %14.6f %12.6f\n", i + 1, MotionLawName(segments[i].law),
                    segments[i].endMaster, segments[i].endSlave, r.keyPoints, r.maxPositionDeviation,
                    r.maxSpeedDeviation, r.peakSpeed);
    }
    Say(Ecamctl::tr("%1 个关键点, 容差 %2").arg(design.points.size()).arg(tolerance));
}

int RunDesign(const Args& in)
{
    DesignOptions options;
    if (const auto v = in.Value("tolerance"); v && !Whole(*v, options.tolerance))
        return Usage(Ecamctl::tr("--tolerance '%1' 不是数字").arg(Q(*v)));
    if (const auto v = in.Value("max-points");
        v && (!Whole(*v, options.maxPoints) || options.maxPoints < 2 || size_t(options.maxPoints) > ecam::kMaxFilePoints))
        return Usage(Ecamctl::tr("--max-points '%1' 不是2~%2内的整数").arg(Q(*v)).arg(ecam::kMaxFilePoints));
    if (in.positional.empty())
        return Usage(Ecamctl::tr("需要输出文件 OUT.ecam"));
    const std::string& out = in.positional.front();
    if (ecam::PointFileKindOf(out) != ecam::PointFileKind::ECam)
        return Usage(Ecamctl::tr("'%1' 不是 .ecam 文件名").arg(Q(out)));
    std::vector<DesignSegment> segments;
    for (size_t i = 1; i < in.positional.size(); ++i) {
        DesignError error;
        segments.emplace_back();
        if (!ParseDesignSegment(in.positional[i], segments.back(), error))
            return Refuse(error.text);
    }
    CamDesign design;
    DesignError error;
    if (!DesignCam(segments, options, design, error))
        return Refuse(error.text);
    std::string writeError;
    if (!ecam::SavePointList(out, design.points, &writeError))
        return Fail("design", Q(writeError));
    PrintReport(segments, design, options.tolerance);
    return 0;
}

} // namespace

ECAMCTL_COMMAND("design", kUsage, RunDesign);
