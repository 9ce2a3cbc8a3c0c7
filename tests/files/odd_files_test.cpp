// Files as other programs leave them: a profile re-saved by a text editor
// or cut short, point lists with other line ends, marks, headers and
// separators, web pages named like workbooks, and the largest cam a save
// allows, which must open again. Then one test per kind of damage or
// hostility, each generated here: the read fails with its kind (or reads
// what is sound) quickly, never crashes, blocks or exhausts memory. Large
// files are made in the test and removed.
#include "files/ecam_file.h"
#include "files/gbk.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"
#include "files/safe_file.h"
#include "tests/support/profile_literal.h"
#include "tests/support/temp_dir.h"
#include "zip_builder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using ecam::ReadFailure;
using V = std::vector<std::wstring>;

class Hostile : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& bytes) { return dir.Write(name, bytes); }
    // Opens a workbook; the failure kind, None when it opened. The deadline
    // is a backstop far beyond any machine's speed, so the kind depends on the
    // file only, not on the machine's load.
    ReadFailure open(const fs::path& path, V* first = nullptr, std::chrono::milliseconds limit = std::chrono::minutes(1))
    {
        CMSExcelHelper x;
        const int ok = x.OpenExcel(path, limit);
        if (ok && first)
            x.ReadColumnFromBegin(1, 1, *first);
        return ok ? ReadFailure::None : x.LastFailure();
    }
    ReadFailure openProfile(const fs::path& path, ecam::ECamProfile& p)
    {
        ReadFailure kind = ReadFailure::None;
        std::string error;
        ecam::ReadECamProfileFile(path, p, &error, &kind, std::chrono::minutes(1));
        return kind;
    }
    ecamtest::TempDir dir{"hostile"};
};

// Files as other programs leave them, in the same kind of folder.
class ReadByContent : public Hostile {};

using ecamtest::ProfileText;

std::string replaceAll(std::string s, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
        s.replace(at, from.size(), to);
    return s;
}

} // namespace

TEST_F(ReadByContent, ProfilesResavedAsUtf8ReadAsTheOriginalAndACutOneSaysSo)
{
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
        EXPECT_EQ(std::tie(back.unit, back.masterPulse, back.masterUnits, back.points, back.announcedPoints),
                  std::make_tuple(profile.unit, profile.masterPulse, profile.masterUnits, profile.points, 3L));
    }

    // Cut after its first row: that row loads, and the loader says so.
    const std::string full = ecam::EncodeECamProfile(profile);
    const auto cut = dir.Write("cut.ecam", full.substr(0, full.find("  100.500000")));
    std::vector<ECamPoint> points;
    std::string error, warning;
    ASSERT_TRUE(ecam::LoadPointList(cut, points, &error, &warning)) << error;
    EXPECT_EQ(points, std::vector<ECamPoint>{profile.points[0]});
    EXPECT_EQ(warning, cut.string() + ": 只有1行点数据, 少于点数行所写的3个 (文件被截断?)");
}

TEST_F(ReadByContent, PointListsAndTextWorkbooksReadWhateverTheirLineEndsMarksAndSeparators)
{
    const std::vector<ECamPoint> four = {{0, 0, 0, kECamPoly}, {10, 5, 0.5, kECamLinear}, {20, 7, 0, kECamPoly}};
    const std::vector<ECamPoint> two = {{0, 0, 0, kECamLinear}, {10, 5, 0, kECamLinear}, {20, 7, 0, kECamLinear}};
    const std::string own = "# master,slave,speed,type\n0,0,0,1\n10,5,0.5,0\n20,7,0,1\n";
    const std::vector<ECamPoint> derived = {{0, 0, 0.5, kECamLinear}, {10, 5, 0.2, kECamLinear}, {20, 7, 0.2, kECamPoly}};
    const struct {
        const char* name;
        std::string bytes;
        std::vector<ECamPoint> points;
        ReadFailure kind = ReadFailure::None;
    } cases[] = {
        {"cr.csv", replaceAll(own, "\n", "\r"), four},
        {"crlf.csv", replaceAll(own, "\n", "\r\n"), four},
        {"bom.csv", "\xEF\xBB\xBF" + own, four},
        {"named.csv", "master,slave,speed,type\r\n0,0,0,1\r\n10,5,0.5,0\r\n20,7,0,1\r\n", four},
        {"semicolon.csv", "master;slave\n0;0\n10;5\n20;7\n", two},
        {"tab.csv", "0\t0\t0\t1\r10\t5\t0.5\t0\r20\t7\t0\t1\r", four},
        // Text named like a workbook: the panel's import rule (last row Poly,
        // speeds derived along the lines; 5/10 and 2/10 are exact).
        {"cr.xls", "0,0\r10,5\r20,7\r", derived},
        {"semicolon.xlsx", "0;0\n10;5\n20;7\n", derived},
        // Markup is refused with what it is, whatever its name.
        {"page.xls", "\xEF\xBB\xBF\r\n<!DOCTYPE html><html><table><tr><td>0</td><td>0</td></tr></table>", {},
         ReadFailure::HtmlPage},
        {"page.xlsx", "<TABLE><TR><TD>10</TD><TD>5</TD></TR></TABLE>", {}, ReadFailure::HtmlPage},
        {"data.xls", "<?xml version=\"1.0\"?><rows><r>0,0</r></rows>", {}, ReadFailure::XmlDocument},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<ECamPoint> points;
        std::string error;
        const auto path = dir.Write(c.name, c.bytes);
        EXPECT_EQ(ecam::LoadPointList(path, points, &error), c.kind == ReadFailure::None);
        EXPECT_EQ(error, c.kind == ReadFailure::None ? "" : path.string() + ": " + ecam::ReadFailureText(c.kind));
        EXPECT_EQ(points, c.points);
    }
}

