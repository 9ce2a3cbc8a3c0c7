// Reads that a noisy line cannot fool: ecamctl read-special, verify and
// params read against a simulated drive that repeats an answer in front of
// the next one, holds one back until the client's retry, or falls silent.
// Over RTU and TCP, with the fault on the table and on a probe whose stale
// frame meets the next pass (docs/drive-link.md says why these): each run ends
// with the drive's exact values or a clear failure and no file, never with a
// shifted value, a false difference or a missed one.
#include "ecamctl_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

using ecamtest::RunEcamctl;
using Fault = SimScriptedFault;
using Result = ecamtest::ProcessResult;

class EcamctlStaleAnswer : public EcamctlOnSim, public ::testing::WithParamInterface<ecamtest::Link> {
protected:
    EcamctlStaleAnswer() : EcamctlOnSim(ecamtest::OnLink(GetParam())) {}
    // The stale frame comes in front of the link's next answer, whenever that
    // is: the scripts, not the machine's speed, decide what the client sees.
    static constexpr Fault kDuplicate{Fault::Repeated, 0};
    static constexpr Fault kLate{Fault::Held, 0};
    // Only a held answer waits this long; the others are a backstop.
    static constexpr int kBackstopMs = 1000;
    std::string Device() const { return EcamctlOnSim::Device(kBackstopMs); }
    // Runs ecamctl with `fault` on its request number `at` (1-based within the run).
    Result RunWithFault(const std::vector<std::string>& args, Fault fault, uint64_t at)
    {
        sim->ScriptFault(sim->RequestCount() + at, fault);
        return RunEcamctl(args);
    }
    // Runs ecamctl once with each fault on each of its requests first..last,
    // and checks each result.
    template <class Check>
    void RunWithEachFault(uint64_t first, uint64_t last, const std::vector<std::string>& args, Check check)
    {
        for (const Fault fault : {kLate, kDuplicate})
            for (uint64_t at = first; at <= last; ++at) {
                SCOPED_TRACE("fault " + std::to_string(fault.kind) + " on request " + std::to_string(at));
                check(RunWithFault(args, fault, at));
            }
    }
};

} // namespace

TEST_P(EcamctlStaleAnswer, ReadSpecialSavesExactlyTheDrivesPointsWhateverRequestIsRepeatedOrLate)
{
    constexpr int kPoints = 5;
    sim->SetRegister(0x1B08, kPoints);
    std::string expected;
    for (int k = 0; k < kPoints; ++k) {
        sim->SetRegister32(static_cast<uint16_t>(0x4000 + 4 * k), static_cast<uint32_t>(1000 + k));
        sim->SetRegister32(static_cast<uint16_t>(0x4002 + 4 * k), static_cast<uint32_t>(-2000 - k));
        expected += std::to_string(1000 + k) + " , " + std::to_string(-2000 - k) + "\r\n";
    }
    const std::string csv = Path("back.csv");
    // Requests: the count and its probe, the table (20 words) and its probe.
    RunWithEachFault(2, 3, {"read-special", "--device", Device(), csv}, [&](const Result& r) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "凸轮点读取成功! 5 点 -> " + csv + "\n");
        EXPECT_EQ(ecamtest::ReadFileBytes(csv), expected);
        std::filesystem::remove(csv);
    });
}

