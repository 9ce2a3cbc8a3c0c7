// ecam-host: starts the cam editor panel in a main window, on the drive
// given with --device, else on the drive connected last time, else on a
// simulated drive started in this process.
#include "app/host_drive.h"
#include "app/host_options.h"
#include "app/host_window.h"
#include "ecam_version.h"
#include "host/command_line.h"
#include "host/logic_manage.h"
#include "ui/lang/ui_language.h"

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    HostOptions options;
    QString why;
    // The three programs' conventions (host/command_line.h).
    if (!ParseHostOptions(args, options, &why)) {
        // Said in the user's language: its translators first, then the words again.
        QCoreApplication core(argc, argv);
        InstallUiTranslators(core, ChooseUiLanguage(QLocale::system().name(), options.lang));
        ParseHostOptions(args, options, &why);
        return UsageError("ecam-host", why, HostUsage());
    }
    if (options.help) {
        std::fputs(qPrintable(HostUsage()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("ecam-host %d.%d.%d\n", ECAM_VERSION_MAJOR, ECAM_VERSION_MINOR, ECAM_VERSION_PATCH);
        return 0;
    }
    // A picture needs no screen: draw off-screen when there is none.
    if (!options.screenshot.isEmpty() && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The desktop entry names the icon and groups the windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ecameditor.ECamEditor"));
    const UiTranslatorsLoaded loaded =
        InstallUiTranslators(app, ChooseUiLanguage(QLocale::system().name(), options.lang));
    if (!loaded.panel)
        std::fprintf(stderr, "ecam-host: no translation %s, the windows stay Chinese\n", qPrintable(loaded.panelFile));
    // Message boxes without a caption of their own are titled with this.
    QGuiApplication::setApplicationDisplayName(CHostWindow::DisplayName());

    CHostDrive drive(CSingleton<CLogicManage>::Instance()->GetDeviceManage());
    why.clear();
    if (!SelectStartupDrive(drive, options.device, &why)) {
        const QString bad = QCoreApplication::translate("HostOptions", "--device %1 无效: %2").arg(options.device, why);
        std::fprintf(stderr, "ecam-host: %s\n", qPrintable(bad));
        return 2;
    }
    if (!why.isEmpty())
        std::fprintf(stderr, "ecam-host: %s\n", qPrintable(why));

    int rc = 0;
    {
        CHostWindow window(drive);
        if (!options.screenshot.isEmpty()) {
            window.SetRememberGeometry(false);
            window.show();
            window.SetPanelSize(options.size);
            if (!window.SavePanelPicture(options.screenshot)) {
                std::fprintf(stderr, "ecam-host: cannot write %s\n", qPrintable(options.screenshot));
                rc = 1;
            }
            window.close();
        } else {
            window.show();
            rc = app.exec();
        }
    }
    return rc;
}
