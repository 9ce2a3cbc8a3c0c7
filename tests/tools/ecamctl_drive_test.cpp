// ecamctl write / verify / read-special / params / param run as a user runs
// them, against a simulated drive started here or an ecam-drive-sim process:
// exit status 0 only on full success (3 for a difference found by
// verifying), the messages and the lines printed for each difference, the
// read-back file written and the drive's values. What each refusal says, an
// absent drive's too: ecamctl_messages_test.
// Register layouts, which fields are compared and the checks behind the
// messages have their own library tests; the slow drive of the field report
// (late answers, a refusal) is replayed here over RTU and TCP with the
// product's pacing.
#include "ecamctl_fixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using ecamtest::ExpectRegs;
using ecamtest::RunEcamctl;
using ecamtest::SetRegs;

using EcamctlDrive = EcamctlOnSim;

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

TEST_F(EcamctlDrive, StandardAndSpecialWritesVerifyReadBackAndListEveryChangedRegister)
{
    const std::string file = Save("cam.ecam");
    auto r = RunEcamctl({"write", file, "--device", Device(), "--verify"});
    ExpectWriteSuccess(r, "4", "凸轮点校验成功! 4 点\n");
    EXPECT_NE(r.err.find("standard " + kBar + " 4/4\n"), std::string::npos) << r.err;   // the bar ran to the end
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 4/4\n");

    const auto requests = sim->RequestCount();
    r = RunEcamctl({"verify", file, "--device", Device()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "凸轮点校验成功! 4 点\n");
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 4/4\n");
    // Nothing written: the scaling and count, the table and the closing probe.
    EXPECT_EQ(sim->RequestCount() - requests, 3u);

    // Master pulses (written 10000), point 2 master (600 x 1000), point 3 speed and segment (0, Poly).
    SetRegs(*sim, {{0x1B01, 20000, 32}, {0x1E0C, 0, 32}, {0x1E16, 0xFFFF}, {0x1E17, 0xFFFF}});
    r = RunEcamctl({"verify", file, "--device", Device()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 4/4\n"
                                   "ecamctl verify: 凸轮点校验失败! 共4处不一致\n"
                                   "主轴脉冲数: 写入 10000, 读回 20000\n"
                                   "第2点 主轴位置: 写入 600000, 读回 0\n"
                                   "第3点 标幺速度: 写入 0, 读回 -1\n"
                                   "第3点 类型: 写入 0, 读回 65535\n");
    EXPECT_EQ(sim->Register32(0x1E0C), 0u);   // verifying writes nothing back

    // The special table. (The standard table is then compared with the
    // count the special write left: the English run of the messages test.)
    r = RunEcamctl({"write", file, "--special", "3", "--verify", "--device", Device()});
    ExpectWriteSuccess(r, "3", "凸轮点校验成功! 3 点\n");
    EXPECT_NE(r.err.find("special " + kBar + " 3/3\n"), std::string::npos) << r.err;
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 3/3\n");

    // End to end: K = 4 > V = 3, so the origin, key point 1 (floor(1 x 4/3))
    // and the last come back, masters x100, slaves as written.
    const std::string csv = Path("back.csv");
    r = RunEcamctl({"read-special", "--device", Device(), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "凸轮点读取成功! 3 点 -> " + csv + "\n");
    EXPECT_EQ(ecamtest::ReadFileBytes(csv), "0 , 0\r\n25000 , -12\r\n100000 , 0\r\n");

    sim->SetRegister32(0x4006, 5);   // point 1 slave
    r = RunEcamctl({"verify", file, "--special", "3", "--device", Device()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 3/3\n"
                                   "ecamctl verify: 凸轮点校验失败! 共1处不一致\n"
                                   "第1点 从轴位置: 写入 -12, 读回 5\n");

    // The special write sends no scaling, so it does not check it.
    profile.masterUnits = L"30001";
    ExpectWriteSuccess(RunEcamctl({"write", Save("bad.ecam"), "--special", "3", "--device", Device()}), "3");

    // A count the special table cannot hold is refused before any point is read.
    fs::remove(csv);
    sim->SetRegister(0x1B08, 1501);
    r = RunEcamctl({"read-special", "--device", Device(), csv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl read-special: 读取数据失败! 凸轮点数 1501 超过 1500\n");
    EXPECT_FALSE(fs::exists(csv));
}

TEST_F(EcamctlDrive, ParamsAreSentInRowOrderTakeTheirBoundsAndOptionTextsAndReadBackByLabel)
{
    // Typed out of order; each row is printed right after its write, so the
    // printed order is the order sent: the settings dialog's row order. An
    // option is given by its number or its text and shown by its label.
    auto r = RunEcamctl({"params", "--device", Device(), "write", "H1B-11=10000", "H1B-10=-3600", "H1B-07=0-单次运行",
                         "H1B-06=2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "H1B-06  凸轮启动方式             2-通讯启动       默认 1      单位        范围 0..2\n"
                     "H1B-07  凸轮运行模式             0-单次运行       默认 1      单位        范围 0..1\n"
                     "H1B-10  凸轮相位偏移             -3600            默认 0      单位 0.1°   范围 -3600..3600\n"
                     "H1B-11  凸轮切入加速时间         10000            默认 100    单位 ms     范围 0..10000\n"
                     "写入成功!\n");
    ExpectRegs(*sim, {{0x1B06, 2}, {0x1B07, 0}, {0x1B0A, 0xF1F0}, {0x1B0B, 10000}});

    r = RunEcamctl({"params", "--device", Device(), "read"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("0-单次运行"), std::string::npos) << r.out;   // an option shown by its label
    EXPECT_TRUE(r.out.ends_with("\n读取成功!\n")) << r.out;
}

TEST_F(EcamctlDrive, ParamGetPrintsTheValueSetChangesIt)
{
    const std::string dev = Device();
    ExpectPrints(Param({"get", "H1B-16"}, dev), "3000\n");
    ExpectPrints(Param({"set", "H1B-11", "10000"}, dev), "");
    ExpectPrints(Param({"set", "H1B-10", "-25"}, dev), "");
    ExpectPrints(Param({"get", "H1B-10"}, dev), "-25\n");
    ExpectPrints(Param({"set", "0x1E00:32", "-123456"}, dev), "");
    ExpectPrints(Param({"get", "7680:32"}, dev), "-123456\n");
    // A register of a signed parameter prints signed, a bare one unsigned.
    ExpectPrints(Param({"get", "0x1B0A:16"}, dev), "-25\n");
    sim->SetRegister(0x1E05, 0xFFE7);
    ExpectPrints(Param({"get", "0x1E05:16"}, dev), "65511\n");
    EXPECT_EQ(sim->Register(0x1B0B), 10000);

    // A value the drive refuses (sent by address, which skips the catalogue's
    // own check): status 1, the drive's reason, value kept.
    ExpectRefusal({"param", "set", "0x1B0A:16", "5000", "--device", dev}, 1,
                  "ecamctl param: cannot write 0x1B0A:16: The drive refused the request (exception 03: illegal data value)\n");
    ExpectPrints(Param({"get", "H1B-10"}, dev), "-25\n");
}

TEST(EcamDriveSim, ProgramPrintsReadyServesAndStopsOnSigterm)
{
    QProcess program;
    program.start(QStringLiteral(SIM_PATH), {"--tcp", "127.0.0.1:0", "--delay", "1"});
    ASSERT_TRUE(program.waitForReadyRead(10000)) << program.errorString().toStdString();
    const std::string text = program.readLine().toStdString();
    const std::string prefix = "ecam-drive-sim: ready at ";
    ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
    const std::string url = text.substr(prefix.size(), text.size() - prefix.size() - 1);
    ExpectPrints(Param({"set", "H1B-07", "0"}, url), "");
    ExpectPrints(Param({"get", "H1B-07"}, url), "0\n");
    program.terminate();   // SIGTERM
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
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

namespace {

// The slow drive of the field report, whose late answer once shifted every
// later field by one: every answer 60 ms after the request and, where a test
// scripts it, one held back until the client asked again (the script, not a
// clock, makes it late; the timeout is a backstop).
class EcamctlSlowDrive : public EcamctlOnSim, public ::testing::WithParamInterface<ecamtest::Link> {
protected:
    EcamctlSlowDrive() : EcamctlOnSim(Options()) {}
    static SimOptions Options()
    {
        SimOptions o = ecamtest::OnLink(GetParam());
        o.faults.delayMs = 60;
        return o;
    }
    static constexpr SimScriptedFault kLate{SimScriptedFault::Held, 0};
};

} // namespace

TEST_P(EcamctlSlowDrive, SpecialWriteWithALateAnswerAndARefusalPutsEveryValueInTheDrive)
{
    profile.masterLength = L"50";
    profile.points = {{0, 0, 0, 1}, {10, -2000, 0, 1}, {20, -2001, 0, 1}, {30, -2002, 0, 1}, {40, -2003, 0, 0},
                      {50, -2004, 0, 1}};
    const std::string file = Save("cam.ecam");
    // Special point k sits at 0x4000 + 4k, master then slave; all seven first marked unwritten.
    constexpr int64_t kUnwritten = 0x55555555;
    std::vector<ecamtest::Reg> unwritten;
    for (uint16_t at = 0x4000; at < 0x4000 + 4 * 7; at += 2)
        unwritten.push_back({at, kUnwritten, 32});
    SetRegs(*sim, unwritten);
    // Request 1 writes the count 0; 4 (point 1's master) comes late and is
    // retried as 5; 9 (point 3's master) is refused once.
    sim->ScriptFault(4, kLate);
    sim->ScriptFault(9, {SimScriptedFault::Exception, 4});
    const auto r = RunEcamctl({"write", file, "--special", "1500", "--device", Device(1000)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "烧写凸轮点成功! 6 点, 重试 2 次\n");
    // The table: 0, 0 first, then masters x 100; nothing beyond it.
    ExpectRegs(*sim, {{0x1B08, 6}, {0x4000, 0, 32}, {0x4002, 0, 32}, {0x4004, 1000, 32}, {0x4006, -2000, 32},
                      {0x4008, 2000, 32}, {0x400A, -2001, 32}, {0x400C, 3000, 32}, {0x400E, -2002, 32},
                      {0x4010, 4000, 32}, {0x4012, -2003, 32}, {0x4014, 5000, 32}, {0x4016, -2004, 32},
                      {0x4018, kUnwritten, 32}});
    EXPECT_EQ(sim->RequestCount(), 1u + 2 * 6 + 1 + 2);        // count 0, table, count; two fields asked again
}

INSTANTIATE_TEST_SUITE_P(Links, EcamctlSlowDrive, ::testing::Values(ecamtest::Link::Tcp, ecamtest::Link::Rtu),
                         ecamtest::LinkName);
