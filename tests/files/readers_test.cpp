// The pieces under the workbook readers: the XML tokenizer's refusals and
// decoding, dates as serial numbers, CSV text in either encoding, the zip
// reader's checks on what an archive claims, and every BIFF cell record in a
// compound document's mini stream.
#include "files/csv_reader.h"
#include "files/gbk.h"
#include "files/sheet_cells.h"
#include "files/xls_reader.h"
#include "files/xml_pull.h"
#include "files/zip_reader.h"
#include "tests/support/temp_dir.h"
#include "tests/support/workbook_column.h"
#include "zip_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using ecam::ReadFailure;
using ecam::XmlPull;

// The tokens of a document as one line: <name a=v> </name> "text".
std::string tokens(std::string_view doc, const char* attr = "a")
{
    ecam::ReadBudget budget;
    XmlPull x(doc, budget);
    std::string out, value;
    for (XmlPull::Event e; (e = x.Next()) != XmlPull::Eof;) {
        if (e == XmlPull::Start) {
            // Appended piece by piece: `" a=" + value` trips GCC 12's -Wrestrict false positive.
            out += '<';
            out += x.LocalName();
            if (x.Attr(attr, value)) {
                out += " a=";
                out += value;
            }
            out += '>';
        } else if (e == XmlPull::End) {
            out += "</" + std::string(x.LocalName()) + ">";
        } else {
            out += "\"" + x.TextValue() + "\"";
        }
    }
    return out;
}

// The kind of failure `read` ends with, None when it ends well.
template <class Read>
ReadFailure kindOf(Read&& read)
{
    try {
        read();
    } catch (const ecam::ReadFailed& f) {
        return f.Kind();
    }
    return ReadFailure::None;
}

ReadFailure failure(std::string_view doc)
{
    return kindOf([&] { tokens(doc); });
}

} // namespace

