// Text helpers: GBK conversion, C-like number reading, and the special-point
// import rule shared by the panel and the command-line tool.
#include "files/gbk.h"
#include "cam/c_number.h"
#include "files/point_list_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <tuple>

using namespace ecam;

TEST(Gbk, ConvertsBothWaysAndReplacesWhatItCannotHold)
{
    EXPECT_EQ(WideToGbk(L"a毫米1"), "a\xba\xc1\xc3\xd7" "1");
    EXPECT_EQ(GbkToWide("a\xba\xc1\xc3\xd7" "1"), L"a毫米1");
    EXPECT_EQ(Utf8ToGbk("\xe6\xaf\xab"), "\xba\xc1");
    EXPECT_EQ(GbkToUtf8("\xba\xc1"), "\xe6\xaf\xab");
    EXPECT_EQ(WideToGbk(L"x\U0001F600y"), "x?y");          // no GBK code
    EXPECT_EQ(GbkToWide("x\xba"), L"x\uFFFD");              // lone lead byte at the end
    EXPECT_EQ(GbkToWide("\xff\xff" "z"), L"\uFFFD\uFFFDz"); // invalid bytes
    EXPECT_EQ(Utf8ToWide("\xc3"), L"\uFFFD");                // truncated UTF-8
    EXPECT_EQ(Utf8ToWide("\xed\xa0\x80"), L"\uFFFD");        // encoded surrogate
    EXPECT_EQ(WideToUtf8(L"\U0001F600"), "\xf0\x9f\x98\x80");
    // Long inputs cross the converter's internal buffer boundary intact.
    const std::wstring longText(10000, L'米');
    EXPECT_EQ(GbkToWide(WideToGbk(longText)), longText);
}

TEST(LeadingNumber, ReadsLikeTheCLibraryWhateverTheLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // A locale with "," as decimal separator, if the machine has one.
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(LeadingDouble(L"  12.75mm"), 12.75);
    EXPECT_EQ(LeadingDouble(L"-1e3,5"), -1000.0);
    EXPECT_EQ(LeadingDouble(L"abc"), 0.0);
    EXPECT_EQ(LeadingDouble(L""), 0.0);
    EXPECT_EQ(LeadingDouble(L"0x10"), 16.0);
    EXPECT_EQ(LeadingDouble(L"3毫米"), 3.0);
    EXPECT_EQ(LeadingLong(L" +42.9"), 42);
    EXPECT_EQ(LeadingLong(L"-7x"), -7);
    EXPECT_EQ(LeadingInt(L"99999999999"), 2147483647);
    EXPECT_EQ(LeadingInt(L"-99999999999"), -2147483647 - 1);
    EXPECT_EQ(FixedText(1000, 2), L"1000.00");
    EXPECT_EQ(FixedText(-0.005, 2), L"-0.01");
    EXPECT_EQ(FixedText(2.675, 2), L"2.67"); // the binary value is below 2.675, as printf says
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!german)
        std::printf("note: no de_DE locale here; checked in the C locale only\n");
}

TEST(SpecialPoints, OriginRuleSkippedRowsAndTheOnePolyPoint)
{
    using V = std::vector<std::wstring>;
    const ECamPoint o{0, 0, 0, kECamLinear};
    const struct {
        V masters, slaves;
        std::vector<ECamPoint> points;
    } cases[] = {
        // First row (0, 0): no origin point added; one point per complete row.
        {{L"0", L"10", L"20"}, {L"0.00", L"5", L"7"}, {o, {10, 5, 0, kECamLinear}, {20, 7, 0, kECamPoly}}},
        // First row (10, 5): the origin comes first; an empty cell skips its row.
        {{L"10", L"", L"30", L"40"}, {L"5", L"6", L"", L"9"}, {o, {10, 5, 0, kECamLinear}, {40, 9, 0, kECamPoly}}},
        // The last row skipped: no Poly point at all. Text reads as its leading number.
        {{L"1x", L"abc", L"nan", L"3"}, {L"2", L"4", L"inf", L""}, {o, {1, 2, 0, kECamLinear}, {0, 4, 0, kECamLinear}, o}},
        // A shorter second column reads only the complete rows; an empty first
        // column gives nothing, not even the origin.
        {{L"0", L"1", L"2"}, {L"0"}, {o}},
        {{}, {L"3"}, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(SpecialPointsFromColumns(c.masters, c.slaves), c.points) << c.masters.size();

    // Only a first row that is the origin on both axes stands for it: (0, s)
    // and (m, 0) get the origin in front; "-0" and "0e3" are the origin.
    const std::tuple<std::wstring, std::wstring, bool> firstRows[] = {
        {L"0", L"5", true}, {L"0", L"-0.01", true}, {L"7.5", L"0", true}, {L"-3", L"0.00", true},
        {L"-0", L"0", false}, {L"0e3", L"-0.0", false}, {L"0.00", L"0", false}};
    for (const auto& [m, sl, origin] : firstRows) {
        const auto pts = SpecialPointsFromColumns(V{m, L"20"}, V{sl, L"9"});
        std::vector<ECamPoint> expected;
        if (origin)
            expected.push_back(o);
        expected.push_back({LeadingDouble(m), LeadingDouble(sl), 0, kECamLinear});
        expected.push_back({20, 9, 0, kECamPoly});
        EXPECT_EQ(pts, expected) << std::string(m.begin(), m.end()) << ", " << std::string(sl.begin(), sl.end());
    }
}
