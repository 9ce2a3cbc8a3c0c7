#include "cam_source.h"

#include "texts.h"

#include "files/point_list_file.h"
#include "ui/lang/file_messages.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

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
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), {});
    } catch (const std::exception&) {
        in.setstate(std::ios::badbit);
    }
    if (in.bad()) {
        // e.g. a directory given as FILE: opening works, reading does not
        error = U(Ecamctl::tr("%1: 无法读取").arg(Q(name)));
        return false;
    }
    if (ecam::ParsePointLines(text, name, points, error, true))
        return true;
    error = U(FileLayerMessage(error));
    return false;
}

bool LoadCamPoints(const std::string& arg, std::vector<ECamPoint>& points, std::string& error)
{
    if (arg == "-")
        return ReadPointLines(std::cin, "<stdin>", points, error);
    const ecam::PointFileKind kind = ecam::PointFileKindOf(arg);
    if (kind == ecam::PointFileKind::ECam || kind == ecam::PointFileKind::Workbook) {
        std::string warning;
        const bool ok = ecam::LoadPointList(arg, points, &error, &warning);  // as the panel takes them
        if (!warning.empty())
            std::cerr << U(QStringLiteral("ecamctl: ") + Ecamctl::tr("警告: %1").arg(Q(warning))) << "\n";
        if (!ok)
            error = U(FileLayerMessage(error));
        return ok;
    }
    std::ifstream file(arg);
    if (!file) {
        error = U(Ecamctl::tr("无法打开 '%1'").arg(Q(arg)));
        return false;
    }
    return ReadPointLines(file, arg, points, error);
}

} // namespace ecamctl
