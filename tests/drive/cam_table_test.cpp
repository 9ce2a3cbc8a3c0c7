// Table building, the address walks of the two point tables, and the
// read-back CSV where the panel tests cannot reach: a file that cannot be
// created (its bytes, extremes included, are the panel's export test's).
#include "drive/cam_table.h"
#include "drive/read_back_csv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace camtable;

TEST(CamTableAddress, WalksMatchLayoutAndStayInTheirGroups)
{
    // Standard: 16 points per group at 6-word steps, 0x60..0x63 never used.
    // Special: 25 points per group at 4-word steps, the last at index 0x60.
    // end: the first index in a group that no word of a point reaches; spots: (point, its address).
    struct Walk { uint16_t base; int points, words, end; uint16_t (*at)(std::size_t); uint16_t (*next)(uint16_t);
                  std::vector<std::pair<std::size_t, uint16_t>> spots; };
    const Walk walks[] = {
        {kStandardBase, kStandardMaxPoints, 6, 0x60, StandardPointAddress, NextStandardAddress,
         {{15, 0x1E5A}, {16, 0x1F00}, {kStandardMaxPoints - 1, 0x2E5A}}},
        {kSpecialBase, kSpecialMaxPoints, 4, 0x64, SpecialPointAddress, NextSpecialAddress,
         {{24, 0x4060}, {25, 0x4100}, {kSpecialMaxPoints - 1, 0x7B60}}},
    };
    for (const Walk& w : walks) {
        std::set<uint16_t> used;
        uint16_t a = w.base;
        for (int k = 0; k < w.points; ++k, a = w.next(a)) {
            ASSERT_EQ(a, w.at(static_cast<std::size_t>(k))) << "point " << k;
            for (int i = 0; i < w.words; ++i) {
                const auto word = static_cast<uint16_t>(a + i);
                EXPECT_LT(word & 0xFF, w.end) << std::hex << word;
                EXPECT_TRUE(used.insert(word).second) << "word written twice: " << std::hex << word;
            }
        }
        for (const auto& [k, address] : w.spots)
            EXPECT_EQ(w.at(k), address) << "point " << k;
    }
}

TEST(CamTableBuild, StandardScalesTruncatesAndCodesSegmentsSpecialResamplesFromTheOrigin)
{
    using Table = std::vector<CamTable_Info>;
    const std::vector<ECamPoint> pts = {
        {5.5, 7.25, 1.239, kECamLinear},   // first: sent as 0,0 with its own speed and code
        {12.3456, -1.9, -0.019, kECamPoly},
        {-0.0019, 0.0004, 400.0, 7},        // any type but Linear is Poly; speed wraps to 16 bits
        {1000.0, 2147483.0, -327.68, kECamLinear},
    };
    EXPECT_EQ(BuildStandardTable(pts), (Table{{0, 0, 123, 1}, {12345, -1900, -1, 0},
                                              {-1, 0, static_cast<int16_t>(40000 - 65536), 0},
                                              {1000000, 2147483000, -32768, 1}}));
    EXPECT_EQ(ScaleTruncate(-1.9, 1000), -1900);
    EXPECT_EQ(ScaleTruncate(1e12, 1000), INT32_MAX);
    EXPECT_EQ(ScaleTruncate(-1e12, 1000), INT32_MIN);

    // Special: K = 10 > V = 4, so step 2.5 picks key points 2 and 5, then the
    // last one, after the origin; masters x100, slaves unscaled, both truncated.
    std::vector<ECamPoint> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back({i * 10.0 + 0.5, -(i * 3.0) - 0.7, 0, kECamPoly});
    EXPECT_EQ(BuildSpecialTable(ten, 4), (Table{{0, 0, 0, 0}, {2050, -6, 0, 0}, {5050, -15, 0, 0}, {9050, -27, 0, 0}}));
    EXPECT_EQ(BuildSpecialTable({{0, 0, 0, 1}, {12.3456, 99.99, 0, 1}}, 3), (Table{{0, 0, 0, 0}, {1234, 99, 0, 0}}));
}

TEST(ReadBackCsv, AFileThatCannotBeCreatedIsReported)
{
    const auto missing = std::filesystem::temp_directory_path() / "no_such_dir_for_ecam" / "x.csv";
    EXPECT_FALSE(camtable::WriteReadBackCsv(missing.string(), {{1, 2, 0, 0}}));
}
