#pragma once
// Zip packages made by the tests: stored or deflated members, sizes and
// CRCs as a zip writer puts them (or as a hostile file claims them).
#include <zlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ziptest {

inline void put16(std::string& s, uint32_t v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void put32(std::string& s, uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

struct Member {
    std::string name;
    std::string packed;     // the bytes as stored
    uint32_t size = 0;      // the inflated size claimed
    uint32_t crc = 0;
    uint16_t method = 0;    // 0 stored, 8 deflated
};

inline Member Stored(const std::string& name, const std::string& data)
{
    return {name, data, uint32_t(data.size()),
            uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()))), 0};
}

// `repeat` copies of `chunk`, deflated without ever holding the whole.
inline Member Deflated(const std::string& name, const std::string& chunk, size_t repeat = 1)
{
    z_stream z{};
    deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    Member m{name, {}, 0, 0, 8};
    uLong crc = 0;
    std::string buf(1 << 16, '\0');
    for (size_t i = 0; i <= repeat; ++i) {
        const bool last = i == repeat;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.data()));
        z.avail_in = last ? 0 : uInt(chunk.size());
        if (!last)
            crc = crc32(crc, reinterpret_cast<const Bytef*>(chunk.data()), uInt(chunk.size()));
        do {
            z.next_out = reinterpret_cast<Bytef*>(buf.data());
            z.avail_out = uInt(buf.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            m.packed.append(buf.data(), buf.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    m.size = uint32_t(chunk.size() * repeat);
    m.crc = uint32_t(crc);
    return m;
}

inline std::string Zip(const std::vector<Member>& members)
{
    std::string out, central;
    for (const Member& m : members) {
        const uint32_t offset = uint32_t(out.size());
        put32(out, 0x04034b50); put16(out, 20); put16(out, 0); put16(out, m.method);
        put16(out, 0); put16(out, 0); put32(out, m.crc);
        put32(out, uint32_t(m.packed.size())); put32(out, m.size);
        put16(out, uint32_t(m.name.size())); put16(out, 0);
        out += m.name + m.packed;
        put32(central, 0x02014b50); put16(central, 20); put16(central, 20);
        put16(central, 0); put16(central, m.method); put16(central, 0); put16(central, 0);
        put32(central, m.crc); put32(central, uint32_t(m.packed.size())); put32(central, m.size);
        put16(central, uint32_t(m.name.size())); put16(central, 0); put16(central, 0);
        put16(central, 0); put16(central, 0); put32(central, 0); put32(central, offset);
        central += m.name;
    }
    const uint32_t cdOffset = uint32_t(out.size());
    out += central;
    put32(out, 0x06054b50); put16(out, 0); put16(out, 0);
    put16(out, uint32_t(members.size())); put16(out, uint32_t(members.size()));
    put32(out, uint32_t(central.size())); put32(out, cdOffset); put16(out, 0);
    return out;
}

// A one-sheet .xlsx around the given sheetData content.
inline std::string Xlsx(const std::string& sheetData)
{
    return Zip({Stored("[Content_Types].xml", "<Types/>"),
                Stored("xl/workbook.xml",
                       "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"),
                Stored("xl/_rels/workbook.xml.rels",
                       "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                       "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"),
                Deflated("xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + sheetData + "</sheetData></worksheet>")});
}

// A one-table .ods around the given table content.
inline std::string Ods(const std::string& table)
{
    return Zip({Stored("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
                Deflated("content.xml",
                         "<office:document-content xmlns:office=\"o\" xmlns:table=\"t\" xmlns:text=\"x\"><office:body>"
                         "<office:spreadsheet><table:table table:name=\"S\">" + table
                             + "</table:table></office:spreadsheet></office:body></office:document-content>")});
}

} // namespace ziptest
