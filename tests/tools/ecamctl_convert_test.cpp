// "ecamctl convert" and "ecamctl curve FILE.ecam" run as the user runs them:
// exit status, what is printed and which file is written. The codecs behind
// them have their own tests (ecam_file_test, workbook_test).
#include "ecamctl_fixture.h"
#include "files/point_list_file.h"
#include "profile_literal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using ecamtest::RunEcamctl;

class EcamctlFiles : public EcamctlTest {
protected:
    void SetUp() override { ASSERT_TRUE(ecam::WriteECamProfileFile(dir / "in.ecam", profile)); }

    const ecam::ECamProfile profile = ecamtest::ProfileOf(
        L"720 毫米 4096/5 10000/2", {{0, 0, 0, kECamLinear}, {100.5, 40.25, 0.4, kECamLinear}, {720, 100, 0, kECamPoly}});
};

} // namespace

TEST_F(EcamctlFiles, WritesTheFormatTheExtensionNamesAndKeepsAProfilesSettings)
{
    // Every writable format, chosen by the (case-insensitive) extension: the
    // file is there and holds the three points. A workbook cannot hold the
    // speed 0.4 of point 2, and says so.
    for (const char* out : {"pts.csv", "pts.xlsx", "pts.XLS", "copy.ecam"}) {
        const auto r = En({"convert", Path("in.ecam"), Path(out)});
        ASSERT_EQ(r.exitCode, 0) << out << ": " << r.err;
        EXPECT_EQ(r.out, "3 points\n") << out;
        EXPECT_EQ(r.err, ecam::PointFileKindOf(out) != ecam::PointFileKind::Workbook
                             ? ""
                             : "ecamctl convert: warning: " + Path(out)
                                   + ": a special-point workbook does not keep speeds and segment types\n");
        std::vector<ECamPoint> back;
        ASSERT_TRUE(ecam::LoadPointList(dir / out, back)) << out;
        EXPECT_EQ(back.size(), 3u) << out;
    }
    // End to end: a profile copied to a profile keeps its texts and points.
    ecam::ECamProfile copy;
    ASSERT_TRUE(ecam::ReadECamProfileFile(dir / "copy.ecam", copy));
    EXPECT_EQ(std::tie(copy.masterLength, copy.unit, copy.slavePulse, copy.slaveUnits, copy.masterPulse, copy.masterUnits),
              std::tie(profile.masterLength, profile.unit, profile.slavePulse, profile.slaveUnits, profile.masterPulse,
                       profile.masterUnits));
    EXPECT_EQ(copy.points, profile.points);
    // The curve of a profile (its extension in any case) is the curve of its points.
    fs::rename(dir / "copy.ecam", dir / "copy.ECAM");
    const auto fromProfile = RunEcamctl({"curve", Path("copy.ECAM")}), fromList = RunEcamctl({"curve", Path("pts.csv")});
    ASSERT_EQ(fromProfile.exitCode, 0) << fromProfile.err;
    EXPECT_EQ(fromProfile.out, fromList.out);
    EXPECT_EQ(fromProfile.out.rfind("x,position,speed,accel,key\n0,0,0,", 0), 0u);

    // A point list read back into a profile gets default settings around it.
    ASSERT_EQ(RunEcamctl({"convert", Path("pts.csv"), Path("fromcsv.ecam")}).exitCode, 0);
    ASSERT_TRUE(ecam::ReadECamProfileFile(dir / "fromcsv.ecam", copy));
    EXPECT_EQ(std::tie(copy.masterLength, copy.slavePulse, copy.masterUnits), std::tie(L"720", L"1", L"1"));
    EXPECT_EQ(copy.points, profile.points);
    // Its master length is the last master, rounded to the nearest integer.
    ASSERT_EQ(RunEcamctl({"convert", Write("near.csv", "0,0,0,1\n719.6,1,0,1\n"), Path("near.ecam")}).exitCode, 0);
    ASSERT_TRUE(ecam::ReadECamProfileFile(dir / "near.ecam", copy));
    EXPECT_EQ(copy.masterLength, L"720");
}

TEST_F(EcamctlFiles, HostileInputsAndTargetsEndAtOnce)
{
    // FIFOs nobody writes to or reads from: refused, never waited on.
    for (const char* name : {"in.csv", "in2.ecam", "in.xlsx", "out.csv", "out.ecam", "out.xls"})
        ASSERT_EQ(mkfifo((dir / name).c_str(), 0600), 0) << name;
    const std::string notRegular = "所选路径不是普通文件,无法打开!";
    for (const char* name : {"in.csv", "in2.ecam", "in.xlsx"}) {
        const auto r = RunEcamctl({"convert", Path(name), Path("x.csv")}, {}, std::chrono::seconds(10));
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.err, "ecamctl convert: " + Path(name) + ": " + notRegular + "\n");
    }
    for (const char* name : {"out.csv", "out.ecam", "out.xls"})   // a run that timed out has no status
        EXPECT_EQ(RunEcamctl({"convert", Path("in.ecam"), Path(name)}, {}, std::chrono::seconds(10)).exitCode, 1) << name;
    // A file that is no profile. (A workbook read as the panel imports it:
    // the panel's agreement test.)
    std::ofstream(dir / "shifted.ecam") << "凸轮点数量, 2\n1,1,0,1\n";
    const auto r = RunEcamctl({"convert", Path("shifted.ecam"), Path("x.csv")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "ecamctl convert: " + Path("shifted.ecam") + ": 不是凸轮文件 (第7行不是点数行)\n");
}
