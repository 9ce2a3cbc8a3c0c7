#include "app/drive_probe.h"

#include "app/drive_text.h"
#include "host/modbus_data_srv.h"

#include <QCoreApplication>

ProbeResult ProbeDrive(CModbusDataSrv& srv, unsigned timeoutMs)
{
    ProbeResult r;
    r.error = srv.Connect(timeoutMs);
    if (!r.error.ok())
        return r;
    uint16_t words[2] = {0, 0};
    r.error = srv.ReadValue(kProbeAddress, 16, words, timeoutMs);
    if (r.error.ok())
        r.value = words[0];
    return r;
}

QString ProbeText(const ProbeResult& result)
{
    if (result.error.ok())
        return QCoreApplication::translate("DriveText", "连接成功: H1B-08 (凸轮点数) = %1").arg(result.value);
    return QCoreApplication::translate("DriveText", "连接失败: %1").arg(DescribeDriveError(result.error));
}
