#pragma once
// The fixture of every ecamctl test: a folder of the test's own for the
// files the commands read and write; the command itself runs through
// RunEcamctl (run_ecamctl.h), as a user runs it.
#include "run_ecamctl.h"
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
