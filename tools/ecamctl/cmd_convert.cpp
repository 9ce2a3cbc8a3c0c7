// "ecamctl convert IN OUT": converts a cam's key points between .ecam
// profiles, CSV point lists (as "ecamctl curve" reads them) and special-point
// workbooks (.xls/.xlsx written; .xls/.xlsx/.ods read). The formats follow
// the file extensions. A profile converted to a profile keeps its scaling
// texts; otherwise a new profile gets default scaling around the points.
#include "command.h"
#include "texts.h"

#include "files/ecam_file.h"
#include "files/file_extension.h"
#include "files/point_list_file.h"
#include "ui/lang/file_messages.h"

#include <cstdio>
#include <ctime>

namespace {

using namespace ecamctl;

const char* const kUsage = QT_TRANSLATE_NOOP("Ecamctl", "convert IN OUT   (.ecam, .csv, .xls, .xlsx; .ods 只读)");

int RunConvert(const Args& given)
{
    const std::vector<std::string>& args = given.positional;
    if (args.size() != 2)
        return UsageFail("convert", Ecamctl::tr("需要 IN 和 OUT"));
    const std::filesystem::path in = args[0], out = args[1];
    for (const auto& p : {in, out}) {
        if (ecam::PointFileKindOf(p) == ecam::PointFileKind::Unknown)
            return UsageFail("convert", Ecamctl::tr("%1: 未知的文件类型").arg(Q(p.string())));
    }
    if (ecam::LowerExtension(out) == ".ods")
        return UsageFail("convert", Ecamctl::tr("%1: .ods 只能读取").arg(Q(out.string())));
    std::string error;
    if (ecam::PointFileKindOf(in) == ecam::PointFileKind::ECam
        && ecam::PointFileKindOf(out) == ecam::PointFileKind::ECam) {
        ecam::ECamProfile profile;
        if (!ecam::ReadECamProfileFile(in, profile, &error))
            return Fail("convert", Q(in.string()) + QStringLiteral(": ") + FileLayerMessage(error), 2);
        const std::string cut = ecam::ShortProfileWarning(in, profile.points.size(), profile.announcedPoints);
        if (!cut.empty())
            Fail("convert", Ecamctl::tr("警告: %1").arg(FileLayerMessage(cut)));
        profile.hostVersion = ecam::ECamHostVersionText();
        profile.saveTime = ecam::ECamSaveTimeText(std::time(nullptr));
        if (!ecam::WriteECamProfileFile(out, profile, &error))
            return Fail("convert", Q(out.string()) + QStringLiteral(": ") + Q(error));
        Say(Ecamctl::tr("%1 个点").arg(profile.points.size()));
        return 0;
    }
    std::vector<ECamPoint> points;
    std::string warning;
    if (!ecam::LoadPointList(in, points, &error, &warning))
        return Fail("convert", FileLayerMessage(error), 2);
    if (!warning.empty())
        Fail("convert", Ecamctl::tr("警告: %1").arg(FileLayerMessage(warning)));
    if (ecam::PointFileKindOf(out) == ecam::PointFileKind::Workbook) {
        const std::string lost = ecam::SpecialSaveLosses(points);
        if (!lost.empty())
            Fail("convert", Ecamctl::tr("警告: %1: 特殊点表格不保存%2").arg(Q(out.string()), FileLayerMessage(lost)));
    }
    if (!ecam::SavePointList(out, points, &error))
        return Fail("convert", FileLayerMessage(error));
    Say(Ecamctl::tr("%1 个点").arg(points.size()));
    return 0;
}

} // namespace

ECAMCTL_COMMAND("convert", kUsage, RunConvert);
