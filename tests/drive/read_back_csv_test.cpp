// The read-back CSV writer where the panel tests cannot reach: a file that
// cannot be created, and the exact bytes of extreme values.
#include "drive/read_back_csv.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ReadBackCsv, FormatsExtremesAndReportsAFileThatCannotBeCreated)
{
    EXPECT_EQ(camtable::FormatReadBackCsv({{-2147483647 - 1, 2147483647, -1, 65535}, {0, -0, 0, 0}}),
              "-2147483648 , 2147483647\r\n0 , 0\r\n");
    const auto missing = std::filesystem::temp_directory_path() / "no_such_dir_for_ecam" / "x.csv";
    EXPECT_FALSE(camtable::WriteReadBackCsv(missing.string(), {{1, 2, 0, 0}}));
}
