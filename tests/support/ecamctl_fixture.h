#pragma once
// The fixtures of every ecamctl test: a folder of the test's own for the
// files the commands read and write, and where a drive is needed a simulated
// one; the command itself runs through RunEcamctl (run_ecamctl.h), as a
// user runs it.
#include "profile_literal.h"
#include "run_ecamctl.h"
#include "sim_drive.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class EcamctlTest : public ::testing::Test {
public:
    // The command run in English (the tests run under the C locale, where
    // ecamctl speaks Chinese, the language its texts are written in).
    static ecamtest::ProcessResult En(std::vector<std::string> args, const std::string& input = {})
    {
        args.insert(args.begin(), {"--lang", "en"});
        return ecamtest::RunEcamctl(args, input);
    }
    // A refused command, in English: `status`, nothing on standard output,
    // `message` on standard error.
    static void ExpectRefusal(const std::vector<std::string>& args, int status, const std::string& message,
                              const std::string& input = {})
    {
        const ecamtest::ProcessResult r = En(args, input);
        EXPECT_EQ(r.exitCode, status) << message;
        EXPECT_EQ(r.out, "") << message;
        EXPECT_EQ(r.err, message);
    }

protected:
    // Writes `bytes` as file `name` of the test's folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) { return dir.Write(name, bytes).string(); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    ecamtest::TempDir dir{"ecamctl"};
};

// ecamctl against a simulated drive started in the test's process: the
// drive, a small profile with its scaling, and checks of what the write and
// verify commands print.
class EcamctlOnSim : public EcamctlTest {
protected:
    explicit EcamctlOnSim(SimOptions options = {}) : sim(ecamtest::StartSim(options)) {}
    void SetUp() override { ASSERT_TRUE(sim->Running()); }
    // The profile as it stands, saved under `name` in the test's folder.
    std::string Save(const char* name)
    {
        EXPECT_TRUE(ecam::WriteECamProfileFile(dir / name, profile));
        return Path(name);
    }
    // The drive's URL with a response timeout: short by default, so tests of
    // timeouts run fast; a long one where a timeout is only a backstop.
    std::string Device(int timeoutMs = 200) const { return sim->Url() + "&timeout=" + std::to_string(timeoutMs); }

    // What follows the last redraw of the progress bar on stderr.
    static std::string AfterBar(const std::string& err)
    {
        const std::size_t r = err.rfind('\r');
        return r == std::string::npos ? "(no progress bar) " + err : err.substr(r + 1);
    }
    // "烧写凸轮点成功! N 点, 重试 R 次\n" then `rest`: R depends on the
    // machine's load.
    static void ExpectWriteSuccess(const ecamtest::ProcessResult& r, const std::string& points,
                                   const std::string& rest = "")
    {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const std::string head = "烧写凸轮点成功! " + points + " 点, 重试 ", tail = " 次\n" + rest;
        const bool framed = r.out.size() > head.size() + tail.size() && r.out.rfind(head, 0) == 0
                            && r.out.compare(r.out.size() - tail.size(), tail.size(), tail) == 0;
        const std::string retries = framed ? r.out.substr(head.size(), r.out.size() - head.size() - tail.size()) : "";
        EXPECT_TRUE(framed && retries.find_first_not_of("0123456789") == std::string::npos) << r.out;
    }
    static inline const std::string kBar = "[########################################]";

    std::unique_ptr<CDriveSimulator> sim;
    ecam::ECamProfile profile = ecamtest::ProfileOf(
        L"1000 mm 131072/360 10000/25", {{0, 0, 0.5, 1}, {250, -12.5, 0.1, 0}, {600, 3.25, -0.02, 1}, {1000, 0, 0, 1}});
};
