// ecamctl read-special --device URL OUT.csv
// Reads the special-point table back from the drive (count from 0x1B08) and
// saves it as the panel's read-back CSV file.
#include "command.h"
#include "drive_session.h"
#include "texts.h"

#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/read_back_csv.h"
#include "drive/transfer_stop.h"

#include <cstdio>

namespace {

using namespace ecamctl;

int Fail(const QString& what, int status = 1)
{
    return ecamctl::Fail("read-special", what, status);
}

int RunReadSpecial(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    const std::string url = in.Value("device").value_or("");
    std::string error;
    if (!in.Has("device") || args.size() != 1)
        return UsageFail("read-special", Ecamctl::tr("需要 --device URL 和一个输出文件"));
    ecamctl::DriveSession session;
    if (const int status = session.OpenConnected(url, error))
        return Fail(Q(error), status);
    CFunCodeFieldIo io(session.Access());
    int count = 0;
    if (!puu::ReadPointCount(io, count, camxfer::Timing{}.attempts))
        return Fail(Ecamctl::tr("读取数据失败! %1").arg(Q(io.LastError().text())));
    if (count > camtable::kSpecialMaxPoints)
        return Fail(Ecamctl::tr("读取数据失败! 凸轮点数 %1 超过 1500").arg(count));

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
        return Fail(Ecamctl::tr("已中断; 未保存任何内容"));
    if (code == camxfer::kNoAnswer)
        return Fail(Ecamctl::tr("凸轮点读取失败! 驱动器无响应; 未保存任何内容"));
    if (code != camxfer::kOk)
        return Fail(Ecamctl::tr("凸轮点读取失败! %1; 未保存任何内容").arg(Q(io.LastError().text())));
    std::string why;
    if (!camtable::WriteReadBackCsv(args[0], table, &why))
        return Fail(Ecamctl::tr("保存文件失败! %1: %2").arg(Q(args[0]), Q(why)));
    Say(Ecamctl::tr("凸轮点读取成功! %1 点 -> %2").arg(count).arg(Q(args[0])));
    return 0;
}

} // namespace

ECAMCTL_COMMAND("read-special", "read-special --device URL OUT.csv", RunReadSpecial);
