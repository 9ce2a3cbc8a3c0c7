// The pieces under the workbook readers: the XML tokenizer's refusals and
// decoding, dates as serial numbers, CSV text in either encoding, and the
// zip reader's checks on what an archive claims.
#include "files/csv_reader.h"
#include "files/gbk.h"
#include "files/ms_excel_helper.h"
#include "files/sheet_cells.h"
#include "files/xml_pull.h"
#include "files/zip_reader.h"
#include "zip_builder.h"

#include <gtest/gtest.h>

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
        if (e == XmlPull::Start)
            out += "<" + std::string(x.LocalName()) + (x.Attr(attr, value) ? " a=" + value : "") + ">";
        else if (e == XmlPull::End)
            out += "</" + std::string(x.LocalName()) + ">";
        else
            out += "\"" + x.TextValue() + "\"";
    }
    return out;
}

ReadFailure failure(std::string_view doc)
{
    try {
        tokens(doc);
    } catch (const ecam::ReadFailed& f) {
        return f.Kind();
    }
    return ReadFailure::None;
}

std::vector<std::string> csvColumn(std::string_view bytes, int col)
{
    ecam::ReadBudget budget;
    ecam::CellSink sink(budget);
    ecam::ReadCsv(bytes, sink);
    std::vector<std::string> out;
    const std::vector<ecam::SheetCells> sheets = sink.TakeSheets();
    for (const auto& [rc, text] : sheets.at(0).cells)
        if (rc.second == col)
            out.push_back(std::to_string(rc.first) + ":" + text);
    return out;
}

} // namespace

TEST(XmlPull, DecodesEntitiesAndSkipsWhatCarriesNoData)
{
    EXPECT_EQ(tokens("\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><x:r a='1 &amp; 2'><c/>"
                     "a&lt;b&gt;&quot;&apos;&#27627;&#x7C73;<![CDATA[<raw&>]]></x:r>"),
              "<r a=1 & 2><c></c>\"a<b>\"'毫米\"\"<raw&>\"</r>");
    // A reference to nothing or a surrogate becomes the replacement character.
    EXPECT_EQ(tokens("<t>&#0;&#xD800;</t>"), "<t>\"\xEF\xBF\xBD\xEF\xBF\xBD\"</t>");
}

TEST(XmlPull, RefusesDeclarationsUnknownEntitiesAndBrokenMarkup)
{
    // No document type: no entity of ours expands or reaches outside.
    EXPECT_EQ(failure("<!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]><x>&b;</x>"),
              ReadFailure::Damaged);
    EXPECT_EQ(failure("<!DOCTYPE x SYSTEM \"file:///etc/passwd\"><x/>"), ReadFailure::Damaged);
    for (const char* doc : {"<x>&nbsp;</x>", "<x>&#xZZ;</x>", "<x>&#1114112;</x>", "<x>& </x>", "<x a=1/>",
                            "<x a=\"1/>", "<x", "<!-- open", "<![CDATA[ open", "</>", "<x a></x>"})
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
    EXPECT_EQ(csvColumn("\"a\nb\",1\r\n\"x\"\"y\",2\n,3\nlast", 1),
              (std::vector<std::string>{"1:a\nb", "2:x\"y", "4:last"}));
    // UTF-8 with a byte order mark, and GBK as a Chinese-locale suite saves it.
    EXPECT_EQ(csvColumn("\xEF\xBB\xBF毫米,1\n", 1), std::vector<std::string>{"1:毫米"});
    EXPECT_EQ(csvColumn(ecam::Utf8ToGbk("毫米,1\n单位,2\n"), 1), (std::vector<std::string>{"1:毫米", "2:单位"}));
    EXPECT_TRUE(ecam::LooksLikeText("1,2\r\n\t3"));
    EXPECT_FALSE(ecam::LooksLikeText(std::string("1,2\0", 4)));
}

TEST(Zip, ClaimsThatDoNotHold)
{
    auto fails = [](const std::string& bytes, ReadFailure want) {
        ecam::ReadBudget budget;
        try {
            ecam::ZipReader zip(bytes, budget);
            zip.Read("a");
        } catch (const ecam::ReadFailed& f) {
            return f.Kind() == want;
        }
        return false;
    };
    ziptest::Member m = ziptest::Stored("a", "hello");
    m.crc ^= 1;
    EXPECT_TRUE(fails(ziptest::Zip({m}), ReadFailure::Damaged)); // wrong CRC
    m = ziptest::Deflated("a", "hello hello hello");
    m.packed.resize(m.packed.size() / 2);
    EXPECT_TRUE(fails(ziptest::Zip({m}), ReadFailure::Damaged)); // deflate stream cut short
    m = ziptest::Stored("a", "x");
    m.method = 12; // bzip2: not written by spreadsheet programs
    EXPECT_TRUE(fails(ziptest::Zip({m}), ReadFailure::Damaged));
    EXPECT_TRUE(fails(ziptest::Zip({ziptest::Stored("b", "x")}), ReadFailure::Damaged)); // no such member
    std::vector<ziptest::Member> many(ecam::kMaxZipEntries + 1, ziptest::Stored("n", ""));
    EXPECT_TRUE(fails(ziptest::Zip(many), ReadFailure::TooLarge));
    // Names match ignoring case, as the programs that write packages disagree on it.
    ecam::ReadBudget budget;
    const std::string bytes = ziptest::Zip({ziptest::Stored("XL/Workbook.xml", "w")});
    ecam::ZipReader zip(bytes, budget);
    EXPECT_EQ(zip.Read("xl/workbook.xml"), "w");
}
