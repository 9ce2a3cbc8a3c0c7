#include "files/xls_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace ecam {
namespace {

constexpr uint32_t kFreeSect = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSect = 0xFFFFFFFD;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kSector = 512;
constexpr size_t kMiniCutoff = 4096;
constexpr int kMaxRows = 65536;
constexpr int kMaxCols = 256;
constexpr uint16_t kCellXf = 15; // first cell format after the 15 style formats

void put16(std::string& s, uint16_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

void put32(std::string& s, uint32_t v)
{
    put16(s, static_cast<uint16_t>(v & 0xFFFF));
    put16(s, static_cast<uint16_t>(v >> 16));
}

void set32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// UTF-16 code units of a wide (UTF-32) text, cut to at most `limit` units
// without splitting a surrogate pair.
std::u16string toUtf16(const std::wstring& text, size_t limit)
{
    std::u16string out;
    for (wchar_t wc : text) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c >= 0x10000) {
            if (out.size() + 2 > limit)
                break;
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            if (out.size() + 1 > limit)
                break;
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

void putChars16(std::string& s, const std::u16string& text)
{
    for (char16_t c : text)
        put16(s, static_cast<uint16_t>(c));
}

void record(std::string& out, uint16_t type, const std::string& data)
{
    put16(out, type);
    put16(out, static_cast<uint16_t>(data.size()));
    out += data;
}

std::string bofData(uint16_t kind)
{
    std::string d;
    put16(d, 0x0600); // BIFF8
    put16(d, kind);   // 0x0005 workbook globals, 0x0010 worksheet
    put16(d, 0x0DBB); // build
    put16(d, 0x07CC); // year
    put32(d, 0);
    put32(d, 0x00000006);
    return d;
}

void globals(std::string& out, const std::vector<XlsSheetData>& sheets,
             std::vector<size_t>& boundSheetOffsets)
{
    record(out, 0x0809, bofData(0x0005));
    { std::string d; put16(d, 1200); record(out, 0x0042, d); } // CODEPAGE: UTF-16
    {
        std::string d; // WINDOW1
        put16(d, 0); put16(d, 0); put16(d, 0x4000); put16(d, 0x2000);
        put16(d, 0x0038); put16(d, 0); put16(d, 0); put16(d, 1); put16(d, 0x0258);
        record(out, 0x003D, d);
    }
    for (int i = 0; i < 4; ++i) { // FONT: 10-point Arial (index 4 is never used in this format)
        std::string d;
        put16(d, 200); put16(d, 0); put16(d, 0x7FFF); put16(d, 400);
        put16(d, 0); d += '\0'; d += '\0'; d += '\0'; d += '\0';
        d += static_cast<char>(5); d += '\0'; d += "Arial";
        record(out, 0x0031, d);
    }
    for (int i = 0; i < 16; ++i) { // XF: 15 style formats, then the one cell format
        std::string d;
        put16(d, 0); put16(d, 0);
        put16(d, i < 15 ? 0xFFF5 : 0x0001);
        d += static_cast<char>(0x20); d += '\0'; d += '\0';
        d += static_cast<char>(i < 15 ? 0xF4 : 0x00);
        put32(d, 0); put32(d, 0); put16(d, 0x20C0);
        record(out, 0x00E0, d);
    }
    { std::string d; put16(d, 0x8000); d += '\0'; d += static_cast<char>(0xFF); record(out, 0x0293, d); }
    for (const XlsSheetData& sh : sheets) {
        std::string d;
        put32(d, 0); // offset of the sheet's BOF, patched once known
        d += '\0'; d += '\0';
        std::u16string name = toUtf16(sh.name, 31);
        if (name.empty())
            name = u"Sheet";
        d += static_cast<char>(name.size());
        d += static_cast<char>(1); // UTF-16 characters
        putChars16(d, name);
        boundSheetOffsets.push_back(out.size() + 4);
        record(out, 0x0085, d);
    }
    record(out, 0x000A, {});
}

void worksheet(std::string& out, const XlsSheetData& sh)
{
    record(out, 0x0809, bofData(0x0010));
    int lastRow = -1, lastCol = -1;
    for (const auto& [rc, text] : sh.cells) {
        if (text.empty())
            continue;
        lastRow = std::max(lastRow, rc.first);
        lastCol = std::max(lastCol, rc.second);
    }
    {
        std::string d; // DIMENSIONS: first used row/col and one past the last
        put32(d, 0); put32(d, static_cast<uint32_t>(lastRow + 1));
        put16(d, 0); put16(d, static_cast<uint16_t>(lastCol + 1)); put16(d, 0);
        record(out, 0x0200, d);
    }
    {
        std::string d; // WINDOW2
        put16(d, 0x06B6); put16(d, 0); put16(d, 0); put32(d, 0x40);
        put16(d, 0); put16(d, 0); put32(d, 0);
        record(out, 0x023E, d);
    }
    for (const auto& [rc, text] : sh.cells) { // LABEL cells in row order
        const std::u16string chars = toUtf16(text, 255);
        if (chars.empty())
            continue; // an empty text is an empty cell (readers choke on empty labels)
        std::string d;
        put16(d, static_cast<uint16_t>(rc.first));
        put16(d, static_cast<uint16_t>(rc.second));
        put16(d, kCellXf);
        put16(d, static_cast<uint16_t>(chars.size()));
        d += static_cast<char>(1);
        putChars16(d, chars);
        record(out, 0x0204, d);
    }
    record(out, 0x000A, {});
}

void dirEntry(std::string& dir, const std::u16string& name, uint8_t type, uint32_t child,
              uint32_t start, uint32_t size)
{
    std::string e(128, '\0');
    for (size_t i = 0; i < name.size(); ++i) {
        e[2 * i] = static_cast<char>(name[i] & 0xFF);
        e[2 * i + 1] = static_cast<char>(name[i] >> 8);
    }
    const uint16_t nameBytes = name.empty() ? 0 : static_cast<uint16_t>((name.size() + 1) * 2);
    e[64] = static_cast<char>(nameBytes & 0xFF);
    e[65] = static_cast<char>(nameBytes >> 8);
    e[66] = static_cast<char>(type);
    e[67] = static_cast<char>(type == 0 ? 0 : 1); // black
    set32(e, 68, kNoStream);
    set32(e, 72, kNoStream);
    set32(e, 76, child);
    set32(e, 116, start);
    set32(e, 120, size);
    dir += e;
}

} // namespace

std::string BuildXlsWorkbook(const std::vector<XlsSheetData>& sheetsIn)
{
    std::vector<XlsSheetData> sheets = sheetsIn;
    if (sheets.empty())
        sheets.push_back({L"Sheet1", {}}); // a workbook has at least one sheet
    for (const XlsSheetData& sh : sheets)
        for (const auto& [rc, text] : sh.cells)
            if (rc.first < 0 || rc.first >= kMaxRows || rc.second < 0 || rc.second >= kMaxCols)
                return {};

    std::string wb;
    std::vector<size_t> offsets;
    globals(wb, sheets, offsets);
    for (size_t i = 0; i < sheets.size(); ++i) {
        set32(wb, offsets[i], static_cast<uint32_t>(wb.size()));
        worksheet(wb, sheets[i]);
    }
    // Streams below 4096 bytes would live in the mini stream; zero padding
    // after the last EOF record keeps the file to plain sectors.
    if (wb.size() < kMiniCutoff)
        wb.resize(kMiniCutoff, '\0');
    const uint32_t streamSize = static_cast<uint32_t>(wb.size());
    wb.resize((wb.size() + kSector - 1) / kSector * kSector, '\0');

    const size_t wbSectors = wb.size() / kSector;
    size_t fatSectors = 1;
    while (fatSectors * (kSector / 4) < wbSectors + 1 + fatSectors)
        ++fatSectors;
    if (fatSectors > 109)
        return {};
    const uint32_t dirSector = static_cast<uint32_t>(wbSectors);
    const uint32_t firstFat = dirSector + 1;

    std::string header;
    header += std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(16, '\0');
    put16(header, 0x003E); put16(header, 0x0003); put16(header, 0xFFFE);
    put16(header, 9); put16(header, 6);
    header.append(6, '\0');
    put32(header, 0);                                // directory sectors (version 3)
    put32(header, static_cast<uint32_t>(fatSectors));
    put32(header, dirSector);
    put32(header, 0);
    put32(header, static_cast<uint32_t>(kMiniCutoff));
    put32(header, kEndOfChain); put32(header, 0);    // no mini FAT
    put32(header, kEndOfChain); put32(header, 0);    // no extra DIFAT sectors
    for (size_t i = 0; i < 109; ++i)
        put32(header, i < fatSectors ? firstFat + static_cast<uint32_t>(i) : kFreeSect);

    std::string dir;
    dirEntry(dir, u"Root Entry", 5, 1, kEndOfChain, 0);
    dirEntry(dir, u"Workbook", 2, kNoStream, 0, streamSize);
    dirEntry(dir, u"", 0, kNoStream, 0, 0);
    dirEntry(dir, u"", 0, kNoStream, 0, 0);

    std::string fat;
    for (size_t i = 0; i < wbSectors; ++i)
        put32(fat, i + 1 < wbSectors ? static_cast<uint32_t>(i + 1) : kEndOfChain);
    put32(fat, kEndOfChain); // directory
    for (size_t i = 0; i < fatSectors; ++i)
        put32(fat, kFatSect);
    while (fat.size() < fatSectors * kSector)
        put32(fat, kFreeSect);

    std::string file;
    file.reserve(header.size() + wb.size() + dir.size() + fat.size());
    file += header;
    file += wb;
    file += dir;
    file += fat;
    return file;
}

} // namespace ecam
