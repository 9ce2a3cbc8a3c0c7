// "ecamctl curve": prints the sampled cam curve of a list of key points, or
// the default cam of a master length, as CSV on standard output.
#include "command.h"

#include "cam_source.h"
#include "texts.h"

#include "cam/ecam_point_set.h"

#include <cstdio>
#include <string>

namespace {

using namespace ecamctl;

const char* const kUsage = "curve [FILE] | curve --length L";

// The master length range the editor accepts.
constexpr long kMinLength = 10;
constexpr long kMaxLength = 1000000;

void PrintCurve(const CECamPointSet& set)
{
    std::string out = "x,position,speed,accel,key\n";
    char buf[160];
    for (const ECamCurveSample& s : set.Curve()) {
        std::snprintf(buf, sizeof buf, "%.9g,%.9g,%.9g,%.9g,%d\n", s.positionX, s.position,
                      s.speed, s.accel, s.isKeyPoint ? 1 : 0);
        out += buf;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int UsageError(const QString& message)
{
    return UsageFail("curve", message);
}

int RunCurve(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    CECamPointSet set;
    if (const std::optional<std::string> text = in.Value("length")) {
        long length = 0;
        if (!args.empty())
            return UsageError(Ecamctl::tr("--length 取代 FILE"));
        if (!ParseLong(*text, length) || length < kMinLength || length > kMaxLength)
            return UsageError(Ecamctl::tr("主轴长度须为10~1000000内的整数, 而不是 '%1'").arg(Q(*text)));
        set.SetMasterLength(static_cast<uint32_t>(length));
        PrintCurve(set);
        return 0;
    }
    if (args.size() > 1)
        return UsageError(Ecamctl::tr("参数过多"));

    std::vector<ECamPoint> points;
    std::string error;
    if (!LoadCamPoints(args.empty() ? std::string("-") : args[0], points, error))
        return Fail("curve", Q(error), 2);
    set.SetPoints(points);
    PrintCurve(set);
    return 0;
}

} // namespace

ECAMCTL_COMMAND("curve", kUsage, RunCurve);
