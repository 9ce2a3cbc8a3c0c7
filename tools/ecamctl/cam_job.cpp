#include "cam_job.h"

#include "drive_session.h"
#include "texts.h"

#include "drive/cam_table.h"
#include "drive/puu_params.h"
#include "files/ecam_file.h"
#include "ui/lang/drive_messages.h"
#include "ui/lang/file_messages.h"

#include <algorithm>
#include <cstdio>

namespace ecamctl {

namespace {

// A scaling field as the .ecam profile names it: the line's label and the
// side of its "/" (users of ecamctl edit files, not the panel's fields).
QString ProfileFieldName(int field)
{
    switch (field) {
    case puu::kSlavePulse: return Ecamctl::tr("从轴脉冲数: 从轴单位转换率一行 \"/\" 前的数");
    case puu::kSlaveUnit: return Ecamctl::tr("从轴单位量: 从轴单位转换率一行 \"/\" 后的数");
    case puu::kMasterPulse: return Ecamctl::tr("主轴脉冲数: 主轴单位转换率一行 \"/\" 前的数");
    case puu::kMasterUnit: return Ecamctl::tr("主轴单位量: 主轴单位转换率一行 \"/\" 后的数");
    }
    return QStringLiteral("?");
}

} // namespace

bool PrepareCamWrite(const std::string& file, bool special, const std::string& specialText,
                     camverify::Expected& out, std::string& error)
{
    ecam::ECamProfile profile;
    if (!ecam::ReadECamProfileFile(file, profile, &error)) {
        error = U(FileLayerMessage(error));
        return false;
    }
    if (profile.points.empty()) {
        error = U(Ecamctl::tr("文件中没有关键点"));
        return false;
    }
    out = {};
    out.special = special;
    if (special) {
        const int v = specialText.find('.') == std::string::npos ? puu::ParseInt(specialText) : 0;
        if (v < camtable::kSpecialMinPoints || v > camtable::kSpecialMaxPoints) {
            error = U(QCoreApplication::translate("CPanelTransfers", "输入有效点数有误!请输入3~%1内的整数!")
                          .arg(camtable::kSpecialMaxPoints));
            return false;
        }
        out.table = camtable::BuildSpecialTable(profile.points, v);
        out.pointCount = std::min(static_cast<int>(profile.points.size()), v);
        return true;
    }
    out.table = camtable::BuildStandardTable(profile.points);
    out.pointCount = static_cast<int>(profile.points.size());
    const puu::Texts texts = {ToUtf8(profile.slavePulse), ToUtf8(profile.slaveUnits), ToUtf8(profile.masterPulse),
                              ToUtf8(profile.masterUnits)};
    puu::Values values;
    puu::Problem p = puu::CheckInput(texts);
    if (!p)
        p = puu::CheckRanges(texts, &values);
    if (p) {
        error = U(PuuMessage(p.message) + QStringLiteral(" (") + ProfileFieldName(p.field) + QLatin1Char(')'));
        return false;
    }
    out.scaling = values;
    return true;
}

int VerifyCamWrite(ICamFieldIo& io, const camverify::Expected& expected, CTransferStop& stop, const char* command)
{
    TerminalProgress progress("verify");
    CCamVerifier verifier(io, camxfer::Timing{}, &stop);
    std::vector<camverify::Mismatch> mismatches;
    const int code = verifier.Verify(expected, mismatches, [&](unsigned kind, uintptr_t point) {
        if (kind == camxfer::kVerifyProgress)
            progress.Update(point + 1, expected.table.size());
    });
    progress.Finish();
    if (code == camxfer::kStopped)
        return Fail(command, Ecamctl::tr("已中断; 校验未完成"));
    if (code == camxfer::kNoAnswer)
        return Fail(command, Ecamctl::tr("凸轮点校验失败! 驱动器无响应"));
    if (code == camxfer::kReadFailed)
        return Fail(command, Ecamctl::tr("凸轮点校验失败! 读回数据有误"));
    if (code != camxfer::kOk) {
        // All of them: a terminal scrolls, and a script wants the full list.
        Fail(command, Ecamctl::tr("凸轮点校验失败! 共%1处不一致").arg(mismatches.size()));
        std::fprintf(stderr, "%s\n", MismatchList(mismatches, mismatches.size()).toUtf8().constData());
        return 3;
    }
    Say(Ecamctl::tr("凸轮点校验成功! %1 点").arg(expected.table.size()));
    return 0;
}

} // namespace ecamctl
