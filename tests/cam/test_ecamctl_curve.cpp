// "ecamctl curve" run as a child process: the CSV it prints for a point file
// and for a master length, and how it refuses bad input.
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class EcamctlCurve : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ecamctl_curve_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Write(const std::string& name, const std::string& text)
    {
        const fs::path p = m_dir / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    RunResult Exec(const std::string& args, const std::string& stdinText = "")
    {
        const fs::path in = Write("stdin.txt", stdinText);
        const fs::path out = m_dir / "out.txt", err = m_dir / "err.txt";
        const std::string cmd = std::string("'") + ECAMCTL_PATH + "' curve " + args + " <'" + in.string() +
                                "' >'" + out.string() + "' 2>'" + err.string() + "'";
        RunResult r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(out);
        r.err = Slurp(err);
        return r;
    }

    fs::path m_dir;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream ss(text);
    for (std::string l; std::getline(ss, l);)
        lines.push_back(l);
    return lines;
}

std::string Csv(const CECamPointSet& set)
{
    std::string s = "x,position,speed,accel,key\n";
    char buf[160];
    for (const ECamCurveSample& c : set.Curve()) {
        std::snprintf(buf, sizeof buf, "%.9g,%.9g,%.9g,%.9g,%d\n", c.positionX, c.position, c.speed,
                      c.accel, c.isKeyPoint ? 1 : 0);
        s += buf;
    }
    return s;
}

} // namespace

TEST_F(EcamctlCurve, PrintsTheSampledCurveOfAPointFileOrStdin)
{
    const std::string text =
        "# master,slave,speed,type\n"
        "0, 0, 0, 0   # a line first\n"
        "\n"
        "  40,20,7,1\r\n"
        "100,-10.5,0.25,1\n";
    CECamPointSet expected;
    expected.SetPoints({{0, 0, 0, kECamLinear}, {40, 20, 7, kECamPoly}, {100, -10.5, 0.25, kECamPoly}});

    const RunResult fromFile = Exec("'" + Write("cam.txt", text).string() + "'");
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, Csv(expected));
    EXPECT_EQ(Lines(fromFile.out).size(), 102u);
    EXPECT_EQ(Lines(fromFile.out)[41], "40,20,7,0,1");

    const RunResult fromStdin = Exec("", text);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, fromFile.out);
}

TEST_F(EcamctlCurve, LengthPrintsTheDefaultCam)
{
    const RunResult r = Exec("--length 1000");
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1002u);
    EXPECT_EQ(lines[0], "x,position,speed,accel,key");
    EXPECT_EQ(lines[1], "0,0,0,0,1");
    EXPECT_EQ(lines[2], "1,0,0,0,0");
    EXPECT_EQ(lines[1001], "1000,0,0,0,1");

    const RunResult big = Exec("--length 2500");
    EXPECT_EQ(big.status, 0);
    EXPECT_EQ(Lines(big.out).size(), 1252u);
    EXPECT_EQ(Lines(big.out)[2], "2,0,0,0,0");
}

TEST_F(EcamctlCurve, BadInputNamesTheLineAndPrintsNothing)
{
    struct Case { std::string text; std::string where; std::string what; };
    const std::vector<Case> cases{
        {"0,0,0,1\n10,x,0,1\n", ":2:", "finite numbers"},
        {"0,0,0,1\n\n# c\n10,5,0\n", ":4:", "expected 4 fields"},
        {"0,0,0,1\n10,5,0,1,\n", ":2:", "expected 4 fields"},
        {"0,0,0,1\n10,5,0,2\n", ":2:", "type must be 0"},
        {"0,0,0,1\n10,5,0,1.5\n", ":2:", "type must be 0"},
        {"0,0,0,1\n10,5,inf,1\n", ":2:", "finite numbers"},
        {"0,0,0,1\n10,5,0,1\n10,6,0,1\n", ":3:", "strictly increase"},
        {"5,0,0,1\n1,5,0,1\n", ":2:", "strictly increase"},
    };
    for (const Case& c : cases) {
        const fs::path p = Write("bad.txt", c.text);
        const RunResult r = Exec("'" + p.string() + "'");
        EXPECT_EQ(r.status, 2) << c.text;
        EXPECT_EQ(r.out, "") << c.text;
        EXPECT_NE(r.err.find(p.string() + c.where), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.what), std::string::npos) << r.err;
    }
    const RunResult viaStdin = Exec("", "0,0,0,1\noops\n");
    EXPECT_EQ(viaStdin.status, 2);
    EXPECT_NE(viaStdin.err.find("<stdin>:2:"), std::string::npos) << viaStdin.err;

    for (const std::string& args : std::vector<std::string>{"--length 9", "--length 1000001", "--length 12x", "--length",
                                   "a b", "'" + (m_dir / "missing.txt").string() + "'"}) {
        const RunResult r = Exec(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_FALSE(r.err.empty()) << args;
    }
}
