#include "app/host_settings.h"

#include <QSettings>

namespace {

const char* const kGeometry = "host/geometry";
const char* const kDevice = "host/device";

QSettings Settings()
{
    return QSettings(QStringLiteral("ecam"), QStringLiteral("ecam-editor"));
}

} // namespace

QByteArray RememberedWindowGeometry()
{
    return Settings().value(QLatin1String(kGeometry)).toByteArray();
}

void RememberWindowGeometry(const QByteArray& geometry)
{
    Settings().setValue(QLatin1String(kGeometry), geometry);
}

QString RememberedDevice()
{
    return Settings().value(QLatin1String(kDevice)).toString();
}

void RememberDevice(const QString& choice)
{
    Settings().setValue(QLatin1String(kDevice), choice);
}
