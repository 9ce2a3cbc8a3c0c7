// ecamctl write / read-special / params run as a user runs them, against a
// simulated drive started here: exit status 0 only on full success, the
// messages printed, and the read-back file written. Register layouts and
// the checks behind the messages have their own library tests; the slow
// drive of the field report (late answers, a refusal) is replayed here over
// RTU and TCP with the product's pacing.
#include "ecamctl_sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

namespace fs = std::filesystem;
using ecamtest::RunEcamctl;

using EcamctlDrive = EcamctlOnSim;

// "烧写凸轮点成功! N points, R retries": R depends on the machine's load.
void ExpectWriteSuccess(const ecamtest::ProcessResult& r, const std::string& points)
{
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string head = "烧写凸轮点成功! " + points + " points, ", tail = " retries\n";
    const bool framed = r.out.size() > head.size() + tail.size() && r.out.rfind(head, 0) == 0
                        && r.out.compare(r.out.size() - tail.size(), tail.size(), tail) == 0;
    const std::string retries = framed ? r.out.substr(head.size(), r.out.size() - head.size() - tail.size()) : "";
    EXPECT_TRUE(framed && retries.find_first_not_of("0123456789") == std::string::npos) << r.out;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

const std::string kBar = "[########################################]";

} // namespace

TEST_F(EcamctlDrive, WriteThenReadBackTheSpecialTable)
{
    const std::string file = Save("cam.ecam");
    auto r = RunEcamctl({"write", file, "--device", Device()});
    ExpectWriteSuccess(r, "4");
    EXPECT_EQ(r.err.substr(r.err.rfind('\r') + 1), "standard " + kBar + " 4/4\n");   // the bar ran to the end

    r = RunEcamctl({"write", file, "--special", "3", "--device", Device()});
    ExpectWriteSuccess(r, "3");
    EXPECT_EQ(r.err.substr(r.err.rfind('\r') + 1), "special " + kBar + " 3/3\n");

    // End to end: K = 4 > V = 3, so the origin, key point 1 (floor(1 x 4/3))
    // and the last come back, masters x100, slaves as written.
    const std::string csv = (dir / "back.csv").string();
    r = RunEcamctl({"read-special", "--device", Device(), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "凸轮点读取成功! 3 points -> " + csv + "\n");
    std::ifstream in(csv, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "0 , 0\r\n25000 , -12\r\n100000 , 0\r\n");
}

TEST_F(EcamctlDrive, ScalingProblemsNameTheProfileFieldAndTouchNoDrive)
{
    using Field = std::wstring ecam::ECamProfile::*;
    const std::tuple<Field, std::wstring, std::string> cases[] = {
        {&ecam::ECamProfile::slavePulse, L"", "请输入单位转换的换算比! (slave pulses: the number before \"/\" on the 从轴单位转换率 line)"},
        {&ecam::ECamProfile::slaveUnits, L"abc", "数据输入有误! (slave units: the number after \"/\" on the 从轴单位转换率 line)"},
        {&ecam::ECamProfile::slavePulse, L"1073741825",
         "从轴脉冲数超出范围(1~0x40000000) (slave pulses: the number before \"/\" on the 从轴单位转换率 line)"},
        {&ecam::ECamProfile::slaveUnits, L"-5",
         "从轴脉冲数对应的单位量超出范围(1~30000) (slave units: the number after \"/\" on the 从轴单位转换率 line)"},
        {&ecam::ECamProfile::masterPulse, L"0", "数据输入有误! (master pulses: the number before \"/\" on the 主轴单位转换率 line)"},
        {&ecam::ECamProfile::masterPulse, L"-1",
         "主轴脉冲数超出范围(1~0x40000000) (master pulses: the number before \"/\" on the 主轴单位转换率 line)"},
        {&ecam::ECamProfile::masterUnits, L"30001",
         "主轴脉冲数对应的单位量超出范围(1~30000) (master units: the number after \"/\" on the 主轴单位转换率 line)"},
    };
    const auto before = sim.RequestCount();
    for (const auto& [field, text, message] : cases) {
        const ecam::ECamProfile good = profile;
        profile.*field = text;
        const auto r = RunEcamctl({"write", Save("bad.ecam"), "--device", Device()});
        profile = good;
        EXPECT_EQ(r.exitCode, 2) << message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "ecamctl write: " + message + "\n");
    }
    EXPECT_EQ(sim.RequestCount(), before);

    // The special write sends no scaling, so it does not check it.
    profile.masterUnits = L"30001";
    ExpectWriteSuccess(RunEcamctl({"write", Save("bad.ecam"), "--special", "3", "--device", Device()}), "3");
}

