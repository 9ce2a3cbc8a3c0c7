// ecamctl params write sends its assignments in the settings dialog's row
// order, one row once, whatever order they were typed in. Each row is printed
// right after its write, so the printed order is the order sent.
#include "run_ecamctl.h"
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> FirstWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        words.push_back(line.substr(0, line.find(' ')));
    return words;
}

} // namespace

TEST(EcamctlParamsOrder, AssignmentsGoOutInRowOrderEachOnce)
{
    CDriveSimulator sim;
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    const std::string device = sim.Url() + "&timeout=200";

    auto r = ecamtest::RunEcamctl({"params", "--device", device, "write", "H1B-11=250", "H1B-10=-5", "H1B-06=2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(FirstWords(r.out), (std::vector<std::string>{"H1B-06", "H1B-10", "H1B-11", "写入成功!"})) << r.out;
    EXPECT_EQ(sim.Register(0x1B06), 2);
    EXPECT_EQ(sim.Register(0x1B0A), 0xFFFB);
    EXPECT_EQ(sim.Register(0x1B0B), 250);

    // The same row twice is refused before anything is sent.
    const auto requests = sim.RequestCount();
    r = ecamtest::RunEcamctl({"params", "--device", device, "write", "H1B-11=300", "H1B-06=1", "H1B-11=400"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ecamctl params: 'H1B-11' is given more than once\n");
    EXPECT_EQ(sim.RequestCount(), requests);
    EXPECT_EQ(sim.Register(0x1B0B), 250);
}
