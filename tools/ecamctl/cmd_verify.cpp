// ecamctl verify FILE.ecam --device URL [--special V]
// Compares the drive with what "write" would send for the profile (same
// options), without writing anything: exit status 0 when it all matches, 3
// with the list of differing or unreadable fields.
#include "cam_job.h"
#include "command.h"
#include "drive_session.h"
#include "texts.h"

#include "drive/fun_code_field_io.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace {

using namespace ecamctl;

int Fail(const QString& what, int status = 1)
{
    return ecamctl::Fail("verify", what, status);
}

int RunVerify(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    const std::string url = in.Value("device").value_or(""), special = in.Value("special").value_or("");
    const bool isSpecial = in.Has("special");
    std::string error;
    if (!in.Has("device") || args.size() != 1)
        return UsageFail("verify", Ecamctl::tr("需要 --device URL 和一个 .ecam 文件"));

    camverify::Expected job;
    if (!ecamctl::PrepareCamWrite(args[0], isSpecial, special, job, error))
        return Fail(Q(error), 2);

    ecamctl::DriveSession session;
    if (const int status = session.OpenConnected(url, error))
        return Fail(Q(error), status);
    CFunCodeFieldIo io(session.Access());
    CTransferStop stop;
    ecamctl::InterruptToStop interrupt(stop);
    return ecamctl::VerifyCamWrite(io, job, stop, "verify");
}

} // namespace

ECAMCTL_COMMAND("verify", "verify FILE.ecam --device URL [--special V]", RunVerify);
