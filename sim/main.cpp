// ecam-drive-sim: a simulated servo drive on Modbus TCP or RTU (pty).
// Prints one line when it is ready and stops cleanly on SIGINT or SIGTERM.
#include "sim/drive_simulator.h"
#include "sim/sim_options.h"

#include "ecam_version.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv)
{
    SimOptions options;
    std::string why;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args) {
        if (a == "--version") {
            std::printf("ecam-drive-sim %d.%d.%d\n", ECAM_VERSION_MAJOR, ECAM_VERSION_MINOR, ECAM_VERSION_PATCH);
            return 0;
        }
    }
    if (!ParseSimArgs(args, options, &why)) {
        // Asked-for help is the program's output; a usage error is not.
        const bool help = why == SimUsage();
        std::fprintf(help ? stdout : stderr, "%s%s", why.c_str(), why.back() == '\n' ? "" : "\n");
        return help ? 0 : 2;
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
    std::printf("ecam-drive-sim: ready at %s\n", sim.Url().c_str());
    std::fflush(stdout);
    int sig = 0;
    sigwait(&stopSignals, &sig);
    sim.Stop();
    return 0;
}
