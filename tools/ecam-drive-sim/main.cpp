// ecam-drive-sim: a simulated servo drive on Modbus TCP or RTU (pty).
// Prints one line when it is ready and stops cleanly on SIGINT or SIGTERM.
// Its command line follows the three programs' layer (host/command_line.h);
// it speaks the user's language as ecam-host and ecamctl do: Chinese under
// zh_* and the C locale, English otherwise, or what --lang names.
#include "sim/drive_simulator.h"
#include "sim/sim_options.h"
#include "sim/sim_texts.h"
#include "ui/lang/ui_language.h"

#include <QCoreApplication>
#include <QLocale>

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CCommandLine line(SimCommandLineOptions());
    const bool parsed = line.Parse(arguments);
    QCoreApplication app(argc, argv);
    InstallUiTranslators(app, ChooseUiLanguage(QLocale::system().name(), line.Lang()));
    const QString usage = QString::fromStdString(SimUsage());
    if (!parsed)
        return UsageError("ecam-drive-sim", line.Error(), usage);
    if (const int status = HelpOrVersion(line, "ecam-drive-sim", usage); status >= 0)
        return status;
    if (!line.Lang().isEmpty() && !ParseUiLanguage(line.Lang()))
        return UsageError("ecam-drive-sim", DriveSim::tr("--lang 取 en 或 zh_CN, 不是 %1").arg(line.Lang()), usage);
    SimOptions options;
    std::string why;
    if (!ParseSimCommandLine(line, options, &why))
        return UsageError("ecam-drive-sim", QString::fromStdString(why), usage);
    // Block the stop signals before the server thread starts, so only the
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    CDriveSimulator sim(options);
    if (!sim.Start(&why)) {
        std::fprintf(stderr, "ecam-drive-sim: %s\n", why.c_str());
        return 1;
    }
    // Scripts wait for this line and take the URL after "ready at": it
    // stays as it is in every language.
    std::printf("ecam-drive-sim: ready at %s\n", sim.Url().c_str());
    std::fflush(stdout);
    int sig = 0;
    sigwait(&stopSignals, &sig);
    sim.Stop();
    return 0;
}
