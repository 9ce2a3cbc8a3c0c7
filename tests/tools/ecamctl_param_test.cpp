// ecamctl param run as a user runs it, against an in-process simulator and
// an ecam-drive-sim process: what it prints, its exit status, and the
// drive's value seen through the command itself. Transports (TCP, RTU) and
// the value encoding have their own tests in drive_access_test; what is
// refused, and in which words, ecamctl_messages_test.
#include "ecamctl_sim_fixture.h"

#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

using ecamtest::RunEcamctl;

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
    const auto sim = ecamtest::StartSim();
    const std::string dev = sim->Url() + "&timeout=300";
    ExpectPrints(Param({"get", "H1B-16"}, dev), "3000\n");
    ExpectPrints(Param({"set", "H1B-10", "-25"}, dev), "");
    ExpectPrints(Param({"get", "H1B-10"}, dev), "-25\n");
    ExpectPrints(Param({"set", "0x1E00:32", "-123456"}, dev), "");
    ExpectPrints(Param({"get", "7680:32"}, dev), "-123456\n");
    // A register of a signed parameter prints signed, a bare one unsigned.
    ExpectPrints(Param({"get", "0x1B0A:16"}, dev), "-25\n");
    sim->SetRegister(0x1E05, 0xFFE7);
    ExpectPrints(Param({"get", "0x1E05:16"}, dev), "65511\n");

    // A value the drive refuses (sent by address, which skips the catalogue's
    // own check): status 1, the drive's reason, value kept.
    EcamctlTest::ExpectRefusal({"param", "set", "0x1B0A:16", "5000", "--device", dev}, 1,
                               "ecamctl param: cannot write 0x1B0A:16: drive refused the request (exception 03: illegal data value)\n");
    ExpectPrints(Param({"get", "H1B-10"}, dev), "-25\n");
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

TEST(EcamDriveSim, RefusesInTheLanguageOfTheLocaleOrOfLang)
{
    const struct {
        const char* locale;
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {"C.UTF-8", {"--unit", "0"}, "ecam-drive-sim: --unit 需要 1..247 内的数\nusage: ecam-drive-sim [--lang en|zh_CN]"},
        {"zh_CN.UTF-8", {"--what"}, "ecam-drive-sim: 未知选项 --what\nusage: ecam-drive-sim [--lang en|zh_CN]"},
        {"en_US.UTF-8", {"--unit", "0"}, "ecam-drive-sim: --unit needs a number 1..247\nusage: ecam-drive-sim [--lang en|zh_CN]"},
        {"C.UTF-8", {"--lang", "en", "--what"}, "ecam-drive-sim: unknown option --what\nusage: ecam-drive-sim [--lang en|zh_CN]"},
        {"de_DE.UTF-8", {"--tcp", "1.2.3.4.5:9"}, "ecam-drive-sim: bad bind address 1.2.3.4.5\n"},
    };
    for (const auto& c : cases) {
        setenv("LC_ALL", c.locale, 1);
        const auto r = ecamtest::RunProgram(SIM_PATH, c.args);
        unsetenv("LC_ALL");
        EXPECT_EQ(r.exitCode, c.said.back() == '\n' ? 1 : 2) << c.said;
        EXPECT_EQ(r.err.substr(0, c.said.size()), c.said);
        // All of it in one language, the usage's fault kinds too.
        const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{9fff}]"));
        EXPECT_EQ(QString::fromStdString(r.err).contains(han), QString::fromStdString(c.said).contains(han)) << r.err;
    }
}

using EcamctlParamValue = EcamctlOnSim;

TEST_F(EcamctlParamValue, GoodValuesAreTakenAnOptionAlsoByItsText)
{
    auto r = RunEcamctl({"param", "set", "H1B-11", "10000", "--device", Device()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sim->Register(0x1B0B), 10000);
    r = RunEcamctl({"params", "--device", Device(), "write", "H1B-10=-3600", "H1B-06=2-" + std::string("通讯启动")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sim->Register(0x1B0A), 0xF1F0);
    EXPECT_EQ(sim->Register(0x1B06), 2);
}
