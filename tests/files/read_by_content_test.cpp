// Files as other programs leave them: a profile re-saved by a text editor
// or cut short, point lists with other line ends, marks, headers and
// separators, web pages named like workbooks, and the largest cam a save
// allows, which must open again.
#include "files/ecam_file.h"
#include "files/gbk.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"
#include "tests/support/profile_literal.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

std::string replaceAll(std::string s, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
        s.replace(at, from.size(), to);
    return s;
}

} // namespace

TEST(ReadByContent, ProfilesResavedAsUtf8ReadAsTheOriginalAndACutOneSaysSo)
{
    ecamtest::TempDir dir("by_content_profiles");
    const ecam::ECamProfile profile = ecamtest::ProfileOf(
        L"720 毫米 4096/5 10000/2", {{0, 0, 0, kECamLinear}, {100.5, 40.25, 0.4, kECamLinear}, {720, 100, 0, kECamPoly}});
    const std::string utf8Crlf = ecam::GbkToUtf8(ecam::EncodeECamProfile(profile));
    const std::string utf8Lf = replaceAll(utf8Crlf, "\r\n", "\n");
    for (const auto& [name, bytes] : {std::pair{"bom-crlf.ecam", "\xEF\xBB\xBF" + utf8Crlf},
                                      std::pair{"bom-lf.ecam", "\xEF\xBB\xBF" + utf8Lf},
                                      std::pair{"crlf.ecam", utf8Crlf}, std::pair{"lf.ecam", utf8Lf}}) {
        SCOPED_TRACE(name);
        ecam::ECamProfile back;
        std::string error;
        ASSERT_TRUE(ecam::ReadECamProfileFile(dir.Write(name, bytes), back, &error)) << error;
        EXPECT_EQ(back.unit, L"毫米");
        EXPECT_EQ(back.masterPulse + L"/" + back.masterUnits, L"10000/2");
        EXPECT_EQ(back.points, profile.points);
        EXPECT_EQ(back.announcedPoints, 3);
    }

    // Cut after its first row: that row loads, and the loader says so.
    const std::string full = ecam::EncodeECamProfile(profile);
    const auto cut = dir.Write("cut.ecam", full.substr(0, full.find("  100.500000")));
    std::vector<ECamPoint> points;
    std::string error, warning;
    ASSERT_TRUE(ecam::LoadPointList(cut, points, &error, &warning)) << error;
    EXPECT_EQ(points, std::vector<ECamPoint>{profile.points[0]});
    EXPECT_EQ(warning, cut.string() + ": holds 1 point rows, fewer than the 3 its count line announces (file cut short?)");
}

