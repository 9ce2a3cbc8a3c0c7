#include "app/drive_text.h"

#include "host/device_url.h"
#include "host/drive_error.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("DriveText", text);
}

} // namespace

QString DescribeDeviceUrl(const DeviceUrl& url)
{
    QString text;
    if (url.rtu)
        text = QStringLiteral("Modbus RTU %1 %2 %3%4%5")
                   .arg(QString::fromStdString(url.device))
                   .arg(url.baud)
                   .arg(url.dataBits)
                   .arg(QChar::fromLatin1(url.parity))
                   .arg(url.stopBits);
    else
        text = QStringLiteral("Modbus TCP %1:%2").arg(QString::fromStdString(url.host)).arg(url.port);
    text += Tr(QT_TRANSLATE_NOOP("DriveText", " 站号 %1")).arg(url.unit);
    if (url.timeoutMs > 0)
        text += Tr(QT_TRANSLATE_NOOP("DriveText", " 超时 %1 ms")).arg(url.timeoutMs);
    return text;
}

QString DescribeDriveError(const DriveError& error)
{
    return QString::fromStdString(error.text());
}
