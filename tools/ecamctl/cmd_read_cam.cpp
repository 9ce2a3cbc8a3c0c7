// ecamctl read-cam --device URL OUT.ecam
// Reads the standard cam table back from the drive (count from 0x1B08, at
// most 272 points) with its axis scaling and saves it as a profile. Speeds
// come back with two decimals, as the drive holds them.
#include "command.h"
#include "drive_session.h"
#include "texts.h"

#include "drive/cam_read_back.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/transfer_stop.h"
#include "files/ecam_file.h"
#include "ui/lang/drive_messages.h"

#include <cstdio>
#include <ctime>
#include <cwchar>

namespace {

using namespace ecamctl;

int Fail(const QString& what, int status = 1)
{
    return ecamctl::Fail("read-cam", what, status);
}

std::wstring Trimmed(double v)
{
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.3f", v);
    std::wstring s = buf;
    while (!s.empty() && s.back() == L'0')
        s.pop_back();
    if (!s.empty() && s.back() == L'.')
        s.pop_back();
    return s;
}

int RunReadCam(const Args& in)
{
    const std::vector<std::string>& args = in.positional;
    const std::string url = in.Value("device").value_or("");
    std::string error;
    if (!in.Has("device") || args.size() != 1)
        return UsageFail("read-cam", Ecamctl::tr("需要 --device URL 和一个输出文件"));
    ecamctl::DriveCommand drive;
    if (const int status = drive.Open(url, error))
        return Fail(Q(error), status);
    CFunCodeFieldIo& io = *drive.io;
    CTransferStop& stop = drive.stop;

    puu::Values scaling;
    bool read = false;
    for (int i = 0; i < camxfer::Timing{}.attempts && !read && !stop.StopRequested(); ++i)
        read = puu::ReadValues(io, scaling);
    if (!read)
        return Fail(Ecamctl::tr("读取数据失败! %1; 未保存任何内容").arg(Q(io.LastError().text())));
    ecam::ECamProfile profile;
    const camreadback::Outcome o = camreadback::ReadStandardCam(io, camxfer::Timing{}, &stop, profile.points);
    if (o.result == camreadback::kStopped)
        return Fail(Ecamctl::tr("已中断; 未保存任何内容"));
    if (o.result != camreadback::kOk)
        return Fail(Ecamctl::tr("从驱动器读取凸轮表失败! %1; 未保存任何内容").arg(CamReadBackMessage(o)));

    profile.hostVersion = ecam::ECamHostVersionText();
    profile.saveTime = ecam::ECamSaveTimeText(std::time(nullptr));
    profile.masterLength = Trimmed(profile.points.back().master);
    profile.unit = L"mm";
    profile.slavePulse = std::to_wstring(scaling.slavePulse);
    profile.slaveUnits = std::to_wstring(scaling.slaveUnit);
    profile.masterPulse = std::to_wstring(scaling.masterPulse);
    profile.masterUnits = std::to_wstring(scaling.masterUnit);
    std::string why;
    if (!ecam::WriteECamProfileFile(args[0], profile, &why))
        return Fail(Ecamctl::tr("保存文件失败! %1: %2").arg(Q(args[0]), Q(why)));
    Say(Ecamctl::tr("从驱动器读取凸轮表成功! %1 点 -> %2 (速度按驱动器保存的精度, 保留两位小数)")
            .arg(profile.points.size())
            .arg(Q(args[0])));
    return 0;
}

} // namespace

ECAMCTL_COMMAND("read-cam", "read-cam --device URL OUT.ecam", RunReadCam);