TEST_F(EcamctlDrive, UsageErrorsAndAnAbsentDrive)
{
    const std::string file = Save("cam.ecam");
    const std::string usage = "ecamctl write: usage: ecamctl write FILE.ecam --device URL [--special V] [--verify]\n";
    const std::tuple<std::vector<std::string>, int, std::string> refused[] = {
        {{"write", file}, 2, usage},
        {{"write", "--device", Device()}, 2, usage},
        {{"write", file, "--special", "2", "--device", Device()}, 2, "ecamctl write: 输入有效点数有误!请输入3~1500内的整数!\n"},
        {{"write", file, "--special", "1501", "--device", Device()}, 2, "ecamctl write: 输入有效点数有误!请输入3~1500内的整数!\n"},
        {{"write", file, "--special", "3.0", "--device", Device()}, 2, "ecamctl write: 输入有效点数有误!请输入3~1500内的整数!\n"},
        {{"read-special", "--device", Device()}, 2, "ecamctl read-special: usage: ecamctl read-special --device URL OUT.csv\n"},
    };
    for (const auto& [args, status, message] : refused) {
        const auto r = RunEcamctl(args);
        EXPECT_EQ(r.exitCode, status) << message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, message);
    }

    // A count the special table cannot hold is refused before any point is read.
    const std::string csv = (dir / "back.csv").string();
    sim.SetRegister(0x1B08, 1501);
    auto r = RunEcamctl({"read-special", "--device", Device(), csv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl read-special: 读取数据失败! point count 1501 exceeds 1500\n");
    EXPECT_FALSE(fs::exists(csv));

    const std::string url = Device();
    sim.Stop();
    r = RunEcamctl({"write", file, "--device", url});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl write: 串口未连接! (" + url + ")\n");
    r = RunEcamctl({"read-special", "--device", url, csv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl read-special: 串口未连接! (" + url + ")\n");
    EXPECT_FALSE(fs::exists(csv));
}

TEST_F(EcamctlDrive, ParamsAreCheckedAsTheDialogChecksThemBeforeAnyIsSent)
{
    auto r = RunEcamctl({"params", "--device", Device(), "write", "H1B-11=250", "H1B-06=2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(EndsWith(r.out, "\n写入成功!\n")) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);   // a row per parameter, then the verdict
    // End to end: the values are in the drive.
    EXPECT_EQ(sim.Register(0x1B0B), 250);
    EXPECT_EQ(sim.Register(0x1B06), 2);

    const auto requests = sim.RequestCount();
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"write", "H1B-10=-5", "H1B-11=12.5"}, "ecamctl params: H1B-11=12.5: 请输入整形数据!\n"},
        {{"write", "H1B-13=1"}, "ecamctl params: 'H1B-13' is not one of the cam parameters\n"},
        {{"write", "H1B-11"}, "ecamctl params: expected NUMBER=VALUE, got 'H1B-11'\n"},
    };
    for (const auto& [args, message] : refused) {
        std::vector<std::string> all = {"params", "--device", Device()};
        all.insert(all.end(), args.begin(), args.end());
        r = RunEcamctl(all);
        EXPECT_EQ(r.exitCode, 2) << message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, message);
    }
    r = RunEcamctl({"params", "--device", Device(), "write", "H1B-06=7"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("ecamctl params: H1B-06=7: not one of the options: 0-", 0), 0u) << r.err;
    EXPECT_EQ(sim.RequestCount(), requests);   // nothing sent when a value is bad

    sim.SetRegister(0x1B07, 0);
    r = RunEcamctl({"params", "--device", Device(), "read"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("0-单次运行"), std::string::npos) << r.out;   // an option shown by its label
    EXPECT_TRUE(EndsWith(r.out, "\n读取成功!\n")) << r.out;
}

namespace {

// The slow drive of the field report: every answer 60 ms after the request,
// a 200 ms response timeout, and where a test scripts it one answer 50 ms
// after that timeout. Parameter: RTU (true) or TCP.
class EcamctlSlowDrive : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        SimOptions o;
        o.rtu = GetParam();
        o.faults.delayMs = 60;
        sim = std::make_unique<CDriveSimulator>(o);
        std::string error;
        ASSERT_TRUE(sim->Start(&error)) << error;
        dir = fs::temp_directory_path() /
              ("ecamctl_slow_" + std::to_string(::getpid()) + (GetParam() ? "_rtu" : "_tcp"));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Device() const { return sim->Url() + "&timeout=200"; }
    // Special point k (k < 25) sits at 0x4000 + 4k, master then slave.
    static uint16_t PointAddress(int k) { return static_cast<uint16_t>(0x4000 + 4 * k); }
    static constexpr SimScriptedFault kLate{SimScriptedFault::Late, 250};

    std::unique_ptr<CDriveSimulator> sim;
    fs::path dir;
};

} // namespace

TEST_P(EcamctlSlowDrive, ReadSpecialWithALateAnswerSavesExactlyTheDrivesPoints)
{
    constexpr int kPoints = 5;
    sim->SetRegister(0x1B08, kPoints);
    for (int k = 0; k < kPoints; ++k) {
        sim->SetRegister32(PointAddress(k), static_cast<uint32_t>(1000 + k));
        sim->SetRegister32(PointAddress(k) + 2, static_cast<uint32_t>(-2000 - k));
    }
    // Request 1 reads the count, 2 and 3 point 0; 4 (point 1's master) comes late.
    sim->ScriptFault(4, kLate);
    const std::string csv = (dir / "back.csv").string();
    const auto r = RunEcamctl({"read-special", "--device", Device(), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "凸轮点读取成功! 5 points -> " + csv + "\n");
    std::ifstream in(csv, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "1000 , -2000\r\n1001 , -2001\r\n1002 , -2002\r\n1003 , -2003\r\n1004 , -2004\r\n");
    EXPECT_EQ(sim->RequestCount(), 1u + 2 * kPoints + 1);   // the late field asked twice, nothing else
}

TEST_P(EcamctlSlowDrive, SpecialWriteWithALateAnswerAndARefusalPutsEveryValueInTheDrive)
{
    ecam::ECamProfile profile;
    profile.masterLength = L"50";
    profile.unit = L"mm";
    profile.slavePulse = L"131072";
    profile.slaveUnits = L"360";
    profile.masterPulse = L"10000";
    profile.masterUnits = L"25";
    profile.points = {{0, 0, 0, 1}, {10, -2000, 0, 1}, {20, -2001, 0, 1}, {30, -2002, 0, 1}, {40, -2003, 0, 0},
                      {50, -2004, 0, 1}};
    const fs::path file = dir / "cam.ecam";
    ASSERT_TRUE(ecam::WriteECamProfileFile(file, profile));
    // The table: 0, 0 first, then masters x 100: 1000, 2000, ... 5000.
    const int32_t masters[] = {0, 1000, 2000, 3000, 4000, 5000}, slaves[] = {0, -2000, -2001, -2002, -2003, -2004};
    constexpr uint32_t kUnwritten = 0x55555555u;
    for (int k = 0; k < 7; ++k) {
        sim->SetRegister32(PointAddress(k), kUnwritten);
        sim->SetRegister32(PointAddress(k) + 2, kUnwritten);
    }
    // Request 1 writes the count; 4 (point 1's master) comes late and is
    // retried as 5; 9 (point 3's master) is refused once.
    sim->ScriptFault(4, kLate);
    sim->ScriptFault(9, {SimScriptedFault::Exception, 4});
    const auto r = RunEcamctl({"write", file.string(), "--special", "1500", "--device", Device()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "烧写凸轮点成功! 6 points, 2 retries\n");
    EXPECT_EQ(sim->Register(0x1B08), 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(static_cast<int32_t>(sim->Register32(PointAddress(k))), masters[k]) << "point " << k;
        EXPECT_EQ(static_cast<int32_t>(sim->Register32(PointAddress(k) + 2)), slaves[k]) << "point " << k;
    }
    EXPECT_EQ(sim->Register32(PointAddress(6)), kUnwritten);   // nothing beyond the table
}

INSTANTIATE_TEST_SUITE_P(Links, EcamctlSlowDrive, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Rtu" : "Tcp"; });
