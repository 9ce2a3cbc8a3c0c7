// "ecamctl convert" and "ecamctl curve FILE.ecam" run as the user runs them:
// exit status, what is printed and which file is written. The codecs behind
// them have their own tests (ecam_file_test, workbook_test).
#include "files/ecam_file.h"
#include "files/point_list_file.h"
#include "run_ecamctl.h"
#include "sample_profile.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using ecamtest::RunEcamctl;

const std::string kUsage = "usage: ecamctl convert IN OUT   (.ecam, .csv, .xls, .xlsx; .ods read only)\n";

class EcamctlFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        profile = ecamtest::SampleProfile();
        ASSERT_TRUE(ecam::WriteECamProfileFile(dir / "in.ecam", profile));
    }
    std::string p(const char* name) const { return (dir / name).string(); }

    ecamtest::TempDir dir{"ecamctl_files"};
    ecam::ECamProfile profile;
};

} // namespace

TEST_F(EcamctlFiles, WritesTheFormatTheExtensionNamesAndKeepsAProfilesSettings)
{
    // End to end: a profile copied to a profile keeps its texts and points.
    auto r = RunEcamctl({"convert", p("in.ecam"), p("copy.ecam")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "3 points\n");
    EXPECT_EQ(r.err, "");
    ecam::ECamProfile copy;
    ASSERT_TRUE(ecam::ReadECamProfileFile(dir / "copy.ecam", copy));
    EXPECT_EQ(std::tie(copy.masterLength, copy.unit, copy.slavePulse, copy.slaveUnits, copy.masterPulse, copy.masterUnits),
              std::tie(profile.masterLength, profile.unit, profile.slavePulse, profile.slaveUnits, profile.masterPulse,
                       profile.masterUnits));
    EXPECT_EQ(copy.points, profile.points);

    // Every writable format, chosen by the (case-insensitive) extension: the
    // file is there and holds the three points. A workbook cannot hold the
    // speed 0.4 of point 2, and says so.
    for (const char* out : {"pts.csv", "pts.xlsx", "pts.XLS", "pts2.ecam"}) {
        r = RunEcamctl({"convert", p("in.ecam"), p(out)});
        ASSERT_EQ(r.exitCode, 0) << out << ": " << r.err;
        EXPECT_EQ(r.out, "3 points\n") << out;
        EXPECT_EQ(r.err, ecam::PointFileKindOf(out) != ecam::PointFileKind::Workbook
                             ? ""
                             : "ecamctl convert: warning: " + p(out)
                                   + ": a special-point workbook does not keep speeds and segment types\n");
        std::vector<ECamPoint> back;
        ASSERT_TRUE(ecam::LoadPointList(dir / out, back)) << out;
        EXPECT_EQ(back.size(), 3u) << out;
    }
    // A point list read back into a profile gets default settings around it.
    ASSERT_EQ(RunEcamctl({"convert", p("pts.csv"), p("fromcsv.ecam")}).exitCode, 0);
    ASSERT_TRUE(ecam::ReadECamProfileFile(dir / "fromcsv.ecam", copy));
    EXPECT_EQ(std::tie(copy.masterLength, copy.slavePulse, copy.masterUnits),
              std::tie(L"720", L"1", L"1"));
    EXPECT_EQ(copy.points, profile.points);
}

TEST_F(EcamctlFiles, RefusalsSayWhyAndWriteNothing)
{
    std::ofstream(dir / "bad.csv") << "# m,s,v,t\n1,2,3,1\n4,5,x,0\n";
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"convert", p("in.ecam")}, 2, "ecamctl convert: expected IN and OUT\n" + kUsage},
        {{"convert", p("in.ecam"), p("x.txt")}, 2, "ecamctl convert: " + p("x.txt") + ": unknown file type\n" + kUsage},
        {{"convert", p("absent.ecam"), p("x.csv")}, 2,
         "ecamctl convert: " + p("absent.ecam") + ": No such file or directory\n"},
        {{"convert", p("absent.ecam"), p("x.ecam")}, 2,
         "ecamctl convert: " + p("absent.ecam") + ": No such file or directory\n"},
        {{"convert", p("bad.csv"), p("x.xlsx")}, 2,
         "ecamctl convert: " + p("bad.csv") + ":3: master, slave and speed must be finite numbers\n"},
        {{"convert", p("in.ecam"), p("x.ods")}, 2,
         "ecamctl convert: " + p("x.ods") + ": .ods is read only\n" + kUsage},
        {{"convert", p("in.ecam"), p("no/dir/x.csv")}, 1,
         "ecamctl convert: " + p("no/dir/x.csv") + ": No such file or directory\n"},
    };
    for (const auto& [args, status, message] : cases) {
        const auto r = RunEcamctl(args);
        EXPECT_FALSE(r.timedOut) << args.back();
        EXPECT_EQ(r.exitCode, status) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(r.err, message);
    }
    for (const char* never : {"x.txt", "x.csv", "x.ecam", "x.xlsx", "x.ods"})
        EXPECT_FALSE(fs::exists(dir / never)) << never;
}

