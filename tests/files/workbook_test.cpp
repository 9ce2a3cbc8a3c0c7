// Special-point workbooks: written by us in each format we write and read
// back; made here by the test in the other formats we read; and written by
// the real programs users have (the office suite and a Python spreadsheet
// library; tests/files/data/README says how they were made), where every
// cell the suite shows is read, whatever the format and the file's name.
#include "cam/c_number.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/workbook_column.h"
#include "zip_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

using V = std::vector<std::wstring>;
using ecamtest::WorkbookColumn;
const std::filesystem::path kData = ECAM_TEST_DATA;

class Workbook : public ::testing::Test {
protected:
    // Writes rows of (column 1, column 2) texts into sheet "ECamInfo".
    bool save(const std::filesystem::path& path, const std::vector<V>& rows)
    {
        CMSExcelHelper x;
        if (!x.InitExcel(path))
            return false;
        x.AddSheet(L"ECamInfo");
        for (size_t r = 0; r < rows.size(); ++r)
            if (!rows[r].empty())
                x.WriteLine(1, static_cast<int>(r) + 1, rows[r]);
        return x.CloseAndSaveExcel() != 0;
    }
    ecamtest::TempDir dir{"workbook_test"};
};

} // namespace

TEST_F(Workbook, WrittenByUsReadsBackInEachFormatAndRefusedTargetsAndFilesThatDoNotOpen)
{
    V first, second;
    for (int i = 0; i < 1500; ++i) {
        first.push_back(std::to_wstring(i) + L".00");
        second.push_back(std::to_wstring(i * 2) + L".50");
    }
    first[3] = second[3] = second[7] = L""; // row 4 not written, row 8 with an empty text
    first[7] = L"毫米";
    std::vector<V> rows;
    for (size_t r = 0; r < first.size(); ++r)
        rows.push_back(r == 3 ? V{} : V{first[r], second[r]});
    for (const char* name : {"SpecECam1.xls", "points.XLSX"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(save(dir / name, rows));
        EXPECT_EQ(WorkbookColumn(dir / name, 1), first);
        EXPECT_EQ(WorkbookColumn(dir / name, 2), second);
        EXPECT_EQ(WorkbookColumn(dir / name, 3), V{});
        EXPECT_EQ(WorkbookColumn(dir / name, 1, 2), V{}); // no second sheet
        ASSERT_TRUE(save(dir / name, {}));
        EXPECT_EQ(WorkbookColumn(dir / name, 1), V{});
    }

    CMSExcelHelper x;
    EXPECT_EQ(x.InitExcel(dir / "a.ods"), 0);   // a format we do not write
    EXPECT_EQ(x.InitExcel(dir / "a.txt"), 0);
    EXPECT_EQ(x.InitExcel(dir / "no" / "a.xls"), 0);
    EXPECT_EQ(x.WriteLine(1, 1, {L"1"}), 0);    // nothing started
    EXPECT_EQ(x.CloseAndSaveExcel(), 0);
    ASSERT_EQ(x.InitExcel(dir / "b.xls"), 1);
    EXPECT_EQ(x.WriteLine(1, 1, {L"1"}), 0);    // no sheet yet
    x.AddSheet(L"ECamInfo");
    EXPECT_EQ(x.WriteLine(1, 70000, {L"1"}), 1);
    EXPECT_EQ(x.CloseAndSaveExcel(), 0);        // beyond the legacy format's rows
    EXPECT_FALSE(std::filesystem::exists(dir / "b.xls"));

    // Damaged or missing files do not open, and a read after it gives nothing.
    const std::pair<const char*, std::string> files[] = {
        {"absent.xlsx", ""}, {"absent.xls", ""},
        {"junk.xlsx", "PK\x03\x04 not really a zip"}, {"junk.xls", std::string(600, '\x11')},
        {"junk.ods", ziptest::Zip({ziptest::Stored("content.xml", "<a><b")})}, {"points.txt", "1,2\n"}};
    for (const auto& [name, bytes] : files) {
        if (!bytes.empty())
            dir.Write(name, bytes);
        EXPECT_EQ(x.OpenExcel(dir / name), 0) << name;
    }
    V cells{L"stale"};
    EXPECT_EQ(x.ReadColumnFromBegin(1, 1, cells), 0);
    EXPECT_TRUE(cells.empty());
}

TEST(WorkbookFixtures, OfficeSuiteAndPythonLibraryFilesReadAsTheSuiteShowsThemInEveryFormat)
{
    const struct {
        std::vector<const char*> names;
        V first, second;
    } books[] = {
        // What the suite shows in office_formulas.fods, dates as serial
        // numbers and booleans as 1 and 0. Row 4: a text "30.5" and TRUE from
        // A3>B3; rows 5-6: a date and a date formula; row 6: a formula with a
        // text result; row 8: no master; row 11: FALSE from B2<0. (The points
        // the columns make: the import rule's test and the panel's agreement
        // with ecamctl.) The content decides the format, not the extension.
        {{"office_formulas.xls", "office_formulas.xlsx", "office_formulas.ods", "office_formulas_xlsx_named.xls",
          "office_formulas_xls_named.xlsx", "office_formulas_ods_named.xlsx"},
         {L"0", L"10", L"20", L"30.5", L"45306", L"45307", L"0.125", L"", L"40", L"30", L"45"},
         {L"0", L"5", L"15", L"1", L"7", L"12.5", L"125", L"9", L"0", L"-0.001", L"0"}},
        // Inline strings (with character references), an absolute sheet part
        // path, a boolean, a date as serial with a date format or as ISO text.
        {{"openpyxl_points.xlsx", "openpyxl_isodates.xlsx"},
         {L"0", L"12.5", L"25", L"45306", L"50", L"毫米", L"", L"100"},
         {L"0", L"6.25", L"12", L"8", L"1", L"-3.75", L"99", L"0.001"}}};
    for (const auto& book : books)
        for (const char* name : book.names) {
            SCOPED_TRACE(name);
            EXPECT_EQ(WorkbookColumn(kData / name, 1), book.first);
            EXPECT_EQ(WorkbookColumn(kData / name, 2), book.second);
            EXPECT_EQ(WorkbookColumn(kData / name, 3), V{});
        }
}

TEST(WorkbookFixtures, OfficeSuite1500RowsInBothFormatsAndSharedStringsRunningIntoContinueRecords)
{
    for (const char* name : {"points1500.xls", "points1500.xlsx"}) {
        SCOPED_TRACE(name);
        CMSExcelHelper x;
        std::vector<ECamPoint> pts;
        ASSERT_TRUE(ecam::ImportSpecialPointsWorkbook(x, kData / name, pts));
        ASSERT_EQ(pts.size(), 1500u);
        // make_office.sh's rows, parsed from the same decimal texts.
        for (int i = 0; i < 1500; ++i) {
            char m[32], s[32];
            std::snprintf(m, sizeof m, "%d.%02d", i * 2, i % 100);
            std::snprintf(s, sizeof s, "%d.%02d", i * 3 % 997, i * 7 % 100);
            ASSERT_EQ(pts[i].master, ecam::LeadingDouble(std::string_view(m))) << i;
            ASSERT_EQ(pts[i].slave, ecam::LeadingDouble(std::string_view(s))) << i;
        }
    }

    // make_office.sh's texts: "<i>.25 " + "毫米" every third row + i%50 "x".
    V first, second;
    for (int i = 0; i < 400; ++i) {
        first.push_back(std::to_wstring(i) + L".25 " + (i % 3 == 0 ? L"毫米" : L"") + std::wstring(size_t(i % 50), L'x'));
        second.push_back(std::to_wstring(i));
    }
    EXPECT_EQ(WorkbookColumn(kData / "long_strings.xls", 1), first);
    EXPECT_EQ(WorkbookColumn(kData / "long_strings.xls", 2), second);
}