TEST(ReadByContent, PointListsAndTextWorkbooksReadWhateverTheirLineEndsMarksAndSeparators)
{
    ecamtest::TempDir dir("by_content_lists");
    const std::vector<ECamPoint> four = {{0, 0, 0, kECamPoly}, {10, 5, 0.5, kECamLinear}, {20, 7, 0, kECamPoly}};
    const std::vector<ECamPoint> two = {{0, 0, 0, kECamLinear}, {10, 5, 0, kECamLinear}, {20, 7, 0, kECamLinear}};
    const std::string own = "# master,slave,speed,type\n0,0,0,1\n10,5,0.5,0\n20,7,0,1\n";
    const struct {
        const char* name;
        std::string bytes;
        std::vector<ECamPoint> points;
    } cases[] = {
        {"cr.csv", replaceAll(own, "\n", "\r"), four},
        {"crlf.csv", replaceAll(own, "\n", "\r\n"), four},
        {"bom.csv", "\xEF\xBB\xBF" + own, four},
        {"named.csv", "master,slave,speed,type\r\n0,0,0,1\r\n10,5,0.5,0\r\n20,7,0,1\r\n", four},
        {"semicolon.csv", "master;slave\n0;0\n10;5\n20;7\n", two},
        {"tab.csv", "0\t0\t0\t1\r10\t5\t0.5\t0\r20\t7\t0\t1\r", four},
        // Text named like a workbook: the panel's import rule (last row Poly,
        // speeds derived along the lines).
        {"cr.xls", "0,0\r10,5\r20,7\r", {{0, 0, 0.5, kECamLinear}, {10, 5, 0.2, kECamLinear}, {20, 7, 0.2, kECamPoly}}},
        {"semicolon.xlsx", "0;0\n10;5\n20;7\n", {{0, 0, 0.5, kECamLinear}, {10, 5, 0.2, kECamLinear}, {20, 7, 0.2, kECamPoly}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<ECamPoint> points;
        std::string error;
        ASSERT_TRUE(ecam::LoadPointList(dir.Write(c.name, c.bytes), points, &error)) << error;
        EXPECT_EQ(points, c.points);  // derived speeds 5/10 and 2/10 are exact
    }

    // Markup is refused with what it is, whatever its name.
    const struct {
        const char* name;
        const char* bytes;
        ecam::ReadFailure kind;
    } refused[] = {
        {"page.xls", "\xEF\xBB\xBF\r\n<!DOCTYPE html><html><table><tr><td>0</td><td>0</td></tr></table>",
         ecam::ReadFailure::HtmlPage},
        {"page.xlsx", "<TABLE><TR><TD>10</TD><TD>5</TD></TR></TABLE>", ecam::ReadFailure::HtmlPage},
        {"data.xls", "<?xml version=\"1.0\"?><rows><r>0,0</r></rows>", ecam::ReadFailure::XmlDocument},
    };
    for (const auto& r : refused) {
        std::vector<ECamPoint> points;
        std::string error;
        const auto path = dir.Write(r.name, r.bytes);
        EXPECT_FALSE(ecam::LoadPointList(path, points, &error)) << r.name;
        EXPECT_EQ(error, path.string() + ": " + ecam::ReadFailureText(r.kind));
    }
}

TEST(ReadByContent, TheLargestCamASaveAllowsOpensAgainInEveryFormat)
{
    ecamtest::TempDir dir("by_content_largest");
    // Not starting at master 0: the import adds the origin point, which
    // must not count against the cap.
    std::vector<ECamPoint> points(ecam::kMaxFilePoints);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {10.0 + double(i), double(i % 7), 0, i + 1 == points.size() ? kECamPoly : kECamLinear};
    for (const char* name : {"big.ecam", "big.csv", "big.xlsx"}) {
        SCOPED_TRACE(name);
        std::string error;
        ASSERT_TRUE(ecam::SavePointList(dir / name, points, &error)) << error;
        std::vector<ECamPoint> back;
        // (Reading time is not what is tested: a loaded machine may take
        // longer than the user's two seconds.)
        CMSExcelHelper excel;
        ecam::ECamProfile profile;
        const std::string n = name;
        ASSERT_TRUE(n == "big.xlsx"   ? ecam::ImportSpecialPointsWorkbook(excel, dir / name, back, nullptr, &error,
                                                                        std::chrono::seconds(50))
                    : n == "big.ecam" ? ecam::ReadECamProfileFile(dir / name, profile, &error, nullptr,
                                                                  std::chrono::seconds(50))
                                      : ecam::LoadPointList(dir / name, back, &error))
            << error;
        if (n == "big.ecam")
            back = profile.points;
        EXPECT_EQ(back.size(), points.size() + (std::string(name) == "big.xlsx" ? 1 : 0));
    }
    // One more is refused at the save, with the words the reader would use.
    points.push_back({1e9, 0, 0, kECamPoly});
    std::string error;
    EXPECT_FALSE(ecam::SavePointList(dir / "over.csv", points, &error));
    EXPECT_EQ(error, (dir / "over.csv").string() + ": " + ecam::ReadFailureText(ecam::ReadFailure::TooManyPoints));
    EXPECT_FALSE(std::filesystem::exists(dir / "over.csv"));
}
