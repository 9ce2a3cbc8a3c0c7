// What ecam-host remembers between runs, kept with QSettings under the
// editor's name (the panel's own settings, ui/panel_settings.h, live in the
// same place): the main window's geometry and the drive last connected
// ("sim" or a device URL). GUI thread only.
#pragma once

#include <QByteArray>
#include <QString>

QByteArray RememberedWindowGeometry();
void RememberWindowGeometry(const QByteArray& geometry);

// Empty when no drive was ever chosen.
QString RememberedDevice();
void RememberDevice(const QString& choice);
