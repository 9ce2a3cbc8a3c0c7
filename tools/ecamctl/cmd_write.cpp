// ecamctl write FILE.ecam --device URL [--special V]
// Puts a profile into the drive as the panel does: the standard write sends
// the axis scaling, the point count and the cam table; with --special the
// resampled special-point table (at most V points) and its count.
#include "command.h"
#include "drive_session.h"

#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/transfer_stop.h"
#include "files/ecam_file.h"

#include <cstdio>

namespace {

const char* kUsage = "write FILE.ecam --device URL [--special V]";

int Fail(const std::string& what, int status = 1)
{
    std::fprintf(stderr, "ecamctl write: %s\n", what.c_str());
    return status;
}

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

std::string Why(const CFunCodeFieldIo& io)
{
    return io.LastError().text();
}

int RunWrite(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args = argsIn;
    std::string url, special;
    const bool hasDevice = ecamctl::TakeOption(args, "--device", url);
    const bool isSpecial = ecamctl::TakeOption(args, "--special", special);
    if (!hasDevice || args.size() != 1)
        return Fail(std::string("usage: ecamctl ") + kUsage, 2);

    ecam::ECamProfile profile;
    std::string error;
    if (!ecam::ReadECamProfileFile(args[0], profile, &error))
        return Fail(error, 2);
    if (profile.points.empty())
        return Fail("the profile holds no key points", 2);

    std::vector<CamTable_Info> table;
    int count = 0;
    if (isSpecial) {
        const int v = special.find('.') == std::string::npos ? puu::ParseInt(special) : 0;
        if (v < camtable::kSpecialMinPoints || v > camtable::kSpecialMaxPoints)
            return Fail("输入有效点数有误!请输入3~1500内的整数!", 2);
        table = camtable::BuildSpecialTable(profile.points, v);
        count = std::min(static_cast<int>(profile.points.size()), v);
    } else {
        table = camtable::BuildStandardTable(profile.points);
        count = static_cast<int>(profile.points.size());
    }

    // The standard write takes the axis scaling from the profile's fields,
    // checked exactly as the panel checks them.
    puu::Values values;
    if (!isSpecial) {
        const puu::Texts texts = {ecamctl::ToUtf8(profile.slavePulse), ecamctl::ToUtf8(profile.slaveUnits),
                                  ecamctl::ToUtf8(profile.masterPulse), ecamctl::ToUtf8(profile.masterUnits)};
        puu::Problem p = puu::CheckInput(texts);
        if (!p)
            p = puu::CheckRanges(texts, &values);
        if (p)
            return Fail(std::string(p.message) + " (" + ProfileFieldName(p.field) + ")", 2);
    }

    ecamctl::DriveSession session;
    if (!session.Open(url, &error))
        return Fail(error, 2);
    CFunCodeFieldIo io(session.Access());
    if (!io.CheckConnect())
        return Fail("串口未连接! (" + url + ")");
    if (!isSpecial && !puu::WriteValues(io, values))
        return Fail("写入数据失败! " + Why(io));
    // Unlike the panel there is nobody to ask whether to go on, so a count
    // that did not reach the drive ends the command.
    if (!puu::WritePointCount(io, count))
        return Fail("写入凸轮点数失败! " + Why(io));

    CTransferStop stop;
    ecamctl::InterruptToStop interrupt(stop);
    ecamctl::TerminalProgress progress(isSpecial ? "special" : "standard");
    CCamTransfer transfer(io, camxfer::Timing{}, &stop);
    int result = camxfer::kStopped;
    auto report = [&](unsigned message, uintptr_t w) {
        if (message == camxfer::kWriteProgress)
            progress.Update(w + 1, table.size());
        else
            result = static_cast<int>(w);
    };
    const int code = isSpecial ? transfer.SpecialWrite(table, report) : transfer.StandardWrite(table, report);
    progress.Finish();
    if (code == camxfer::kStopped)
        return Fail("interrupted; the drive holds part of the table");
    if (result == camxfer::kTooManyPoints)
        return Fail(isSpecial ? "凸轮点数量不能超过1500" : "凸轮点数量不能超过272");
    if (result != camxfer::kOk)
        return Fail("烧写凸轮点失败! " + Why(io));
    std::printf("烧写凸轮点成功! %zu points, %d retries\n", table.size(), transfer.Retries());
    return 0;
}

} // namespace

ECAMCTL_COMMAND("write", kUsage, RunWrite);
