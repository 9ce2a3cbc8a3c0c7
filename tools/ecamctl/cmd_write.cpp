// ecamctl write FILE.ecam --device URL [--special V] [--verify]
// Puts a profile into the drive as the panel does: the standard write sends
// the axis scaling, the point count and the cam table; with --special the
// resampled special-point table (at most V points) and its count. --verify
// reads it all back afterwards.
#include "cam_job.h"
#include "command.h"
#include "drive_session.h"

#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace {

const char* kUsage = "write FILE.ecam --device URL [--special V] [--verify]";

int Fail(const std::string& what, int status = 1)
{
    std::fprintf(stderr, "ecamctl write: %s\n", what.c_str());
    return status;
}

std::string Why(const CFunCodeFieldIo& io)
{
    return io.LastError().text();
}

int RunWrite(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args = argsIn;
    std::string url, special, error;
    const bool hasDevice = ecamctl::TakeOption(args, "--device", url);
    const bool isSpecial = ecamctl::TakeOption(args, "--special", special);
    const bool verify = ecamctl::TakeFlag(args, "--verify");
    if (!hasDevice || args.size() != 1)
        return Fail(std::string("usage: ecamctl ") + kUsage, 2);

    camverify::Expected job;
    if (!ecamctl::PrepareCamWrite(args[0], isSpecial, special, job, error))
        return Fail(error, 2);

    ecamctl::DriveSession session;
    if (const int status = session.OpenConnected(url, error))
        return Fail(error, status);
    CFunCodeFieldIo io(session.Access());
    // From the first request on, Ctrl+C ends the command with a word on what
    // the drive holds instead of killing it half-way.
    CTransferStop stop;
    ecamctl::InterruptToStop interrupt(stop);
    if (job.scaling && !puu::WriteValues(io, *job.scaling))
        return Fail("写入数据失败! " + Why(io));
    // The count is 0 while the table is incomplete and takes its value after
    // the last point (docs/transfer-state-choices.md). Unlike the panel there
    // is nobody to ask whether to go on, so a count that did not reach the
    // drive ends the command.
    if (!puu::WritePointCount(io, 0))
        return Fail("写入凸轮点数失败! " + Why(io));
    if (stop.StopRequested())
        return Fail("interrupted before the table; the drive's point count is 0 (no cam)");

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
    const std::string holds = "the drive holds " + std::to_string(transfer.PointsWritten()) + " of "
                              + std::to_string(job.table.size())
                              + " points and its point count is 0 (its cam table is incomplete)";
    if (code == camxfer::kStopped)
        return Fail("interrupted; " + holds);
    if (result == camxfer::kTooManyPoints)
        return Fail(isSpecial ? "凸轮点数量不能超过1500" : "凸轮点数量不能超过272");
    if (result != camxfer::kOk)
        return Fail("烧写凸轮点失败! " + Why(io) + "; " + holds);
    std::printf("烧写凸轮点成功! %zu points, %d retries\n", job.table.size(), transfer.Retries());
    if (!verify)
        return 0;
    std::fflush(stdout);   // the success line before whatever the check prints
    return ecamctl::VerifyCamWrite(io, job, stop, "write");
}

} // namespace

ECAMCTL_COMMAND("write", kUsage, RunWrite);