TEST_F(ReadByContent, TheLargestCamASaveAllowsOpensAgainInEveryFormat)
{
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

    // A workbook of one row more than the cap (the cap counts the rows the
    // file holds): refused, the points kept.
    std::string csv;
    for (size_t i = 1; i <= ecam::kMaxFilePoints + 1; ++i)
        csv += std::to_string(i) + "," + std::to_string(i) + "\n";
    CMSExcelHelper x;
    std::vector<ECamPoint> pts{{1, 2, 3, 0}};
    ReadFailure kind = ReadFailure::None;
    EXPECT_FALSE(ecam::ImportSpecialPointsWorkbook(x, dir.Write("over.csv", csv), pts, &kind, nullptr,
                                                   std::chrono::seconds(50)));
    EXPECT_EQ(kind, ReadFailure::TooManyPoints);
    EXPECT_EQ(pts, (std::vector<ECamPoint>{{1, 2, 3, 0}}));
}

TEST_F(Hostile, TruncatedZipAndCompoundDocumentsFailCleanly)
{
    for (const char* name : {"office_formulas.xlsx", "office_formulas.ods", "office_formulas.xls"}) {
        const std::string whole = ecamtest::ReadFileBytes(fs::path(ECAM_TEST_DATA) / name);
        const std::string ext = fs::path(name).extension().string();
        V full;
        ASSERT_EQ(open(write("whole" + ext, whole), &full), ReadFailure::None);
        ASSERT_EQ(full.size(), 11u);
        for (size_t cut = 0; cut < whole.size(); cut += 61) {
            // Fails, or (cut in unused sectors at the end) reads everything.
            V first;
            const ReadFailure kind = open(write("cut" + ext, whole.substr(0, cut)), &first);
            if (kind == ReadFailure::None)
                EXPECT_EQ(first, full) << name << " cut at " << cut;
            else
                EXPECT_EQ(kind, ReadFailure::Damaged) << name << " cut at " << cut;
        }
    }
    // A damaged legacy workbook that crashed a library reader: its sound cells read.
    V first;
    EXPECT_EQ(open(fs::path(ECAM_TEST_DATA) / "damaged_crashes_reader.xls", &first), ReadFailure::None);
    EXPECT_EQ(first, (V{L"", L"20.00", L"30.00"}));
}

TEST_F(Hostile, ZipBombStopsAtTheInflatedCapOrAPassedDeadline)
{
    // 160 MB of spaces in a sheet part of about 160 KB, claiming 4 KB.
    ziptest::Member bomb = ziptest::Deflated("xl/worksheets/sheet1.xml", std::string(1 << 20, ' '), 160);
    bomb.size = 4096;
    const std::string pkg = ziptest::Xlsx(bomb);
    ASSERT_LT(pkg.size(), 4u << 20);
    const fs::path p = write("bomb.xlsx", pkg);
    EXPECT_EQ(open(p), ReadFailure::TooLarge);
    // A deadline already passed ends it at the inflating loop's first look.
    EXPECT_EQ(open(p, nullptr, std::chrono::milliseconds(0)), ReadFailure::TimedOut);
}

