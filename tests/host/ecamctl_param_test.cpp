// ecamctl param run as a user runs it, against an in-process simulator and
// an ecam-drive-sim process: what it prints, its exit status, and the
// drive's value seen through the command itself. Transports (TCP, RTU) and
// the value encoding have their own tests in drive_access_test.
#include "run_ecamctl.h"
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

using ecamtest::RunEcamctl;

const std::string kUsage =
    "usage: ecamctl param get|set NUMBER|ADDR:WIDTH [VALUE] --device URL [--catalogue PATH]\n";

ecamtest::ProcessResult Param(std::vector<std::string> args, const std::string& device)
{
    args.insert(args.begin(), "param");
    args.insert(args.end(), {"--device", device});
    return RunEcamctl(args);
}

void ExpectPrints(const ecamtest::ProcessResult& r, const std::string& out)
{
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err, "");
}

} // namespace

TEST(EcamctlParam, GetPrintsTheValueSetChangesIt)
{
    CDriveSimulator sim;
    ASSERT_TRUE(sim.Start());
    const std::string dev = sim.Url() + "&timeout=300";
    ExpectPrints(Param({"get", "H1B-16"}, dev), "3000\n");
    ExpectPrints(Param({"set", "H1B-10", "-25"}, dev), "");
    ExpectPrints(Param({"get", "H1B-10"}, dev), "-25\n");
    ExpectPrints(Param({"set", "0x1E00:32", "-123456"}, dev), "");
    ExpectPrints(Param({"get", "7680:32"}, dev), "-123456\n");
    // A register of a signed parameter prints signed, a bare one unsigned.
    ExpectPrints(Param({"get", "0x1B0A:16"}, dev), "-25\n");
    sim.SetRegister(0x1E05, 0xFFE7);
    ExpectPrints(Param({"get", "0x1E05:16"}, dev), "65511\n");

    // A value the drive refuses (sent by address, which skips the catalogue's
    // own check): status 1, the drive's reason, value kept.
    const auto r = Param({"set", "0x1B0A:16", "5000"}, dev);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ecamctl param: cannot write 0x1B0A:16: drive refused the request (exception 03: illegal data value)\n");
    ExpectPrints(Param({"get", "H1B-10"}, dev), "-25\n");
}

TEST(EcamctlParam, ClearMessagesForBadInputAndAbsentDrive)
{
    CDriveSimulator sim;
    ASSERT_TRUE(sim.Start());
    const std::string dev = sim.Url() + "&timeout=300";
    sim.Stop();
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"param", "get", "H1B-16", "--device", dev}, 1,
         "ecamctl param: cannot read H1B-16: drive not connected (cannot reach the device)\n"},
        {{"param", "get", "H1B-16"}, 2, "ecamctl param: --device URL is required\n" + kUsage},
        {{"param", "get", "H1B-16", "--device", "ftp://x"}, 2,
         "ecamctl param: device URL must start with tcp:// or rtu: (ftp://x)\n" + kUsage},
        {{"param", "set", "H1B-16", "--device", dev}, 2, "ecamctl param: set needs a parameter and a value\n" + kUsage},
        {{"param", "set", "0x1E00:16", "70000", "--device", dev}, 2,
         "ecamctl param: value must be an integer that fits the parameter's width\n" + kUsage},
        {{"param", "get", "0x1E00:24", "--device", dev}, 2,
         "ecamctl param: parameter must be a number text such as H1B-06 or ADDR:WIDTH such as 0x1B00:16\n" + kUsage},
        {{"param", "read", "H1B-16", "--device", dev}, 2, "ecamctl param: expected get or set\n" + kUsage},
        {{"param", "get", "H1B-99", "--device", dev}, 2, "ecamctl param: no parameter H1B-99 in the catalogue\n"},
        {{"param", "get", "H1B-16", "--catalogue", "/nonexistent/c.json", "--device", dev}, 1,
         "ecamctl param: /nonexistent/c.json: cannot open the parameter catalogue\n"},
    };
    for (const auto& [args, status, message] : cases) {
        const auto r = RunEcamctl(args);
        EXPECT_EQ(r.exitCode, status) << message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, message);
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
    // The ready line, waited for at most 10 s.
    pollfd ready{pipeFd[0], POLLIN, 0};
    ASSERT_EQ(poll(&ready, 1, 10000), 1);
    FILE* out = fdopen(pipeFd[0], "r");
    char line[256] = {};
    ASSERT_NE(fgets(line, sizeof line, out), nullptr);
    const std::string text = line;
    const std::string prefix = "ecam-drive-sim: ready at ";
    ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
    const std::string url = text.substr(prefix.size(), text.size() - prefix.size() - 1);
    ExpectPrints(Param({"set", "H1B-07", "0"}, url), "");
    ExpectPrints(Param({"get", "H1B-07"}, url), "0\n");
    kill(pid, SIGTERM);
    int st = 0;
    ASSERT_EQ(waitpid(pid, &st, 0), pid);
    EXPECT_TRUE(WIFEXITED(st));
    EXPECT_EQ(WEXITSTATUS(st), 0);
    fclose(out);
}
