// "ecamctl curve" run as a user runs it: the CSV for a point file, stdin and
// a master length, and how bad input is refused.
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Result { int status; std::string out, err; };

class EcamctlCurve : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("ecamctl_curve_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    std::string Read(const std::string& name)
    {
        std::stringstream ss;
        ss << std::ifstream(dir / name, std::ios::binary).rdbuf();
        return ss.str();
    }
    Result Exec(const std::string& args, const std::string& input = "")
    {
        const std::string cmd = std::string(ECAMCTL_PATH) + " curve " + args + " <" + Write("in", input) +
                                " >" + (dir / "out").string() + " 2>" + (dir / "err").string();
        const int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read("out"), Read("err")};
    }
};

} // namespace

TEST_F(EcamctlCurve, PrintsTheCurveOfAPointFileStdinOrLength)
{
    const std::string text = "# master,slave,speed,type\n0, 0, 0, 0   # a line first\n\n  40,20,7,1\r\n100,-10.5,0.25,1\n";
    CECamPointSet set;
    set.SetPoints({{0, 0, 0, kECamLinear}, {40, 20, 7, kECamPoly}, {100, -10.5, 0.25, kECamPoly}});
    std::string expected = "x,position,speed,accel,key\n";
    char line[160];
    for (const ECamCurveSample& c : set.Curve()) {
        std::snprintf(line, sizeof line, "%.9g,%.9g,%.9g,%.9g,%d\n", c.positionX, c.position, c.speed, c.accel, c.isKeyPoint);
        expected += line;
    }
    const Result file = Exec(Write("cam.txt", text));
    EXPECT_EQ(file.status, 0) << file.err;
    EXPECT_EQ(file.out, expected);
    EXPECT_NE(file.out.find("\n40,20,7,0,1\n"), std::string::npos);
    EXPECT_EQ(Exec("", text).out, expected);

    const Result def = Exec("--length 1000");
    EXPECT_EQ(def.status, 0);
    const std::string head = "x,position,speed,accel,key\n0,0,0,0,1\n1,0,0,0,0\n";
    EXPECT_EQ(def.out.substr(0, head.size()), head);
    EXPECT_EQ(def.out.substr(def.out.size() - 14), "\n1000,0,0,0,1\n");
    EXPECT_EQ(std::count(def.out.begin(), def.out.end(), '\n'), 1002);
}

TEST_F(EcamctlCurve, BadInputNamesTheLineAndPrintsNothing)
{
    const std::pair<std::string, std::string> cases[] = {
        {"0,0,0,1\n10,x,0,1\n", ":2: master, slave and speed must be finite"},
        {"0,0,0,1\n\n# c\n10,5,0\n", ":4: expected 4 fields"},
        {"0,0,0,1\n10,5,0,1,\n", ":2: expected 4 fields"},
        {"0,0,0,1\n10,5,0,2\n", ":2: type must be 0"},
        {"0,0,0,1\n10,5,inf,1\n", ":2: master, slave and speed must be finite"},
        {"0,0,0,1\n10,5,0,1\n10,6,0,1\n", ":3: master positions must strictly increase"},
    };
    for (const auto& [text, message] : cases) {
        const std::string path = Write("bad.txt", text);
        const Result r = Exec(path);
        EXPECT_EQ(r.status, 2) << text;
        EXPECT_EQ(r.out, "") << text;
        EXPECT_NE(r.err.find(path + message), std::string::npos) << r.err;
    }
    EXPECT_NE(Exec("", "0,0,0,1\noops\n").err.find("<stdin>:2:"), std::string::npos);
    for (const std::string args : {"--length 9", "--length 12x", "a b", "missing.txt", "."}) {
        const Result r = Exec(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err, "") << args;
    }
}
