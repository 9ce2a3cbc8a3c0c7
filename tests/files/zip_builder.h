#pragma once
// Zip packages made by the tests: stored or deflated members, sizes and
// CRCs as a zip writer puts them (or as a hostile file claims them).
#include <zlib.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace ziptest {

// Little-endian fields of 16 or 32 bits, in the order given.
inline std::string Le16(std::initializer_list<uint32_t> values)
{
    std::string s;
    for (uint32_t v : values)
        s += {char(v & 0xFF), char((v >> 8) & 0xFF)};
    return s;
}
inline std::string Le32(std::initializer_list<uint32_t> values)
{
    std::string s;
    for (uint32_t v : values)
        s += Le16({v & 0xFFFF, v >> 16});
    return s;
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
    Member m{name, {}, uint32_t(chunk.size() * repeat), 0, 8};
    z_stream z{};
    deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::string buf(1 << 16, '\0');
    for (size_t i = 0; i <= repeat; ++i) {
        // One pass more, with no input, to finish the stream.
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.data()));
        z.avail_in = i < repeat ? uInt(chunk.size()) : 0;
        m.crc = uint32_t(crc32(m.crc, z.next_in, z.avail_in));
        do {
            z.next_out = reinterpret_cast<Bytef*>(buf.data());
            z.avail_out = uInt(buf.size());
            deflate(&z, i < repeat ? Z_NO_FLUSH : Z_FINISH);
            m.packed.append(buf.data(), buf.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return m;
}

// Local headers with the data, the central directory, its end record.
inline std::string Zip(const std::vector<Member>& members)
{
    std::string out, central;
    for (const Member& m : members) {
        const std::string sizes = Le32({m.crc, uint32_t(m.packed.size()), m.size});
        const uint32_t nameSize = uint32_t(m.name.size());
        central += Le32({0x02014b50}) + Le16({20, 20, 0, m.method, 0, 0}) + sizes + Le16({nameSize, 0, 0, 0, 0})
                   + Le32({0, uint32_t(out.size())}) + m.name;
        out += Le32({0x04034b50}) + Le16({20, 0, m.method, 0, 0}) + sizes + Le16({nameSize, 0}) + m.name + m.packed;
    }
    const uint32_t count = uint32_t(members.size());
    return out + central + Le32({0x06054b50}) + Le16({0, 0, count, count})
           + Le32({uint32_t(central.size()), uint32_t(out.size())}) + Le16({0});
}

// A one-sheet .xlsx around the given sheet part.
inline std::string Xlsx(const Member& sheet)
{
    return Zip({Stored("[Content_Types].xml", "<Types/>"),
                Stored("xl/workbook.xml",
                       "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"),
                Stored("xl/_rels/workbook.xml.rels",
                       "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                       "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"),
                sheet});
}
// The same around the given sheetData content.
inline std::string Xlsx(const std::string& sheetData)
{
    return Xlsx(Deflated("xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + sheetData + "</sheetData></worksheet>"));
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
