// Readers of untrusted files run in a child: crashes, exceptions and hangs
// become failures, and what the child reads arrives whole.
#include "files/isolated_read.h"
#include "files/ms_excel_helper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

using ecam::RunIsolated;

TEST(IsolatedRead, CrashesThrowsAndHangsBecomeFailures)
{
    std::string out = "stale";
    EXPECT_FALSE(RunIsolated([](std::string&) -> bool { std::abort(); }, out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(RunIsolated([](std::string&) -> bool { throw std::runtime_error("x"); }, out));
    EXPECT_FALSE(RunIsolated([](std::string& o) { o = "partial"; return false; }, out));
    EXPECT_TRUE(out.empty());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunIsolated([](std::string&) { for (volatile bool spin = true; spin;) {} return true; },
                             out, std::chrono::milliseconds(300)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    // Output larger than a pipe's buffer arrives whole.
    std::string big(1 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(RunIsolated([&](std::string& o) { o = big; return true; }, out));
    EXPECT_EQ(out, big);
}

TEST(IsolatedRead, AWorkbookThatCrashesItsReaderDoesNotOpen)
{
    // Found by fuzzing: this damaged legacy workbook makes the reading
    // library dereference a wild pointer.
    CMSExcelHelper x;
    EXPECT_EQ(x.OpenExcel(std::filesystem::path(ECAM_TEST_DATA) / "damaged_crashes_reader.xls"), 0);
    std::vector<std::wstring> cells{L"stale"};
    EXPECT_EQ(x.ReadColumnFromBegin(1, 1, cells), 0);
    EXPECT_TRUE(cells.empty());
}
