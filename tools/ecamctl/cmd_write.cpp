// ecamctl write FILE.ecam --device URL [--special V] [--verify]
// Puts a profile into the drive as the panel does: the standard write sends
// the axis scaling, the point count and the cam table; with --special the
// resampled special-point table (at most V points) and its count. --verify
// reads it all back afterwards.
#include "cam_job.h"
#include "command.h"
#include "drive_session.h"
#include "texts.h"

#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace {

using namespace ecamctl;

int Fail(const QString& what, int status = 1)
{
    return ecamctl::Fail("write", what, status);
}

QString Why(const CFunCodeFieldIo& io)
{
    return Q(io.LastError().text());
}

int RunWrite(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    const std::string url = in.Value("device").value_or(""), special = in.Value("special").value_or("");
    const bool isSpecial = in.Has("special"), verify = in.Has("verify");
    std::string error;
    if (!in.Has("device") || args.size() != 1)
        return UsageFail("write", Ecamctl::tr("需要 --device URL 和一个 .ecam 文件"));

    camverify::Expected job;
    if (!ecamctl::PrepareCamWrite(args[0], isSpecial, special, job, error))
        return Fail(Q(error), 2);

    ecamctl::DriveSession session;
    if (const int status = session.OpenConnected(url, error))
        return Fail(Q(error), status);
    CFunCodeFieldIo io(session.Access());
    // From the first request on, Ctrl+C ends the command with a word on what
    // the drive holds instead of killing it half-way.
    CTransferStop stop;
    ecamctl::InterruptToStop interrupt(stop);
    if (job.scaling && !puu::WriteValues(io, *job.scaling))
        return Fail(Ecamctl::tr("写入数据失败! %1").arg(Why(io)));
    // The count is 0 while the table is incomplete and takes its value after
    // the last point (docs/transfer-state-choices.md). Unlike the panel there
    // is nobody to ask whether to go on, so a count that did not reach the
    // drive ends the command.
    if (!puu::WritePointCount(io, 0))
        return Fail(Ecamctl::tr("写入凸轮点数失败! %1").arg(Why(io)));
    if (stop.StopRequested())
        return Fail(Ecamctl::tr("在凸轮表之前已中断; 驱动器的凸轮点数为 0 (无凸轮)"));

    ecamctl::TerminalProgress progress(isSpecial ? "special" : "standard");
    CCamTransfer transfer(io, camxfer::Timing{}, &stop);
    transfer.SetCountAfterTable(job.pointCount);
    int result = camxfer::kStopped;
    auto report = [&](unsigned message, uintptr_t w) {
        if (message == camxfer::kWriteProgress)
            progress.Update(w + 1, job.table.size());
        else
            result = static_cast<int>(w);
    };
    const int code = isSpecial ? transfer.SpecialWrite(job.table, report) : transfer.StandardWrite(job.table, report);
    progress.Finish();
    const QString holds = Ecamctl::tr("驱动器中有 %1 / %2 个点, 凸轮点数为 0 (凸轮表不完整)")
                              .arg(transfer.PointsWritten())
                              .arg(job.table.size());
    if (code == camxfer::kStopped)
        return Fail(Ecamctl::tr("已中断; %1").arg(holds));
    if (result == camxfer::kTooManyPoints)
        return Fail(Ecamctl::tr("凸轮点数量不能超过%1").arg(isSpecial ? 1500 : 272));
    if (result != camxfer::kOk)
        return Fail(Ecamctl::tr("烧写凸轮点失败! %1; %2").arg(Why(io), holds));
    Say(Ecamctl::tr("烧写凸轮点成功! %1 点, 重试 %2 次").arg(job.table.size()).arg(transfer.Retries()));
    if (!verify)
        return 0;
    std::fflush(stdout);   // the success line before whatever the check prints
    return ecamctl::VerifyCamWrite(io, job, stop, "write");
}

} // namespace

ECAMCTL_COMMAND("write", "write FILE.ecam --device URL [--special V] [--verify]", RunWrite);
