// "ecamctl curve": prints the sampled cam curve of a list of key points, or
// the default cam of a master length, as CSV on standard output.
#include "command.h"

#include "cam/ecam_point_set.h"
#include "files/point_list_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

const char* const kUsage = "curve [FILE] | curve --length L";

// The master length range the editor accepts.
constexpr long kMinLength = 10;
constexpr long kMaxLength = 1000000;

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Whole-field conversions: a command-line file is checked strictly, so a
// typo is reported instead of silently read as 0.
bool ParseDouble(const std::string& field, double& value)
{
    const std::string t = Trim(field);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(t.c_str(), &end);
    return *end == '\0' && errno != ERANGE && std::isfinite(value);
}

bool ParseLong(const std::string& field, long& value)
{
    const std::string t = Trim(field);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(t.c_str(), &end, 10);
    return *end == '\0' && errno != ERANGE;
}

// Reads "master,slave,speed,type" lines; '#' starts a comment. On failure
// fills error with a message naming the line.
bool ReadPoints(std::istream& in, const std::string& name, std::vector<ECamPoint>& points,
                std::string& error)
{
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const auto hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        if (Trim(line).empty())
            continue;
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string f;
        while (std::getline(ss, f, ','))
            fields.push_back(f);
        if (!line.empty() && line.back() == ',')
            fields.push_back({});
        const std::string where = name + ":" + std::to_string(lineNo) + ": ";
        if (fields.size() != 4) {
            error = where + "expected 4 fields master,slave,speed,type, found " +
                    std::to_string(fields.size());
            return false;
        }
        ECamPoint p;
        if (!ParseDouble(fields[0], p.master) || !ParseDouble(fields[1], p.slave) ||
            !ParseDouble(fields[2], p.speed)) {
            error = where + "master, slave and speed must be finite numbers";
            return false;
        }
        long type = 0;
        if (!ParseLong(fields[3], type) || (type != kECamLinear && type != kECamPoly)) {
            error = where + "type must be 0 (Linear) or 1 (Poly)";
            return false;
        }
        p.type = static_cast<int32_t>(type);
        if (!points.empty() && !(p.master > points.back().master)) {
            error = where + "master positions must strictly increase";
            return false;
        }
        points.push_back(p);
    }
    if (in.bad()) {
        // e.g. a directory given as FILE: opening works, reading does not
        error = name + ": cannot be read";
        return false;
    }
    return true;
}

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

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "ecamctl curve: %s\nusage: ecamctl %s\n", message.c_str(), kUsage);
    return 2;
}

int RunCurve(const std::vector<std::string>& args)
{
    CECamPointSet set;
    if (!args.empty() && args[0] == "--length") {
        long length = 0;
        if (args.size() != 2)
            return UsageError("--length takes one value");
        if (!ParseLong(args[1], length) || length < kMinLength || length > kMaxLength)
            return UsageError("master length must be an integer from 10 to 1000000, got '" +
                              args[1] + "'");
        set.SetMasterLength(static_cast<uint32_t>(length));
        PrintCurve(set);
        return 0;
    }
    if (args.size() > 1)
        return UsageError("too many arguments");

    std::vector<ECamPoint> points;
    std::string error;
    bool ok = false;
    if (args.empty() || args[0] == "-") {
        ok = ReadPoints(std::cin, "<stdin>", points, error);
    } else if (ecam::PointFileKindOf(args[0]) == ecam::PointFileKind::ECam ||
               ecam::PointFileKindOf(args[0]) == ecam::PointFileKind::Workbook) {
        // Profiles and workbooks are taken as the panel takes them.
        ok = ecam::LoadPointList(args[0], points, &error);
    } else {
        std::ifstream file(args[0]);
        if (!file) {
            std::fprintf(stderr, "ecamctl curve: cannot open '%s'\n", args[0].c_str());
            return 2;
        }
        ok = ReadPoints(file, args[0], points, error);
    }
    if (!ok) {
        std::fprintf(stderr, "ecamctl curve: %s\n", error.c_str());
        return 2;
    }
    set.SetPoints(points);
    PrintCurve(set);
    return 0;
}

} // namespace

ECAMCTL_COMMAND("curve", kUsage, RunCurve);
