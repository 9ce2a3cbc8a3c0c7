// The read-back CSV file, byte for byte.
#include "drive/read_back_csv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST(ReadBackCsv, WritesExactLinesReplacesFilesAndReportsFailure)
{
    const auto dir = std::filesystem::temp_directory_path() / ("ecam_csv_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "ReadECam1.csv";

    // An older, longer file at the path is replaced, not overwritten in place.
    {
        std::ofstream old(file, std::ios::binary);
        old << std::string(200, 'x');
    }
    const std::vector<CamTable_Info> table = {{0, 0, 0, 0}, {-2147483647 - 1, 12, 0, 0}, {1234, -5, 9, 9}};
    ASSERT_TRUE(camtable::WriteReadBackCsv(file.string(), table));
    EXPECT_EQ(Slurp(file), std::string("0 , 0\r\n-2147483648 , 12\r\n1234 , -5\r\n"));

    ASSERT_TRUE(camtable::WriteReadBackCsv(file.string(), {}));
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 0u);

    EXPECT_FALSE(camtable::WriteReadBackCsv((dir / "missing" / "x.csv").string(), table));
    std::filesystem::remove_all(dir);
}
