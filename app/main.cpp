// ecam-host: starts the cam editor panel in a main window, on the drive
// given with --device or on a simulated drive started in this process.
#include "app/host_options.h"
#include "app/host_window.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "sim/drive_simulator.h"
#include "ui/ui_language.h"

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    HostOptions options;
    QString why;
    if (!ParseHostOptions(args, options, &why)) {
        std::fprintf(stderr, "ecam-host: %s\n%s", qPrintable(why), qPrintable(HostUsage()));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(HostUsage()), stdout);
        return 0;
    }
    // A picture needs no screen: draw off-screen when there is none.
    if (!options.screenshot.isEmpty() && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const UiTranslatorsLoaded loaded =
        InstallUiTranslators(app, ChooseUiLanguage(QLocale::system().name(), options.lang));
    if (!loaded.panel)
        std::fprintf(stderr, "ecam-host: no translation %s, the windows stay Chinese\n", qPrintable(loaded.panelFile));

    IDeviceManage* devices = CSingleton<CLogicManage>::Instance()->GetDeviceManage();
    std::unique_ptr<CDriveSimulator> simulator;
    QString deviceText;
    if (!options.device.isEmpty()) {
        std::string error;
        if (!devices->SelectDevice(options.device.toStdString(), &error)) {
            std::fprintf(stderr, "ecam-host: bad --device %s: %s\n", qPrintable(options.device), error.c_str());
            return 2;
        }
        deviceText = options.device;
    } else {
        simulator = std::make_unique<CDriveSimulator>();
        std::string error;
        if (simulator->Start(&error)) {
            devices->SelectDevice(simulator->Url());
            deviceText = QString::fromStdString(simulator->Url()) + QString::fromUtf8(" (内置模拟驱动器)");
        } else {
            std::fprintf(stderr, "ecam-host: the built-in simulated drive did not start: %s\n", error.c_str());
            devices->SelectNone();
            deviceText = QString::fromUtf8("无");
        }
    }

    int rc = 0;
    {
        CHostWindow window(deviceText);
        if (!options.screenshot.isEmpty()) {
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
    if (simulator)
        simulator->Stop();
    return rc;
}
