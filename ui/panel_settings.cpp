#include "ui/panel_settings.h"

#include <QSettings>

namespace {

const char* const kVerifyAfterWrite = "drive/verifyAfterWrite";
const char* const kDirectories = "fileDialogs/";

// Named here rather than through the application's names: the plug-in must
// find the host's settings whatever the host called itself.
template <class F>
auto WithSettings(F use)
{
    QSettings settings(QStringLiteral("ecam"), QStringLiteral("ecam-editor"));
    return use(settings);
}

} // namespace

bool VerifyAfterWriteSetting()
{
    return WithSettings([](QSettings& s) { return s.value(QLatin1String(kVerifyAfterWrite), true).toBool(); });
}

void SetVerifyAfterWriteSetting(bool on)
{
    WithSettings([on](QSettings& s) { s.setValue(QLatin1String(kVerifyAfterWrite), on); });
}

QString LastDirectorySetting(const QString& kind)
{
    return WithSettings([&](QSettings& s) { return s.value(QLatin1String(kDirectories) + kind).toString(); });
}

void SetLastDirectorySetting(const QString& kind, const QString& directory)
{
    WithSettings([&](QSettings& s) { s.setValue(QLatin1String(kDirectories) + kind, directory); });
}
