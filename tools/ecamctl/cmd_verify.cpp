// ecamctl verify FILE.ecam --device URL [--special V]
// Compares the drive with what "write" would send for the profile (same
// options), without writing anything: exit status 0 when it all matches, 3
// with the list of differing or unreadable fields.
#include "cam_job.h"
#include "command.h"
#include "drive_session.h"

#include "drive/fun_code_field_io.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace {

const char* kUsage = "verify FILE.ecam --device URL [--special V]";

int Fail(const std::string& what, int status = 1)
{
    std::fprintf(stderr, "ecamctl verify: %s\n", what.c_str());
    return status;
}

int RunVerify(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args = argsIn;
    std::string url, special, error;
    const bool hasDevice = ecamctl::TakeOption(args, "--device", url);
    const bool isSpecial = ecamctl::TakeOption(args, "--special", special);
    if (!hasDevice || args.size() != 1)
        return Fail(std::string("usage: ecamctl ") + kUsage, 2);

    camverify::Expected job;
    if (!ecamctl::PrepareCamWrite(args[0], isSpecial, special, job, error))
        return Fail(error, 2);

    ecamctl::DriveSession session;
    if (const int status = session.OpenConnected(url, error))
        return Fail(error, status);
    CFunCodeFieldIo io(session.Access());
    CTransferStop stop;
    ecamctl::InterruptToStop interrupt(stop);
    return ecamctl::VerifyCamWrite(io, job, stop, "verify");
}

} // namespace

ECAMCTL_COMMAND("verify", kUsage, RunVerify);
