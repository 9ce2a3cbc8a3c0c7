#include "cam_job.h"

#include "drive_session.h"

#include "drive/cam_table.h"
#include "drive/puu_params.h"
#include "files/ecam_file.h"

#include <algorithm>
#include <cstdio>

namespace ecamctl {

namespace {

// A scaling field as the .ecam profile names it: the line's label and the
// side of its "/" (users of ecamctl edit files, not the panel's fields).
const char* ProfileFieldName(int field)
{
    switch (field) {
    case puu::kSlavePulse: return "slave pulses: the number before \"/\" on the 从轴单位转换率 line";
    case puu::kSlaveUnit: return "slave units: the number after \"/\" on the 从轴单位转换率 line";
    case puu::kMasterPulse: return "master pulses: the number before \"/\" on the 主轴单位转换率 line";
    case puu::kMasterUnit: return "master units: the number after \"/\" on the 主轴单位转换率 line";
    }
    return "?";
}

} // namespace

bool PrepareCamWrite(const std::string& file, bool special, const std::string& specialText,
                     camverify::Expected& out, std::string& error)
{
    ecam::ECamProfile profile;
    if (!ecam::ReadECamProfileFile(file, profile, &error))
        return false;
    if (profile.points.empty()) {
        error = "the profile holds no key points";
        return false;
    }
    out = {};
    out.special = special;
    if (special) {
        const int v = specialText.find('.') == std::string::npos ? puu::ParseInt(specialText) : 0;
        if (v < camtable::kSpecialMinPoints || v > camtable::kSpecialMaxPoints) {
            error = "输入有效点数有误!请输入3~1500内的整数!";
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
        error = std::string(p.message) + " (" + ProfileFieldName(p.field) + ")";
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
    if (code == camxfer::kStopped) {
        std::fprintf(stderr, "ecamctl %s: interrupted; the check is incomplete\n", command);
        return 1;
    }
    if (code == camxfer::kNoAnswer || code == camxfer::kReadFailed) {
        std::fprintf(stderr, "ecamctl %s: 凸轮点校验失败! %s\n", command,
                     code == camxfer::kNoAnswer ? "驱动器无响应 (drive not answering)"
                                                : "读回数据有误 (the drive's answers could not be read cleanly)");
        return 1;
    }
    if (code != camxfer::kOk) {
        // All of them: a terminal scrolls, and a script wants the full list.
        std::fprintf(stderr, "ecamctl %s: 凸轮点校验失败! 共%zu处不一致\n", command, mismatches.size());
        for (const camverify::Mismatch& m : mismatches)
            std::fprintf(stderr, "%s\n", camverify::Describe(m).c_str());
        return 3;
    }
    std::printf("凸轮点校验成功! %zu points\n", expected.table.size());
    return 0;
}

} // namespace ecamctl
