// .ecam codec: golden bytes and hand-edited or damaged files. (Reading and
// writing the files themselves: the panel's and the tool's file tests.)
#include "files/ecam_file.h"
#include "files/gbk.h"

#include <gtest/gtest.h>

using namespace ecam;

namespace {

// GBK bytes of the fixed labels and of a unit name, spelled out by hand so
// the test does not share the code's conversion.
const std::string kVersion = "\xba\xf3\xcc\xa8\xc8\xed\xbc\xfe\xb0\xe6\xb1\xbe";
const std::string kTime = "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xca\xb1\xbc\xe4";
const std::string kLength = "\xd6\xf7\xd6\xe1\xb3\xa4\xb6\xc8";
const std::string kUnit = "\xb5\xa5\xce\xbb";
const std::string kSlaveRatio = "\xb4\xd3\xd6\xe1\xb5\xa5\xce\xbb\xd7\xaa\xbb\xbb\xc2\xca";
const std::string kMasterRatio = "\xd6\xf7\xd6\xe1\xb5\xa5\xce\xbb\xd7\xaa\xbb\xbb\xc2\xca";
const std::string kCount = "\xcd\xb9\xc2\xd6\xb5\xe3\xca\xfd\xc1\xbf";
const std::string kMillimetre = "\xba\xc1\xc3\xd7"; // 毫米

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
    // No byte-order mark; values wider than 12 characters are never cut; the type is written as held.
    const std::string head = kVersion + ", 1.0.0.0\r\n" + kTime + ", 2026\xc4\xea" "12\xd4\xc2" "05\xc8\xd5" "14:38:36\r\n"
                             + kLength + ", 1000\r\n" + kUnit + ", ";
    const std::string tail = "\r\n" + kSlaveRatio + ", 131072/10\r\n" + kMasterRatio + ", 10000/360\r\n" + kCount
                             + ",   2\r\n           M,\t            S,\t            V,\t            T\t\r\n"
                               "  -12.500000,\t 123456.750000,\t    -0.000001,\t            0\t\r\n"
                               "1234567.125000,\t     0.000000,\t     2.500000,\t            7\t\r\n";
    EXPECT_EQ(EncodeECamProfile(p), head + kMillimetre + tail);

    // Long and unmappable texts are written whole, without overrun; the
    // emoji has no GBK code and becomes the default character.
    p.unit.assign(5000, L'单');
    p.unit += L"\U0001F600€";
    std::string unit;
    for (int i = 0; i < 5000; ++i)
        unit += "\xb5\xa5";
    EXPECT_EQ(EncodeECamProfile(p), head + unit + "?\x80" + tail);
}

TEST(ECamFileDecode, HandEditedFiles)
{
    const std::string head = kVersion + ", 9\n" + kTime + ", t\n" + kLength + ", 720.9mm\n";
    // LF endings, a unit with a comma, ratios without "/", type 2 and empty type.
    const ECamProfile p = DecodeECamProfile(
        head + kUnit + ", mm,per turn\n" + kSlaveRatio + ",  4096 \n" + kMasterRatio +
        ", 1/2/3\n" + kCount + ", 3\nM,S,V,T\n1,2,3,2\n4 , 5 ,6 ,\n7,8,9,1");
    EXPECT_EQ(p.masterLength, L"720.9mm");
    EXPECT_EQ(ECamMasterLengthValue(p), 720);
    EXPECT_EQ(p.unit, L"mm");
    EXPECT_EQ(p.slavePulse, L"");
    EXPECT_EQ(p.slaveUnits, L"4096");
    EXPECT_EQ(p.masterPulse, L"1");
    EXPECT_EQ(p.masterUnits, L"2/3");
    EXPECT_EQ(p.points, (std::vector<ECamPoint>{{1, 2, 3, kECamLinear}, {4, 5, 6, kECamLinear}, {7, 8, 9, kECamPoly}}));

    // CR LF endings and garbage fields: numbers are their leading digits, else 0.
    const ECamProfile g = DecodeECamProfile(
        head + "x\r\ny\r\nz\r\n" + kCount + ",   3abc\r\nM\r\n12.5e1xyz, -.5, abc, 1\r\n\r\n"
        + "nan, -inf, 1e999, 1\r\n");
    // An empty line inside the rows is a row; non-finite numbers read as 0;
    // header lines without a comma hold no value.
    EXPECT_TRUE(g.unit.empty() && g.slaveUnits.empty() && g.masterUnits.empty());
    EXPECT_EQ(g.points, (std::vector<ECamPoint>{{125, -0.5, 0, kECamPoly}, {0, 0, 0, kECamLinear}, {0, 0, 0, kECamPoly}}));
}

TEST(ECamFileDecode, CountsThatDisagreeWithTheRowsAndBadBytes)
{
    const std::string head = "a,1\nb,2\nc,100\nd,u\ne,1/2\nf,3/4\n";
    auto rows = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += std::to_string(i * 10) + ",0,0,1\r\n";
        return s;
    };
    EXPECT_EQ(DecodeECamProfile(head + "g, 5\nh\n" + rows(2)).points.size(), 2u);  // stops at the end
    EXPECT_EQ(DecodeECamProfile(head + "g, 1\nh\n" + rows(3)).points.size(), 1u);  // extra rows ignored
    EXPECT_EQ(DecodeECamProfile(head + "g, -4\nh\n" + rows(3)).points.size(), 0u);
    EXPECT_EQ(DecodeECamProfile(head + "g, 0\nh\n" + rows(3)).points.size(), 0u);
    EXPECT_EQ(DecodeECamProfile(head + "g, 99999999999999999999\nh\n" + rows(3)).points.size(), 3u);
    // A file cut short in its header reads as far as it goes.
    const ECamProfile cut = DecodeECamProfile("a,1\nb,2\nc, 55");
    EXPECT_EQ(cut.masterLength, L"55");
    EXPECT_TRUE(cut.unit.empty());
    EXPECT_TRUE(cut.points.empty());
    EXPECT_TRUE(DecodeECamProfile("").points.empty());

    // Bad bytes never stop the read: a lone lead byte at the end of the unit, an invalid pair, NULs.
    std::string bytes = "a,1\nb,2\nc,3\n" + kUnit + ", \xba\xc1\xc3\n";
    bytes += "e, \x81\x20/1\n" + std::string("f,\0/2\n", 6);
    bytes += kCount + ", 1\nh\n5,6,7,1\n";
    const ECamProfile p = DecodeECamProfile(bytes);
    EXPECT_EQ(p.unit, L"毫\uFFFD");
    EXPECT_EQ(p.slaveUnits, L"1");
    EXPECT_EQ(p.masterUnits, L"2");
    EXPECT_EQ(p.points, std::vector<ECamPoint>{(ECamPoint{5, 6, 7, kECamPoly})});
}
