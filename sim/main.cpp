// ecam-drive-sim: a simulated servo drive on Modbus TCP or RTU (pty).
// Prints one line when it is ready and stops cleanly on SIGINT or SIGTERM.
// It speaks the user's language as ecam-host and ecamctl do: Chinese under
// zh_* and the C locale, English otherwise, or what --lang names.
#include "sim/drive_simulator.h"
#include "sim/sim_options.h"
#include "sim/sim_texts.h"
#include "ui/lang/ui_language.h"

#include "ecam_version.h"

#include <QCoreApplication>
#include <QLocale>

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    // --lang is the program's, not the simulator's: taken out first, so
    // every later word is in the language it names.
    std::string lang;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--lang" && ParseUiLanguage(QString::fromStdString(args[i + 1]))) {
            lang = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    }
    QCoreApplication app(argc, argv);
    InstallUiTranslators(app, ChooseUiLanguage(QLocale::system().name(), QString::fromStdString(lang)));

    SimOptions options;
    std::string why;
    for (const std::string& a : args) {
        if (a == "--version") {
            std::printf("ecam-drive-sim %d.%d.%d\n", ECAM_VERSION_MAJOR, ECAM_VERSION_MINOR, ECAM_VERSION_PATCH);
            return 0;
        }
    }
    if (!ParseSimArgs(args, options, &why)) {
        // Asked-for help is the program's output; a usage error is not.
        if (why == SimUsage()) {
            std::fputs(why.c_str(), stdout);
            return 0;
        }
        std::fprintf(stderr, "ecam-drive-sim: %s\n%s", why.c_str(), SimUsage().c_str());
        return 2;
    }
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
