// "ecamctl convert IN OUT": converts a cam's key points between .ecam
// profiles, CSV point lists (as "ecamctl curve" reads them) and special-point
// workbooks (.xls/.xlsx written; .xls/.xlsx/.ods read). The formats follow
// the file extensions. A profile converted to a profile keeps its scaling
// texts; otherwise a new profile gets default scaling around the points.
#include "command.h"

#include "files/ecam_file.h"
#include "files/file_extension.h"
#include "files/point_list_file.h"

#include <cstdio>
#include <ctime>

namespace {

const char* const kUsage = "convert IN OUT   (.ecam, .csv, .xls, .xlsx; .ods read only)";

int RunConvert(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "ecamctl convert: expected IN and OUT\nusage: ecamctl %s\n", kUsage);
        return 2;
    }
    const std::filesystem::path in = args[0], out = args[1];
    for (const auto& p : {in, out}) {
        if (ecam::PointFileKindOf(p) == ecam::PointFileKind::Unknown) {
            std::fprintf(stderr, "ecamctl convert: %s: unknown file type\nusage: ecamctl %s\n",
                         p.string().c_str(), kUsage);
            return 2;
        }
    }
    if (ecam::LowerExtension(out) == ".ods") {
        std::fprintf(stderr, "ecamctl convert: %s: .ods is read only\nusage: ecamctl %s\n",
                     out.string().c_str(), kUsage);
        return 2;
    }
    std::string error;
    if (ecam::PointFileKindOf(in) == ecam::PointFileKind::ECam
        && ecam::PointFileKindOf(out) == ecam::PointFileKind::ECam) {
        ecam::ECamProfile profile;
        if (!ecam::ReadECamProfileFile(in, profile, &error)) {
            std::fprintf(stderr, "ecamctl convert: %s: %s\n", in.string().c_str(), error.c_str());
            return 2;
        }
        const std::string cut = ecam::ShortProfileWarning(in, profile.points.size(), profile.announcedPoints);
        if (!cut.empty())
            std::fprintf(stderr, "ecamctl convert: warning: %s\n", cut.c_str());
        profile.hostVersion = ecam::ECamHostVersionText();
        profile.saveTime = ecam::ECamSaveTimeText(std::time(nullptr));
        if (!ecam::WriteECamProfileFile(out, profile, &error)) {
            std::fprintf(stderr, "ecamctl convert: %s: %s\n", out.string().c_str(), error.c_str());
            return 1;
        }
        std::printf("%zu points\n", profile.points.size());
        return 0;
    }
    std::vector<ECamPoint> points;
    std::string warning;
    if (!ecam::LoadPointList(in, points, &error, &warning)) {
        std::fprintf(stderr, "ecamctl convert: %s\n", error.c_str());
        return 2;
    }
    if (!warning.empty())
        std::fprintf(stderr, "ecamctl convert: warning: %s\n", warning.c_str());
    if (ecam::PointFileKindOf(out) == ecam::PointFileKind::Workbook) {
        const std::string lost = ecam::SpecialSaveLosses(points);
        if (!lost.empty())
            std::fprintf(stderr, "ecamctl convert: warning: %s: a special-point workbook does not keep %s\n",
                         out.string().c_str(), lost.c_str());
    }
    if (!ecam::SavePointList(out, points, &error)) {
        std::fprintf(stderr, "ecamctl convert: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu points\n", points.size());
    return 0;
}

} // namespace

ECAMCTL_COMMAND("convert", kUsage, RunConvert);
