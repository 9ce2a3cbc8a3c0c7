// Special-point workbooks: written by us in each format we write and read
// back, and workbooks in the other formats we read, made here by the test.
#include "files/ms_excel_helper.h"
#include "tests/support/temp_dir.h"
#include "tests/support/workbook_column.h"
#include "zip_builder.h"

#include <xlsxwriter.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

namespace {

using V = std::vector<std::wstring>;
using ecamtest::WorkbookColumn;

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

TEST_F(Workbook, WrittenByUsReadsBackInEachFormat)
{
    std::vector<V> rows;
    for (int i = 0; i < 1500; ++i)
        rows.push_back({std::to_wstring(i) + L".00", std::to_wstring(i * 2) + L".50"});
    rows[3] = {};
    rows[7] = {L"毫米", L""};
    for (const char* name : {"SpecECam1.xls", "points.XLSX"}) {
        SCOPED_TRACE(name);
        const auto path = dir / name;
        ASSERT_TRUE(save(path, rows));
        const V first = WorkbookColumn(path, 1), second = WorkbookColumn(path, 2);
        ASSERT_EQ(first.size(), 1500u);
        ASSERT_EQ(second.size(), 1500u);
        EXPECT_EQ(first[0], L"0.00");
        EXPECT_EQ(second[1499], L"2998.50");
        EXPECT_EQ(first[3] + second[3], L"");
        EXPECT_EQ(first[7], L"毫米");
        EXPECT_EQ(second[7], L"");
        EXPECT_EQ(WorkbookColumn(path, 3), V{});
        EXPECT_EQ(WorkbookColumn(path, 1, 2), V{}); // no second sheet
    }
}

TEST_F(Workbook, EmptySheetAndRefusedTargets)
{
    ASSERT_TRUE(save(dir / "empty.xls", {}));
    EXPECT_EQ(WorkbookColumn(dir / "empty.xls", 1), V{});
    ASSERT_TRUE(save(dir / "empty.xlsx", {}));
    EXPECT_EQ(WorkbookColumn(dir / "empty.xlsx", 1), V{});

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
}

TEST_F(Workbook, DamagedOrMissingFilesDoNotOpen)
{
    CMSExcelHelper x;
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

TEST_F(Workbook, NumericCellsFromOtherProgramsReadAsTheirShortestText)
{
    const auto path = dir / "numbers.xlsx";
    lxw_workbook* wb = workbook_new(path.c_str());
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Data");
    worksheet_write_number(ws, 0, 0, 10, nullptr);
    worksheet_write_number(ws, 0, 1, 2.5, nullptr);
    worksheet_write_number(ws, 2, 0, -0.125, nullptr);
    worksheet_write_string(ws, 2, 1, "7.75", nullptr);
    worksheet_write_formula_num(ws, 3, 0, "=A1*2", nullptr, 20);
    worksheet_write_string(ws, 1, 300, "far to the right", nullptr); // a wide sheet reads too
    ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
    EXPECT_EQ(WorkbookColumn(path, 1), (V{L"10", L"", L"-0.125", L"20"}));
    EXPECT_EQ(WorkbookColumn(path, 2), (V{L"2.5", L"", L"7.75"}));
}