TEST_P(EcamctlStaleAnswer, VerifyIsNeitherFooledNorFalselyAlarmedAndGivesUpOnASilentDrive)
{
    const std::string file = Save("cam.ecam");
    ASSERT_EQ(RunEcamctl({"write", file, "--device", Device()}).exitCode, 0);
    // Requests: scaling and count (9 words), the table (24 words), the probe:
    // the table faulted where the values match, the probe where one differs.
    const std::vector<std::string> verify = {"verify", file, "--device", Device()};
    RunWithEachFault(2, 2, verify, [](const Result& r) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "凸轮点校验成功! 4 点\n");
    });
    sim->SetRegister32(0x1E0E, 4660);   // point 2 slave, written as 3250
    const Result differs = RunWithFault(verify, kLate, 3);
    EXPECT_EQ(differs.exitCode, 3) << differs.err;
    EXPECT_EQ(differs.out, "");
    EXPECT_EQ(AfterBar(differs.err), "verify " + kBar + " 4/4\n"
                                     "ecamctl verify: 凸轮点校验失败! 共1处不一致\n"
                                     "第2点 从轴位置: 写入 3250, 读回 4660\n");
    EXPECT_EQ(static_cast<int32_t>(sim->Register32(0x1E0E)), 4660);   // verifying writes nothing

    // Dead: a few silent attempts, not every field's. Each of them times
    // out at any speed, so a short timeout does.
    const uint64_t before = sim->RequestCount();
    for (uint64_t n = 1; n <= 100; ++n)
        sim->ScriptFault(before + n, {Fault::Silent, 0});
    const auto r = RunEcamctl({"verify", file, "--device", EcamctlOnSim::Device()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ecamctl verify: 凸轮点校验失败! 驱动器无响应\n");
    EXPECT_EQ(sim->RequestCount() - before, 3u);
}

TEST_P(EcamctlStaleAnswer, ParamGetAndParamsReadShowEachParametersOwnValueAndTheTraceSaysWhy)
{
    // H1B-16 and H1B-17 hold values no neighbour holds.
    sim->SetRegister(0x1B10, 11);
    sim->SetRegister(0x1B11, 22);
    const auto clean = RunEcamctl({"params", "--device", Device(), "read"});
    ASSERT_EQ(clean.exitCode, 0) << clean.err;
    using Lines = std::vector<std::string>;
    const bool rtu = GetParam() == ecamtest::Link::Rtu;
    // What the trace of reading H1B-16 shows: the repeated answer spoils the
    // probe and the read is made again. Over RTU the held answer is taken for
    // the retry's, which it equals, and the retry's own spoils the pass; over
    // TCP it died with its connection.
    const std::string v = "answer  03 02 00 0B: accepted", p = "answer  03 04 00 0B 00 16: accepted";
    const struct { Fault fault; Lines trace; } cases[] = {
        {kDuplicate, {"request", v, "request", "failed", "read", "request", v, "request", p, "read"}},
        {kLate, rtu ? Lines{"request", "failed", "read", "request", v, "stale", "request", p, "stale", "read", "request",
                            v, "request", p, "read"}
                    : Lines{"request", "failed", "read", "request", v, "request", p, "read"}},
    };
    RunWithEachFault(20, 20, {"params", "--device", Device(), "read"}, [&](const Result& r) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, clean.out);
    });   // request 20: the probe of the tenth parameter
    // Over RTU the last run's last answer, repeated, comes in front of this one.
    const auto other = RunEcamctl({"param", "get", "H1B-17", "--device", Device()});
    EXPECT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(other.out, "22\n");
    for (const auto& c : cases) {
        const auto r = RunWithFault({"--trace", "param", "get", "H1B-16", "--device", Device()}, c.fault, 1);
        EXPECT_EQ(r.out, "11\n");
        Lines trace;   // of "[hh:mm:ss.zzz] what ...": what, or the whole answer
        std::istringstream lines(r.err);
        for (std::string line; std::getline(lines, line);) {
            ASSERT_EQ(line.size() > 15 && line[0] == '[' && line[13] == ']', true) << line;
            const std::string what = line.substr(15);
            trace.push_back(what.rfind("answer", 0) == 0 ? what : what.substr(0, what.find_first_of(" :")));
        }
        EXPECT_EQ(trace, c.trace);
    }
}

TEST_P(EcamctlStaleAnswer, ReadCamGivesBackTheWrittenProfileOrRefusesWhatIsNoCleanTable)
{
    const std::string written = Save("cam.ecam"), back = Path("back.ecam");
    ASSERT_EQ(RunEcamctl({"write", written, "--device", Device()}).exitCode, 0);
    // Requests: scaling, count and table, each with its probe.
    RunWithEachFault(4, 5, {"read-cam", "--device", Device(), back}, [&](const Result& r) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        ecam::ECamProfile got;
        EXPECT_TRUE(ecam::ReadECamProfileFile(back, got));
        EXPECT_EQ(got.points, profile.points);
        EXPECT_EQ(std::vector<std::wstring>({got.masterLength, got.slavePulse, got.slaveUnits, got.masterPulse,
                                             got.masterUnits}),
                  std::vector<std::wstring>({L"1000", L"131072", L"360", L"10000", L"25"}));
        std::filesystem::remove(back);
    });

    // Point 2's segment code sits at 0x1E11.
    const struct { uint16_t count, code; std::string why; } refused[] = {
        {273, 1, "驱动器中的凸轮点数为273, 不是2~272内的完整凸轮表"},
        {0, 1, "驱动器中的凸轮点数为0, 不是2~272内的完整凸轮表"},
        {4, 2, "第2点的类型码 2 不是 0 (Poly) 或 1 (Linear)"},
    };
    for (const auto& c : refused) {
        sim->SetRegister(0x1B08, c.count);
        sim->SetRegister(0x1E11, c.code);
        const auto r = RunEcamctl({"read-cam", "--device", Device(), back});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "ecamctl read-cam: 从驱动器读取凸轮表失败! " + c.why + "; 未保存任何内容\n");
        EXPECT_FALSE(std::filesystem::exists(back));
    }
}

INSTANTIATE_TEST_SUITE_P(Links, EcamctlStaleAnswer, ::testing::Values(ecamtest::Link::Tcp, ecamtest::Link::Rtu),
                         ecamtest::LinkName);
