#include "cam_source.h"

#include "files/point_list_file.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace ecamctl {

namespace {

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

} // namespace

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

bool ReadPointLines(std::istream& in, const std::string& name, std::vector<ECamPoint>& points,
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

bool LoadCamPoints(const std::string& arg, std::vector<ECamPoint>& points, std::string& error)
{
    if (arg == "-")
        return ReadPointLines(std::cin, "<stdin>", points, error);
    const ecam::PointFileKind kind = ecam::PointFileKindOf(arg);
    if (kind == ecam::PointFileKind::ECam || kind == ecam::PointFileKind::Workbook)
        return ecam::LoadPointList(arg, points, &error);  // as the panel takes them
    std::ifstream file(arg);
    if (!file) {
        error = "cannot open '" + arg + "'";
        return false;
    }
    return ReadPointLines(file, arg, points, error);
}

} // namespace ecamctl
