// .ecam codec: golden bytes and hand-edited or damaged files. (Reading and
// writing the files themselves: the panel's and the tool's file tests.)
#include "files/ecam_file.h"
#include "files/gbk.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace ecam;

namespace {

ECamProfile defaultProfile()
{
    ECamProfile p;
    p.hostVersion = L"1.0.0.0";
    p.saveTime = L"T";
    p.masterLength = L"1000";
    p.points = {{0, 0, 0, kECamPoly}, {1000, 0, 0, kECamPoly}};
    return p;
}

} // namespace

// The default cam's ten golden lines are checked byte for byte through the
// panel's save command.
TEST(ECamFileEncode, ChineseTextsAreGbkWrittenWholeAndRowsKeepTheirFields)
{
    ECamProfile p = defaultProfile();
    p.unit = L"毫米";
    p.saveTime = L"2026年12月05日14:38:36";
    p.slavePulse = L"131072";
    p.slaveUnits = L"10";
    p.masterPulse = L"10000";
    p.masterUnits = L"360";
    p.points = {{-12.5, 123456.75, -0.000001, kECamLinear}, {1234567.125, 1e-7, 2.5, 7}};
    // No byte-order mark; values wider than 12 characters are never cut; the
    // type is written as held. (The labels' GBK bytes are spelled out by hand
    // in the panel's golden file, and the conversion's in its own test.)
    const std::string head = Utf8ToGbk("后台软件版本, 1.0.0.0\r\n文件保存时间, 2026年12月05日14:38:36\r\n主轴长度, 1000\r\n单位, ");
    const std::string tail = Utf8ToGbk("\r\n从轴单位转换率, 131072/10\r\n主轴单位转换率, 10000/360\r\n凸轮点数量,   2\r\n"
                                       "           M,\t            S,\t            V,\t            T\t\r\n"
                                       "  -12.500000,\t 123456.750000,\t    -0.000001,\t            0\t\r\n"
                                       "1234567.125000,\t     0.000000,\t     2.500000,\t            7\t\r\n");
    EXPECT_EQ(EncodeECamProfile(p), head + Utf8ToGbk("毫米") + tail);

    // Long and unmappable texts are written whole, without overrun; the
    // emoji has no GBK code and becomes the default character.
    p.unit.assign(5000, L'单');
    p.unit += L"\U0001F600€";
    std::string unit;
    for (int i = 0; i < 5000; ++i)
        unit += Utf8ToGbk("单");
    EXPECT_EQ(EncodeECamProfile(p), head + unit + "?\x80" + tail);
}

TEST(ECamFileDecode, HandEditedFilesCountsThatDisagreeWithTheRowsAndBadBytes)
{
    // The labels play no part in reading: the count is on line 7.
    const std::string head = "v, 9\nt, t\nl, 720.9mm\n";
    // LF endings, a unit with a comma, ratios without "/", type 2 and empty type.
    const ECamProfile p = DecodeECamProfile(head + "u, mm,per turn\ns,  4096 \nm, 1/2/3\nc, 3\nM,S,V,T\n"
                                            "1,2,3,2\n4 , 5 ,6 ,\n7,8,9,1");
    EXPECT_EQ(ECamMasterLengthValue(p), 720);
    EXPECT_EQ(std::tie(p.masterLength, p.unit, p.slavePulse, p.slaveUnits, p.masterPulse, p.masterUnits),
              std::tie(L"720.9mm", L"mm", L"", L"4096", L"1", L"2/3"));
    EXPECT_EQ(p.points, (std::vector<ECamPoint>{{1, 2, 3, kECamLinear}, {4, 5, 6, kECamLinear}, {7, 8, 9, kECamPoly}}));

    // CR LF endings and garbage fields: numbers are their leading digits, else 0.
    const ECamProfile g = DecodeECamProfile(
        head + "x\r\ny\r\nz\r\nc,   3abc\r\nM\r\n12.5e1xyz, -.5, abc, 1\r\n\r\n"
        + "nan, -inf, 1e999, 1\r\n");
    // An empty line inside the rows is a row; non-finite numbers read as 0;
    // header lines without a comma hold no value.
    EXPECT_TRUE(g.unit.empty() && g.slaveUnits.empty() && g.masterUnits.empty());
    EXPECT_EQ(g.points, (std::vector<ECamPoint>{{125, -0.5, 0, kECamPoly}, {0, 0, 0, kECamLinear}, {0, 0, 0, kECamPoly}}));

    // A count above the rows stops at their end, below them leaves the rest.
    const std::string rows = "h\n0,0,0,1\r\n10,0,0,1\r\n20,0,0,1\r\n";
    for (const auto& [count, size] : {std::pair{"5", 3u}, std::pair{"1", 1u}, std::pair{"-4", 0u}, std::pair{"0", 0u},
                                      std::pair{"99999999999999999999", 3u}})
        EXPECT_EQ(DecodeECamProfile(head + "u\ns\nm\ng, " + count + "\n" + rows).points.size(), size) << count;
    // A file cut short in its header reads as far as it goes.
    const ECamProfile cut = DecodeECamProfile("a,1\nb,2\nc, 55");
    EXPECT_EQ(cut.masterLength, L"55");
    EXPECT_TRUE(cut.unit.empty());
    EXPECT_TRUE(cut.points.empty());
    EXPECT_TRUE(DecodeECamProfile("").points.empty());

    // Bad bytes never stop the read: a lone lead byte at the end of the unit, an invalid pair, NULs.
    std::string bytes = "a,1\nb,2\nc,3\nd, \xba\xc1\xc3\n";
    bytes += "e, \x81\x20/1\n" + std::string("f,\0/2\n", 6);
    bytes += "g, 1\nh\n5,6,7,1\n";
    const ECamProfile b = DecodeECamProfile(bytes);
    EXPECT_EQ(std::tie(b.unit, b.slaveUnits, b.masterUnits), std::tie(L"毫\uFFFD", L"1", L"2"));
    EXPECT_EQ(b.points, std::vector<ECamPoint>{(ECamPoint{5, 6, 7, kECamPoly})});
}