TEST(XmlPull, DecodesEntitiesSkipsWhatCarriesNoDataAndRefusesDeclarationsAndBrokenMarkup)
{
    EXPECT_EQ(tokens("\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><x:r a='1 &amp; 2'><c/>"
                     "a&lt;b&gt;&quot;&apos;&#27627;&#x7C73;<![CDATA[<raw&>]]></x:r>"),
              "<r a=1 & 2><c></c>\"a<b>\"'毫米<raw&>\"</r>");
    // A part in UTF-16, as its declaration says, reads as the same text.
    std::string le;
    for (char16_t c : std::u16string(u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><t v='毫'>米</t>"))
        le += ziptest::Le16({c});
    EXPECT_EQ(tokens(le, "v"), "<t a=毫>\"米\"</t>");

    // No document type: no entity of ours expands or reaches outside.
    EXPECT_EQ(failure("<!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]><x>&b;</x>"),
              ReadFailure::Damaged);
    EXPECT_EQ(failure("<!DOCTYPE x SYSTEM \"file:///etc/passwd\"><x/>"), ReadFailure::Damaged);
    // References to nothing or to a surrogate, and elements left open, are
    // no XML either.
    for (const char* doc : {"<x>&nbsp;</x>", "<x>&#xZZ;</x>", "<x>&#1114112;</x>", "<x>& </x>", "<x a=1/>",
                            "<x a=\"1/>", "<x", "<!-- open", "<![CDATA[ open", "</>", "<x a></x>", "<t>&#0;</t>",
                            "<t>&#xD800;</t>", "<x><y>", "<x><y></x>"})
        EXPECT_EQ(failure(doc), ReadFailure::Damaged) << doc;
}

TEST(SheetCells, DatesTimesAndNumbersAsTheSheetCountsThem)
{
    double v = 0;
    const std::pair<const char*, double> dates[] = {
        {"1899-12-30", 0},        {"1900-03-01", 61},          {"2024-01-15", 45306},
        {"2024-01-15T12:00:00", 45306.5}, {"2024-01-15T06:00:00.5Z", 45306.25 + 0.5 / 86400},
        {"1800-01-01", -36522}};
    for (const auto& [text, serial] : dates) {
        ASSERT_TRUE(ecam::IsoDateSerial(text, v)) << text;
        EXPECT_DOUBLE_EQ(v, serial) << text;
    }
    for (const char* bad : {"2024-13-01", "2024-1-15", "45306", "2024-01-15 12:00", "2024-01-15T1:00:00", ""})
        EXPECT_FALSE(ecam::IsoDateSerial(bad, v)) << bad;
    ASSERT_TRUE(ecam::IsoDurationDays("PT12H30M00S", v));
    EXPECT_DOUBLE_EQ(v, 0.5 + 30.0 / 1440);
    EXPECT_FALSE(ecam::IsoDurationDays("P1D", v));
    EXPECT_EQ(ecam::NumberText(45306), "45306");
    EXPECT_EQ(ecam::NumberText(-0.001), "-0.001");
    EXPECT_EQ(ecam::NumberText(1e-7), "1e-07");
    EXPECT_EQ(ecam::NumberText(0.1 + 0.2), "0.30000000000000004");
}

TEST(Csv, QuotesLineEndsAndEncodings)
{
    using V = std::vector<std::wstring>;
    const ecamtest::TempDir dir("csv");
    auto column = [&](const std::string& bytes) { return ecamtest::WorkbookColumn(dir.Write("t.csv", bytes), 1); };
    EXPECT_EQ(column("\"a\nb\",1\r\n\"x\"\"y\",2\n,3\nlast"), (V{L"a\nb", L"x\"y", L"", L"last"}));
    // UTF-8 with a byte order mark, and GBK as a Chinese-locale suite saves it.
    EXPECT_EQ(column("\xEF\xBB\xBF毫米,1\n"), V{L"毫米"});
    EXPECT_EQ(column(ecam::Utf8ToGbk("毫米,1\n单位,2\n")), (V{L"毫米", L"单位"}));
    EXPECT_TRUE(ecam::LooksLikeText("1,2\r\n\t3"));
    EXPECT_FALSE(ecam::LooksLikeText(std::string("1,2\0", 4)));
}

TEST(Zip, ClaimsThatDoNotHold)
{
    auto zipKind = [](const std::string& bytes) {
        ecam::ReadBudget budget;
        return kindOf([&] { ecam::ZipReader(bytes, budget).Read("a"); });
    };
    ziptest::Member m = ziptest::Stored("a", "hello");
    m.crc ^= 1;
    EXPECT_EQ(zipKind(ziptest::Zip({m})), ReadFailure::Damaged); // wrong CRC
    m = ziptest::Deflated("a", "hello hello hello");
    m.packed.resize(m.packed.size() / 2);
    EXPECT_EQ(zipKind(ziptest::Zip({m})), ReadFailure::Damaged); // deflate stream cut short
    m = ziptest::Stored("a", "x");
    m.method = 12; // bzip2: not written by spreadsheet programs
    EXPECT_EQ(zipKind(ziptest::Zip({m})), ReadFailure::Damaged);
    EXPECT_EQ(zipKind(ziptest::Zip({ziptest::Stored("b", "x")})), ReadFailure::Damaged); // no such member
    std::vector<ziptest::Member> many(ecam::kMaxZipEntries + 1, ziptest::Stored("n", ""));
    EXPECT_EQ(zipKind(ziptest::Zip(many)), ReadFailure::TooLarge);
    // Names match ignoring case, as the programs that write packages disagree on it.
    ecam::ReadBudget budget;
    const std::string bytes = ziptest::Zip({ziptest::Stored("XL/Workbook.xml", "w")});
    ecam::ZipReader zip(bytes, budget);
    EXPECT_EQ(zip.Read("xl/workbook.xml"), "w");
}

namespace {

using ziptest::Le16;
using ziptest::Le32;

// A small workbook stream: every kind of cell record once, as (type, data).
std::string biffStream()
{
    const double v = 10.5;
    const std::string bof = Le16({0x0809, 16, 0x0600}), eof = Le16({0x000A, 0}), zeros(12, '\0');
    auto rec = [](uint16_t type, const std::string& data) { return Le16({type, uint32_t(data.size())}) + data; };
    auto cell = [&](uint16_t type, uint16_t row, uint16_t col, const std::string& data) {
        return rec(type, Le16({row, col, 0}) + data); // 0: the cell's format
    };
    return bof + Le16({0x0005}) + zeros + eof + bof + Le16({0x0010}) + zeros
           + cell(0x0203, 0, 0, std::string(reinterpret_cast<const char*>(&v), 8)) // NUMBER 10.5
           + cell(0x027E, 0, 1, Le32({(7 << 2) | 2}))                              // RK integer 7
           + cell(0x0204, 1, 0, Le16({3}) + std::string("\0abc", 4))               // LABEL "abc"
           // MULRK: 2.5 as a float RK, then 100 / 100 as a scaled integer RK
           + rec(0x00BD, Le16({2, 0, 0}) + Le32({0x40040000}) + Le16({0}) + Le32({(100 << 2) | 3}) + Le16({1}))
           + cell(0x0006, 3, 0, Le16({1, 1, 0, 0xFFFF}) + zeros.substr(4))  // FORMULA, cached TRUE
           + cell(0x0006, 3, 1, Le16({0, 0, 0, 0xFFFF}) + zeros.substr(4))  // FORMULA, cached text...
           + rec(0x0207, Le16({2}) + std::string("\x01\xEB\x6B\x73\x7C", 5)) // ...in STRING: 毫米
           + cell(0x0205, 4, 0, Le16({0}))                                   // BOOLERR FALSE
           + cell(0x0205, 4, 1, Le16({0x0107}))                              // BOOLERR #DIV/0!: no cell
           + eof;
}

// A compound document of 512-byte sectors holding `stream` as "Workbook" in
// the mini stream: sector 0 the table, 1 the directory, 2 the mini table,
// 3... the mini stream.
std::string compoundDocument(const std::string& stream, bool loopDirectory = false)
{
    const uint32_t end = 0xFFFFFFFE;
    const uint32_t miniSectors = uint32_t((stream.size() + 63) / 64);
    std::string mini = stream;
    mini.resize((mini.size() + 511) / 512 * 512, '\0');
    const uint32_t containerSectors = uint32_t(mini.size() / 512);
    auto sector = [](std::string s, char fill) { s.resize(512, fill); return s; };
    // The header: version 3, sectors of 2^9 bytes, mini sectors of 2^6; one
    // table sector, the directory at 1, the mini cutoff, the mini table at 2.
    const std::string header = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(16, '\0')
                               + Le16({0x3E, 3, 0xFFFE, 9, 6, 0, 0, 0}) + Le32({0, 1, 1, 0, 4096, 2, 1, end, 0, 0});
    std::string fat = Le32({0xFFFFFFFD, loopDirectory ? 1 : end, end}), miniFat;
    for (uint32_t i = 1; i <= containerSectors; ++i)
        fat += Le32({i == containerSectors ? end : 3 + i});
    for (uint32_t i = 1; i <= miniSectors; ++i)
        miniFat += Le32({i == miniSectors ? end : i});
    auto entry = [](const std::u16string& name, uint8_t type, uint32_t start, uint32_t size) {
        std::string e(reinterpret_cast<const char*>(name.data()), name.size() * 2);
        e.resize(64, '\0');
        e += Le16({uint32_t(name.size() * 2 + 2)}) + char(type);
        e.resize(116, '\0');
        e += Le32({start, size});
        e.resize(128, '\0');
        return e;
    };
    const std::string dir =
        entry(u"Root Entry", 5, 3, miniSectors * 64) + entry(u"Workbook", 2, 0, uint32_t(stream.size()));
    // Unused table entries are free (all bits set).
    return sector(header, '\xFF') + sector(fat, '\xFF') + sector(dir, '\0') + sector(miniFat, '\xFF') + mini;
}

} // namespace

TEST(Xls, EveryCellRecordFromTheMiniStream)
{
    std::vector<ecam::SheetCells> sheets;
    auto readXls = [&](const std::string& bytes) {
        ecam::ReadBudget budget;
        ecam::CellSink sink(budget);
        return kindOf([&] { ecam::ReadXls(bytes, sink); sheets = sink.TakeSheets(); });
    };
    ASSERT_EQ(readXls(compoundDocument(biffStream())), ReadFailure::None);
    ASSERT_EQ(sheets.size(), 1u);
    const std::map<std::pair<int, int>, std::string> want{
        {{1, 1}, "10.5"}, {{1, 2}, "7"}, {{2, 1}, "abc"}, {{3, 1}, "2.5"}, {{3, 2}, "1"},
        {{4, 1}, "1"},    {{4, 2}, "毫米"}, {{5, 1}, "0"}};
    EXPECT_EQ(sheets[0].cells, want);
    // A directory chain that loops ends as damage, not as a hang.
    EXPECT_EQ(readXls(compoundDocument(biffStream(), true)), ReadFailure::Damaged);
    // Records cut short or pre-BIFF8 workbooks are refused.
    std::string old = biffStream();
    old[4] = 0x00;
    old[5] = 0x05; // BIFF5
    EXPECT_EQ(readXls(compoundDocument(old)), ReadFailure::Damaged);
    std::string cut = biffStream();
    cut.resize(cut.size() - 6); // into the last cell record
    EXPECT_EQ(readXls(compoundDocument(cut)), ReadFailure::Damaged);
}
