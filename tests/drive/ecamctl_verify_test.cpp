// ecamctl write --verify and ecamctl verify run as a user runs them, against
// a simulated drive started here: the exit status (0 all matches, 3 a
// difference), the lines printed for each difference, and the usual
// failures. Which fields are read and how they compare is the verifier's own
// test.
#include "ecamctl_sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using ecamtest::RunEcamctl;

class EcamctlVerify : public EcamctlOnSim {
protected:
    void SetUp() override
    {
        EcamctlOnSim::SetUp();
        file = Save("cam.ecam");
    }

    std::string file;
};

const std::string kBar = "[########################################]";

// What follows the last redraw of the progress bar on stderr.
std::string AfterBar(const std::string& err)
{
    const std::size_t r = err.rfind('\r');
    return r == std::string::npos ? "(no progress bar) " + err : err.substr(r + 1);
}

} // namespace

TEST_F(EcamctlVerify, WriteWithVerifyAndVerifyAlonePassOnACleanDrive)
{
    auto r = RunEcamctl({"write", file, "--device", Device(), "--verify"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // "烧写凸轮点成功! 4 points, R retries": R depends on the machine's load.
    const std::string head = "烧写凸轮点成功! 4 points, ", tail = " retries\n凸轮点校验成功! 4 points\n";
    ASSERT_TRUE(r.out.rfind(head, 0) == 0 && r.out.size() > head.size() + tail.size()) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
    EXPECT_EQ(r.out.substr(head.size(), r.out.size() - head.size() - tail.size()).find_first_not_of("0123456789"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 4/4\n");

    const auto requests = sim.RequestCount();
    r = RunEcamctl({"verify", file, "--device", Device()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "凸轮点校验成功! 4 points\n");
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 4/4\n");
    // Nothing written: 5 scaling and count reads and 4 x 4 fields, plus at
    // most the connection check.
    EXPECT_GE(sim.RequestCount() - requests, 21u);
    EXPECT_LE(sim.RequestCount() - requests, 22u);
}

TEST_F(EcamctlVerify, EveryChangedRegisterIsListedAndTheStatusIs3)
{
    ASSERT_EQ(RunEcamctl({"write", file, "--device", Device()}).exitCode, 0);
    sim.SetRegister32(0x1B01, 20000);     // master pulses, written 10000
    sim.SetRegister32(0x1E0C, 0);         // point 2 master, written 600 x 1000
    sim.SetRegister(0x1E16, 0xFFFF);      // point 3 speed, written 0
    sim.SetRegister(0x1E17, 0xFFFF);      // point 3 segment, written 0 (Poly)

    const auto r = RunEcamctl({"verify", file, "--device", Device()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 4/4\n"
                                   "ecamctl verify: 凸轮点校验失败! 共4处不一致\n"
                                   "主轴脉冲数: 写入 10000, 读回 20000\n"
                                   "第2点 主轴位置: 写入 600000, 读回 0\n"
                                   "第3点 标幺速度: 写入 0, 读回 -1\n"
                                   "第3点 类型: 写入 0, 读回 65535\n");
    // Verifying writes nothing back.
    EXPECT_EQ(sim.Register32(0x1E0C), 0u);
}

TEST_F(EcamctlVerify, SpecialTablesVerifyAgainstTheirOwnCountAndPoints)
{
    auto r = RunEcamctl({"write", file, "--special", "3", "--verify", "--device", Device()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1), "凸轮点校验成功! 3 points\n");
    EXPECT_EQ(AfterBar(r.err), "verify " + kBar + " 3/3\n");

    // K = 4 > V = 3: origin, key point 1 (25000, -12) and the last.
    sim.SetRegister32(0x4006, 5);   // point 1 slave
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
}

TEST_F(EcamctlVerify, UsageErrorsTouchNoDrive)
{
    const std::string usage = "ecamctl verify: usage: ecamctl verify FILE.ecam --device URL [--special V]\n";
    const std::tuple<std::vector<std::string>, int, std::string> refused[] = {
        {{"verify", file}, 2, usage},
        {{"verify", "--device", Device()}, 2, usage},
        {{"verify", file, "--verify", "--device", Device()}, 2, usage},
        {{"verify", file, "--special", "2", "--device", Device()}, 2, "ecamctl verify: 输入有效点数有误!请输入3~1500内的整数!\n"},
    };
    const auto requests = sim.RequestCount();
    for (const auto& [args, status, message] : refused) {
        const auto r = RunEcamctl(args);
        EXPECT_EQ(r.exitCode, status) << message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, message);
    }
    EXPECT_EQ(sim.RequestCount(), requests);
}
