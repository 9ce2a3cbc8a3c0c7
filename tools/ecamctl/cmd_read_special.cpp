// ecamctl read-special --device URL OUT.csv
// Reads the special-point table back from the drive (count from 0x1B08) and
// saves it as the panel's read-back CSV file.
#include "command.h"
#include "drive_session.h"

#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/read_back_csv.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace {

const char* kUsage = "read-special --device URL OUT.csv";

int Fail(const std::string& what, int status = 1)
{
    std::fprintf(stderr, "ecamctl read-special: %s\n", what.c_str());
    return status;
}

int RunReadSpecial(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args = argsIn;
    std::string url, error;
    if (!ecamctl::TakeOption(args, "--device", url) || args.size() != 1)
        return Fail(std::string("usage: ecamctl ") + kUsage, 2);
    ecamctl::DriveSession session;
    if (const int status = session.OpenConnected(url, error))
        return Fail(error, status);
    CFunCodeFieldIo io(session.Access());
    int count = 0;
    if (!puu::ReadPointCount(io, count, camxfer::Timing{}.attempts))
        return Fail("读取数据失败! " + io.LastError().text());
    if (count > camtable::kSpecialMaxPoints)
        return Fail("读取数据失败! point count " + std::to_string(count) + " exceeds 1500");

    CTransferStop stop;
    ecamctl::InterruptToStop interrupt(stop);
    ecamctl::TerminalProgress progress("read");
    CCamTransfer transfer(io, camxfer::Timing{}, &stop);
    std::vector<CamTable_Info> table;
    const int code = transfer.Read(count, table, [&](unsigned message, uintptr_t w) {
        if (message == camxfer::kReadProgress)
            progress.Update(w + 1, static_cast<std::size_t>(count));
    });
    progress.Finish();
    if (code == camxfer::kStopped)
        return Fail("interrupted; nothing saved");
    if (code == camxfer::kNoAnswer)
        return Fail("凸轮点读取失败! 驱动器无响应 (drive not answering); nothing saved");
    if (code != camxfer::kOk)
        return Fail("凸轮点读取失败! " + io.LastError().text() + "; nothing saved");
    if (!camtable::WriteReadBackCsv(args[0], table))
        return Fail("保存文件失败! " + args[0]);
    std::printf("凸轮点读取成功! %d points -> %s\n", count, args[0].c_str());
    return 0;
}

} // namespace

ECAMCTL_COMMAND("read-special", kUsage, RunReadSpecial);