TEST_F(EcamctlFiles, HostileInputsAndTargetsEndAtOnce)
{
    // FIFOs nobody writes to or reads from: refused, never waited on.
    for (const char* name : {"in.csv", "in2.ecam", "in.xlsx", "out.csv", "out.ecam", "out.xls"})
        ASSERT_EQ(mkfifo((dir / name).c_str(), 0600), 0) << name;
    const std::string notRegular = "所选路径不是普通文件,无法打开!";
    for (const char* name : {"in.csv", "in2.ecam", "in.xlsx"}) {
        const auto r = RunEcamctl({"convert", p(name), p("x.csv")}, {}, std::chrono::seconds(10));
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.err, "ecamctl convert: " + p(name) + ": " + notRegular + "\n");
    }
    for (const char* name : {"out.csv", "out.ecam", "out.xls"}) {
        const auto r = RunEcamctl({"convert", p("in.ecam"), p(name)}, {}, std::chrono::seconds(10));
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_FALSE(r.timedOut) << name;
    }
    // A file that is no profile, and a workbook read as the panel imports it.
    std::ofstream(dir / "shifted.ecam") << "凸轮点数量, 2\n1,1,0,1\n";
    auto r = RunEcamctl({"convert", p("shifted.ecam"), p("x.csv")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "ecamctl convert: " + p("shifted.ecam") + ": not a cam profile (line 7 is not the point count line)\n");
    const std::string book = (fs::path(ECAM_TEST_DATA) / "office_formulas_xlsx_named.xls").string();
    r = RunEcamctl({"convert", book, p("book.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "10 points\n");
    std::vector<ECamPoint> pts;
    ASSERT_TRUE(ecam::LoadPointList(dir / "book.csv", pts));
    ASSERT_EQ(pts.size(), 10u);
    EXPECT_EQ(pts[1], (ECamPoint{10, 5, 1, kECamLinear})); // slope to (20, 15)
}

TEST_F(EcamctlFiles, CurveOfAProfileIsTheCurveOfItsPoints)
{
    ASSERT_EQ(RunEcamctl({"convert", p("in.ecam"), p("c.csv")}).exitCode, 0);
    fs::rename(dir / "in.ecam", dir / "c.ECAM");
    const auto fromProfile = RunEcamctl({"curve", p("c.ECAM")});
    const auto fromList = RunEcamctl({"curve", p("c.csv")});
    ASSERT_EQ(fromProfile.exitCode, 0) << fromProfile.err;
    ASSERT_EQ(fromList.exitCode, 0) << fromList.err;
    EXPECT_EQ(fromProfile.out, fromList.out);
    EXPECT_EQ(fromProfile.out.rfind("x,position,speed,accel,key\n0,0,0,", 0), 0u);

    const auto absent = RunEcamctl({"curve", p("absent.ecam")});
    EXPECT_EQ(absent.exitCode, 2);
    EXPECT_EQ(absent.out, "");
    EXPECT_EQ(absent.err, "ecamctl curve: " + p("absent.ecam") + ": No such file or directory\n");
}