TEST_F(Hostile, HugeRepeatsAndFarCornerCells)
{
    // A filled row of all columns repeated over all rows: billions of cells.
    const std::string filled = "<table:table-row table:number-rows-repeated=\"1048576\"><table:table-cell "
                               "table:number-columns-repeated=\"16384\" office:value-type=\"float\" "
                               "office:value=\"1\"/></table:table-row>";
    EXPECT_EQ(open(write("filled.ods", ziptest::Ods(filled))), ReadFailure::TooLarge);
    // More columns than a sheet has.
    EXPECT_EQ(open(write("wide.ods", ziptest::Ods("<table:table-row><table:table-cell "
                                                    "table:number-columns-repeated=\"999999999\"/></table:table-row>"))),
              ReadFailure::Damaged);
    // Empty padding of the whole sheet, as the office suite writes it, costs nothing.
    const std::string padded = "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"5\"/>"
                               "<table:table-cell table:number-columns-repeated=\"16383\"/></table:table-row>"
                               "<table:table-row table:number-rows-repeated=\"1048575\"><table:table-cell "
                               "table:number-columns-repeated=\"16384\"/></table:table-row>";
    V first;
    EXPECT_EQ(open(write("padded.ods", ziptest::Ods(padded)), &first), ReadFailure::None);
    EXPECT_EQ(first, V{L"5"});

    // One cell in the far corner next to real rows: the rows read, at once.
    const std::string corner = "<row r=\"1\"><c r=\"A1\"><v>10</v></c><c r=\"B1\"><v>5</v></c></row>"
                               "<row r=\"2\"><c r=\"A2\"><v>20</v></c><c r=\"B2\"><v>7</v></c></row>"
                               "<row r=\"1048576\"><c r=\"XFD1048576\" t=\"inlineStr\"><is><t>far</t></is></c></row>";
    CMSExcelHelper x;
    std::vector<ECamPoint> pts;
    ASSERT_TRUE(ecam::ImportSpecialPointsWorkbook(x, write("corner.xlsx", ziptest::Xlsx(corner)), pts));
    EXPECT_EQ(pts, (std::vector<ECamPoint>{{0, 0, 0.5, kECamLinear}, {10, 5, 0.2, kECamLinear}, {20, 7, 0.2, kECamPoly}}));
    // Beyond the sheet's last column or row: damage.
    EXPECT_EQ(open(write("beyond.xlsx", ziptest::Xlsx("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>"))),
              ReadFailure::Damaged);
    EXPECT_EQ(open(write("below.xlsx", ziptest::Xlsx("<row r=\"1048577\"><c><v>1</v></c></row>"))),
              ReadFailure::Damaged);
}

TEST_F(Hostile, FilesThatAreNoFilesAreNeverWrittenOver)
{
    // (Reading them: the panel's and the tool's file tests.)
    fs::create_symlink("/dev/zero", dir / "zero.xls");
    fs::create_directory(dir / "dir.xlsx");
    CMSExcelHelper x;
    EXPECT_EQ(x.InitExcel(dir / "zero.xls"), 0);
    EXPECT_EQ(x.InitExcel(dir / "dir.xlsx"), 0);
    std::string error;
    EXPECT_FALSE(ecam::SaveFile(dir / "dir.xlsx", "x", error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_TRUE(fs::is_directory(dir / "dir.xlsx"));
}

TEST_F(Hostile, HundredMegabytesOfLinesAndCountLinesThatLieOrAreMissing)
{
    const std::string lines(100u << 20, '\n');
    // A profile of 3 rows followed by 100 MB: only what the count names is read.
    ecam::ECamProfile p;
    const fs::path tail = write("tail.ecam", ProfileText("凸轮点数量,   3", "1,1,0,0\r\n2,2,0,0\r\n3,3,0,1\r\n") + lines);
    EXPECT_EQ(openProfile(tail, p), ReadFailure::None);
    EXPECT_EQ(p.points, (std::vector<ECamPoint>{{1, 1, 0, kECamLinear}, {2, 2, 0, kECamLinear}, {3, 3, 0, kECamPoly}}));
    // With a count that reaches into them, every line is a point: past the cap.
    p = {};
    EXPECT_EQ(openProfile(write("many.ecam", ProfileText("凸轮点数量,   200000000", "") + lines), p),
              ReadFailure::TooManyPoints);
    EXPECT_TRUE(p.points.empty());
    // As a workbook it is larger than any we read: refused by its size.
    fs::rename(dir / "many.ecam", dir / "many.csv");
    EXPECT_EQ(open(dir / "many.csv"), ReadFailure::TooLarge);

    // A count line anywhere but line 7 (or none): not a profile.
    p.unit = L"kept";
    EXPECT_EQ(openProfile(write("early.ecam", ecam::Utf8ToGbk("凸轮点数量, 2\r\n0,0,0,1\r\n9,9,0,1\r\n")), p),
              ReadFailure::NotAProfile);
    EXPECT_EQ(openProfile(write("empty.ecam", ""), p), ReadFailure::NotAProfile);
    EXPECT_EQ(openProfile(write("binary.ecam", std::string(5000, '\0')), p), ReadFailure::NotAProfile);
    EXPECT_EQ(p.unit, L"kept");
    // One line of 50 MB without a line end: cut, the read still ends.
    EXPECT_EQ(openProfile(write("oneline.ecam", std::string(50u << 20, 'x')), p), ReadFailure::NotAProfile);
    // A very long row is cut, the rows after it still read.
    const std::string longRow = "5,6,0,1" + std::string(200000, ' ') + "\r\n8,9,0,1\r\n";
    EXPECT_EQ(openProfile(write("longrow.ecam", ProfileText("凸轮点数量, 2", longRow)), p), ReadFailure::None);
    EXPECT_EQ(p.points, (std::vector<ECamPoint>{{5, 6, 0, kECamPoly}, {8, 9, 0, kECamPoly}}));
}
