// ecamctl param run as a user runs it, against ecam-drive-sim processes
// (TCP) and an in-process simulator (RTU).
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <tuple>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CtlRun {
    int status = -1;
    std::string out;
};

CtlRun Ctl(const std::string& args)
{
    CtlRun r;
    FILE* p = popen((std::string(ECAMCTL_PATH) + " param " + args + " 2>&1").c_str(), "r");
    std::array<char, 256> buf;
    while (p && fgets(buf.data(), buf.size(), p))
        r.out += buf.data();
    const int st = p ? pclose(p) : -1;
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

} // namespace

TEST(EcamctlParam, GetAndSetOverTcpAndRtu)
{
    for (bool rtu : {false, true}) {
        SimOptions o;
        o.rtu = rtu;
        CDriveSimulator sim(o);
        ASSERT_TRUE(sim.Start());
        const std::string dev = " --device '" + sim.Url() + "&timeout=300'";
        CtlRun r = Ctl("get H1B-16" + dev);
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.out, "3000\n");
        r = Ctl("set H1B-10 -25" + dev);
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(sim.Register(0x1B0A), 0xFFE7);
        EXPECT_EQ(Ctl("get H1B-10" + dev).out, "-25\n");
        EXPECT_EQ(Ctl("set 0x1E00:32 -123456" + dev).status, 0);
        EXPECT_EQ(sim.Register32(0x1E00), uint32_t(-123456));
        EXPECT_EQ(Ctl("get 7680:32" + dev).out, "-123456\n");
        // The register of a signed parameter reads signed, a bare one unsigned.
        EXPECT_EQ(Ctl("get 0x1B0A:16" + dev).out, "-25\n");
        sim.SetRegister(0x1E05, 0xFFE7);
        EXPECT_EQ(Ctl("get 0x1E05:16" + dev).out, "65511\n");

        r = Ctl("set H1B-10 5000" + dev);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find("cannot write H1B-10: drive refused the request (exception 03"), std::string::npos)
            << r.out;
        EXPECT_EQ(sim.Register(0x1B0A), 0xFFE7);
    }
}

TEST(EcamctlParam, ClearMessagesForBadInputAndAbsentDrive)
{
    CDriveSimulator sim;
    ASSERT_TRUE(sim.Start());
    const std::string url = sim.Url() + "&timeout=300";
    sim.Stop();
    CtlRun r = Ctl("get H1B-16 --device '" + url + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("drive not connected"), std::string::npos) << r.out;

    const std::string dev = " --device '" + url + "'";
    const std::tuple<std::string, int, const char*> cases[] = {
        {"get H1B-16", 2, ""},                              // no device
        {"get H1B-16 --device ftp://x", 2, ""},             // bad URL
        {"set H1B-16" + dev, 2, ""},                        // no value
        {"set 0x1E00:16 70000" + dev, 2, ""},               // does not fit
        {"get 0x1E00:24" + dev, 2, ""},                     // bad width
        {"get H1B-99" + dev, 2, "no parameter H1B-99"},
        {"get H1B-16 --catalogue /nonexistent/c.json" + dev, 1, "/nonexistent/c.json"},
    };
    for (const auto& [args, status, text] : cases) {
        r = Ctl(args);
        EXPECT_EQ(r.status, status) << args;
        EXPECT_NE(r.out.find(text), std::string::npos) << r.out;
    }
}

TEST(EcamDriveSim, ProgramPrintsReadyServesAndStopsOnSigterm)
{
    int pipeFd[2];
    ASSERT_EQ(pipe(pipeFd), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(pipeFd[1], 1);
        close(pipeFd[0]);
        execl(SIM_PATH, SIM_PATH, "--tcp", "127.0.0.1:0", "--delay", "1", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFd[1]);
    FILE* out = fdopen(pipeFd[0], "r");
    char line[256] = {};
    ASSERT_NE(fgets(line, sizeof line, out), nullptr);  // blocks until the ready line
    const std::string ready = line;
    const std::string prefix = "ecam-drive-sim: ready at ";
    ASSERT_EQ(ready.rfind(prefix, 0), 0u) << ready;
    const std::string url = ready.substr(prefix.size(), ready.size() - prefix.size() - 1);
    EXPECT_EQ(Ctl("set H1B-07 0 --device '" + url + "'").status, 0);
    EXPECT_EQ(Ctl("get H1B-07 --device '" + url + "'").out, "0\n");
    kill(pid, SIGTERM);
    int st = 0;
    ASSERT_EQ(waitpid(pid, &st, 0), pid);
    EXPECT_TRUE(WIFEXITED(st));
    EXPECT_EQ(WEXITSTATUS(st), 0);
    fclose(out);
}
