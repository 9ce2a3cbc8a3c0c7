// ecamctl write / verify / read-special / params run as a user runs them,
// against a simulated drive started here: exit status 0 only on full
// success (3 for a difference found by verifying), the messages and the
// lines printed for each difference, and the read-back file written.
// Register layouts, which fields are compared and the checks behind the
// messages have their own library tests; the slow drive of the field report
// (late answers, a refusal) is replayed here over RTU and TCP with the
// product's pacing.
#include "ecamctl_sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using ecamtest::RunEcamctl;

using EcamctlDrive = EcamctlOnSim;

std::vector<std::string> FirstWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        words.push_back(line.substr(0, line.find(' ')));
    return words;
}

} // namespace

TEST_F(EcamctlDrive, StandardWriteVerifiesAndVerifyListsEveryChangedRegister)
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

    sim->SetRegister32(0x1B01, 20000);     // master pulses, written 10000
    sim->SetRegister32(0x1E0C, 0);         // point 2 master, written 600 x 1000
    sim->SetRegister(0x1E16, 0xFFFF);      // point 3 speed, written 0
    sim->SetRegister(0x1E17, 0xFFFF);      // point 3 segment, written 0 (Poly)
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
}

TEST_F(EcamctlDrive, SpecialTableIsWrittenVerifiedAndReadBack)
{
    const std::string file = Save("cam.ecam");
    auto r = RunEcamctl({"write", file, "--special", "3", "--verify", "--device", Device()});
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
    // The standard table is compared with the count the special write left.
    r = RunEcamctl({"verify", file, "--device", Device()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("\n凸轮点数: 写入 4, 读回 3\n"), std::string::npos) << r.err;

    // The special write sends no scaling, so it does not check it.
    profile.masterUnits = L"30001";
    ExpectWriteSuccess(RunEcamctl({"write", Save("bad.ecam"), "--special", "3", "--device", Device()}), "3");
}

TEST_F(EcamctlDrive, ABadCountOrAnAbsentDriveFails)
{
    const std::string file = Save("cam.ecam");
    // A count the special table cannot hold is refused before any point is read.
    const std::string csv = Path("back.csv");
    sim->SetRegister(0x1B08, 1501);
    auto r = RunEcamctl({"read-special", "--device", Device(), csv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl read-special: 读取数据失败! 凸轮点数 1501 超过 1500\n");
    EXPECT_FALSE(fs::exists(csv));

    // A stopped drive: the port refuses, and the message says so.
    const std::string url = Device();
    const std::string whyRefused = "连接被拒绝: 127.0.0.1:" + std::to_string(sim->Port()) + " 上没有程序在监听\n";
    sim->Stop();
    r = RunEcamctl({"write", file, "--device", url});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl write: 串口未连接! (" + url + ")\n" + whyRefused);
    r = RunEcamctl({"read-special", "--device", url, csv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl read-special: 串口未连接! (" + url + ")\n" + whyRefused);
    EXPECT_FALSE(fs::exists(csv));
}

TEST_F(EcamctlDrive, ParamsAreSentInRowOrderAndReadBackByLabel)
{
    // Typed out of order; each row is printed right after its write, so the
    // printed order is the order sent: the settings dialog's row order.
    auto r = RunEcamctl({"params", "--device", Device(), "write", "H1B-11=250", "H1B-10=-5", "H1B-06=2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(FirstWords(r.out), (std::vector<std::string>{"H1B-06", "H1B-10", "H1B-11", "写入成功!"})) << r.out;
    EXPECT_EQ(sim->Register(0x1B06), 2);
    EXPECT_EQ(sim->Register(0x1B0A), 0xFFFB);
    EXPECT_EQ(sim->Register(0x1B0B), 250);

    sim->SetRegister(0x1B07, 0);
    r = RunEcamctl({"params", "--device", Device(), "read"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("0-单次运行"), std::string::npos) << r.out;   // an option shown by its label
    EXPECT_EQ(FirstWords(r.out).back(), "读取成功!") << r.out;
}

namespace {

// The slow drive of the field report, whose late answer once shifted every
// later field by one: every answer 60 ms after the request, a 200 ms
// response timeout, and where a test scripts it one answer 50 ms after that
// timeout. Parameter: RTU (true) or TCP.
class EcamctlSlowDrive : public EcamctlOnSim, public ::testing::WithParamInterface<bool> {
protected:
    EcamctlSlowDrive() : EcamctlOnSim(Options()) {}
    static SimOptions Options()
    {
        SimOptions o;
        o.rtu = GetParam();
        o.faults.delayMs = 60;
        return o;
    }
    // Special point k (k < 25) sits at 0x4000 + 4k, master then slave.
    static uint16_t PointAddress(int k) { return static_cast<uint16_t>(0x4000 + 4 * k); }
    static constexpr SimScriptedFault kLate{SimScriptedFault::Late, 250};
};

} // namespace

TEST_P(EcamctlSlowDrive, SpecialWriteWithALateAnswerAndARefusalPutsEveryValueInTheDrive)
{
    profile.masterLength = L"50";
    profile.points = {{0, 0, 0, 1}, {10, -2000, 0, 1}, {20, -2001, 0, 1}, {30, -2002, 0, 1}, {40, -2003, 0, 0},
                      {50, -2004, 0, 1}};
    const std::string file = Save("cam.ecam");
    // The table: 0, 0 first, then masters x 100: 1000, 2000, ... 5000.
    const int32_t masters[] = {0, 1000, 2000, 3000, 4000, 5000}, slaves[] = {0, -2000, -2001, -2002, -2003, -2004};
    constexpr uint32_t kUnwritten = 0x55555555u;
    for (int k = 0; k < 7; ++k) {
        sim->SetRegister32(PointAddress(k), kUnwritten);
        sim->SetRegister32(PointAddress(k) + 2, kUnwritten);
    }
    // Request 1 writes the count 0; 4 (point 1's master) comes late and is
    // retried as 5; 9 (point 3's master) is refused once.
    sim->ScriptFault(4, kLate);
    sim->ScriptFault(9, {SimScriptedFault::Exception, 4});
    const auto r = RunEcamctl({"write", file, "--special", "1500", "--device", Device()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "烧写凸轮点成功! 6 点, 重试 2 次\n");
    EXPECT_EQ(sim->Register(0x1B08), 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(static_cast<int32_t>(sim->Register32(PointAddress(k))), masters[k]) << "point " << k;
        EXPECT_EQ(static_cast<int32_t>(sim->Register32(PointAddress(k) + 2)), slaves[k]) << "point " << k;
    }
    EXPECT_EQ(sim->Register32(PointAddress(6)), kUnwritten);   // nothing beyond the table
    EXPECT_EQ(sim->RequestCount(), 1u + 2 * 6 + 1 + 2);        // count 0, table, count; two fields asked again
}

INSTANTIATE_TEST_SUITE_P(Links, EcamctlSlowDrive, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Rtu" : "Tcp"; });
