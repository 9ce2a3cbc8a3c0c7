#include "files/xls_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ecam {
namespace {

constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kMaxRegular = 0xFFFFFFFA;

uint16_t le16(std::string_view b, size_t at)
{
    if (at > b.size() || b.size() - at < 2)
        FailRead(ReadFailure::Damaged);
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

uint32_t le32(std::string_view b, size_t at)
{
    return le16(b, at) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}

double leDouble(std::string_view b, size_t at)
{
    const uint64_t bits = le32(b, at) | static_cast<uint64_t>(le32(b, at + 4)) << 32;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double rkValue(uint32_t rk)
{
    double v;
    if (rk & 2) {
        v = static_cast<double>(static_cast<int32_t>(rk) >> 2);
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 1) ? v / 100 : v;
}

// The compound document: sectors, allocation tables and streams.
class CompoundDocument {
public:
    CompoundDocument(std::string_view bytes, ReadBudget& budget) : m_bytes(bytes), m_budget(budget)
    {
        if (!LooksLikeCompoundDocument(bytes) || bytes.size() < 512)
            FailRead(ReadFailure::Damaged);
        const uint16_t shift = le16(bytes, 30);
        const uint16_t miniShift = le16(bytes, 32);
        if ((shift != 9 && shift != 12) || miniShift != 6)
            FailRead(ReadFailure::Damaged);
        m_sector = size_t(1) << shift;
        m_sectorCount = (bytes.size() - 512 + m_sector - 1) / m_sector; // a short last sector counts
        const uint32_t fatSectors = le32(bytes, 44);
        const uint32_t firstDir = le32(bytes, 48);
        m_cutoff = le32(bytes, 56);
        const uint32_t firstMiniFat = le32(bytes, 60);
        uint32_t difat = le32(bytes, 68);
        const uint32_t difatCount = le32(bytes, 72);
        if (fatSectors > m_sectorCount || difatCount > m_sectorCount)
            FailRead(ReadFailure::Damaged);

        // The allocation table's sectors: 109 in the header, the rest in a
        // chain of DIFAT sectors (their last entry names the next one).
        std::vector<uint32_t> fatList;
        for (size_t i = 0; i < 109 && fatList.size() < fatSectors; ++i)
            fatList.push_back(le32(bytes, 76 + 4 * i));
        for (uint32_t n = 0; n < difatCount && fatList.size() < fatSectors; ++n) {
            m_budget.Tick();
            const size_t at = sectorOffset(difat);
            const size_t per = m_sector / 4 - 1;
            for (size_t i = 0; i < per && fatList.size() < fatSectors; ++i)
                fatList.push_back(le32(bytes, at + 4 * i));
            difat = le32(bytes, at + 4 * per);
        }
        if (fatList.size() < fatSectors)
            FailRead(ReadFailure::Damaged);
        m_fat.reserve(fatList.size() * (m_sector / 4));
        for (uint32_t s : fatList) {
            const size_t at = sectorOffset(s);
            for (size_t i = 0; i < m_sector / 4; ++i)
                m_fat.push_back(le32(bytes, at + 4 * i));
        }
        m_directory = chain(firstDir, UINT64_MAX, m_fat, false);
        // The root entry owns the mini stream; the mini table is a regular chain.
        if (m_directory.size() < 128)
            FailRead(ReadFailure::Damaged);
        const std::string_view root(m_directory.data(), 128);
        if (firstMiniFat < kMaxRegular) {
            const std::string miniFat = chain(firstMiniFat, UINT64_MAX, m_fat, false);
            for (size_t i = 0; i + 4 <= miniFat.size(); i += 4)
                m_miniFat.push_back(le32(miniFat, i));
            const uint32_t rootStart = le32(root, 116);
            if (rootStart < kMaxRegular)
                m_miniStream = chain(rootStart, le32(root, 120), m_fat, false);
        }
    }

    // The stream of a directory entry named `name` (ASCII, any case); false
    // when there is none.
    bool Stream(std::string_view name, std::string& out)
    {
        for (size_t at = 0; at + 128 <= m_directory.size(); at += 128) {
            m_budget.Tick();
            const std::string_view e(m_directory.data() + at, 128);
            const uint16_t nameBytes = le16(e, 64);
            if (static_cast<uint8_t>(e[66]) != 2 || nameBytes < 2 || nameBytes > 64)
                continue;
            const size_t chars = nameBytes / 2 - 1;
            if (chars != name.size())
                continue;
            bool same = true;
            for (size_t i = 0; i < chars && same; ++i) {
                const uint16_t c = le16(e, 2 * i);
                const char want = name[i];
                same = c < 128 && (c == static_cast<uint8_t>(want) || (c ^ 0x20) == static_cast<uint8_t>(want));
            }
            if (!same)
                continue;
            const uint32_t start = le32(e, 116);
            const uint64_t size = le32(e, 120);
            if (size < m_cutoff) {
                out = chain(start, size, m_miniFat, true);
            } else {
                out = chain(start, size, m_fat, false);
            }
            if (out.size() < size)
                FailRead(ReadFailure::Damaged);
            return true;
        }
        return false;
    }

private:
    size_t sectorOffset(uint32_t s) const
    {
        if (s >= m_sectorCount)
            FailRead(ReadFailure::Damaged);
        return 512 + size_t(s) * m_sector;
    }

    // Follows a chain of the table; never more links than sectors exist, so
    // a loop ends as damage. Reads at most `size` bytes.
    std::string chain(uint32_t start, uint64_t size, const std::vector<uint32_t>& table, bool mini)
    {
        std::string out;
        const size_t unit = mini ? 64 : m_sector;
        // A sound chain visits each sector once.
        const size_t limit = mini ? m_miniStream.size() / 64 : m_sectorCount;
        size_t links = 0;
        for (uint32_t s = start; s != kEndOfChain && out.size() < size;) {
            m_budget.Tick();
            if (s >= table.size() || ++links > limit)
                FailRead(ReadFailure::Damaged);
            if (mini) {
                const size_t at = size_t(s) * 64;
                if (at + 64 > m_miniStream.size())
                    FailRead(ReadFailure::Damaged);
                out.append(m_miniStream, at, 64);
            } else {
                const size_t at = sectorOffset(s);
                out.append(m_bytes.substr(at, unit));
            }
            s = table[s];
            if (s == kFreeSector)
                FailRead(ReadFailure::Damaged);
        }
        if (size != UINT64_MAX && out.size() > size)
            out.resize(static_cast<size_t>(size));
        return out;
    }

    std::string_view m_bytes;
    ReadBudget& m_budget;
    size_t m_sector = 512;
    size_t m_sectorCount = 0;
    uint32_t m_cutoff = 4096;
    std::vector<uint32_t> m_fat, m_miniFat;
    std::string m_directory, m_miniStream;
};

// Bytes of one record and the CONTINUE records after it, read as one
// stream; strings that cross into a CONTINUE restart with an option byte.
class RecordData {
public:
    void Add(std::string_view part) { m_parts.push_back(part); }
    bool AtEnd() const { return m_part >= m_parts.size(); }
    uint8_t Byte()
    {
        skipEmpty();
        if (AtEnd())
            FailRead(ReadFailure::Damaged);
        return static_cast<uint8_t>(m_parts[m_part][m_pos++]);
    }
    uint16_t U16() { const uint16_t lo = Byte(); return static_cast<uint16_t>(lo | Byte() << 8); }
    uint32_t U32() { const uint32_t lo = U16(); return lo | static_cast<uint32_t>(U16()) << 16; }
    void Skip(size_t n)
    {
        while (n > 0) {
            skipEmpty();
            if (AtEnd())
                FailRead(ReadFailure::Damaged);
            const size_t take = std::min(n, m_parts[m_part].size() - m_pos);
            m_pos += take;
            n -= take;
        }
    }
    // An XLUnicodeRichExtendedString (the shared table's kind) or, with
    // rich=false, an XLUnicodeString; appended to `out` as UTF-8.
    void String(std::string& out, bool rich, ReadBudget& budget)
    {
        const uint16_t chars = U16();
        uint8_t flags = Byte();
        uint16_t runs = 0;
        uint32_t ext = 0;
        if (rich && (flags & 0x08))
            runs = U16();
        if (rich && (flags & 0x04))
            ext = U32();
        std::u16string units;
        units.reserve(chars);
        for (uint16_t i = 0; i < chars; ++i) {
            budget.Tick();
            skipEmptyString(flags);
            if (flags & 1)
                units.push_back(static_cast<char16_t>(U16()));
            else
                units.push_back(static_cast<char16_t>(Byte()));
        }
        AppendUtf16(out, units.data(), units.size());
        Skip(size_t(runs) * 4 + ext);
    }

private:
    void skipEmpty()
    {
        while (m_part < m_parts.size() && m_pos >= m_parts[m_part].size()) {
            ++m_part;
            m_pos = 0;
        }
    }
    // Characters continued in the next record: its first byte repeats the
    // option flags (only the high-byte bit matters).
    void skipEmptyString(uint8_t& flags)
    {
        if (m_part < m_parts.size() && m_pos >= m_parts[m_part].size()) {
            skipEmpty();
            flags = Byte();
        }
    }
    std::vector<std::string_view> m_parts;
    size_t m_part = 0;
    size_t m_pos = 0;
};

constexpr uint16_t kBof = 0x0809, kEof = 0x000A, kContinue = 0x003C, kFilePass = 0x002F;
constexpr uint16_t kSst = 0x00FC, kLabelSst = 0x00FD, kNumber = 0x0203, kRk = 0x027E;
constexpr uint16_t kMulRk = 0x00BD, kLabel = 0x0204, kRString = 0x00D6, kBoolErr = 0x0205;
constexpr uint16_t kFormula = 0x0006, kString = 0x0207;
constexpr uint16_t kShrFmla = 0x04BC, kArray = 0x0221, kTable = 0x0236;

} // namespace

bool LooksLikeCompoundDocument(std::string_view bytes)
{
    return bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view(kSignature, 8);
}

void ReadXls(std::string_view bytes, CellSink& sink)
{
    ReadBudget& budget = sink.Budget();
    CompoundDocument doc(bytes, budget);
    std::string stream;
    if (!doc.Stream("Workbook", stream))
        FailRead(ReadFailure::Damaged); // "Book" alone: BIFF5 and older, not read
    std::string_view s(stream);

    // Records as (type, data); CONTINUE records are gathered by who needs them.
    auto record = [&](size_t at, uint16_t& type, std::string_view& data) {
        if (s.size() - at < 4)
            return false;
        type = le16(s, at);
        const uint16_t len = le16(s, at + 2);
        if (s.size() - at - 4 < len)
            FailRead(ReadFailure::Damaged);
        data = s.substr(at + 4, len);
        return true;
    };

    std::vector<std::string> shared;
    int depth = 0;       // BOF nesting
    bool inSheet = false; // the current substream is a worksheet
    bool sawGlobals = false;
    bool pendingString = false; // a FORMULA's text result waits for its STRING
    int pendingRow = 0, pendingCol = 0;
    uint16_t type = 0;
    std::string_view data;
    for (size_t at = 0; record(at, type, data); at += 4 + data.size()) {
        budget.Tick();
        if (type == kBof) {
            if (data.size() < 4 || le16(data, 0) != 0x0600)
                FailRead(ReadFailure::Damaged); // only BIFF8
            ++depth;
            const uint16_t kind = le16(data, 2);
            if (depth == 1 && kind == 0x0005) {
                sawGlobals = true;
            } else if (depth == 1) {
                inSheet = kind == 0x0010;
                if (inSheet)
                    sink.BeginSheet();
            } else {
                inSheet = false; // an embedded chart
            }
            continue;
        }
        if (type == kEof) {
            if (depth > 0)
                --depth;
            inSheet = false;
            pendingString = false;
            continue;
        }
        if (depth == 0)
            continue;
        if (type == kFilePass)
            FailRead(ReadFailure::Damaged); // encrypted
        if (type == kSst && depth == 1 && !inSheet) {
            RecordData r;
            r.Add(data);
            size_t next = at + 4 + data.size();
            uint16_t t2;
            std::string_view d2;
            while (record(next, t2, d2) && t2 == kContinue) {
                r.Add(d2);
                next += 4 + d2.size();
            }
            r.Skip(4);
            const uint32_t unique = r.U32();
            for (uint32_t i = 0; i < unique && !r.AtEnd(); ++i) {
                std::string text;
                r.String(text, true, budget);
                if (shared.size() >= kMaxCells)
                    FailRead(ReadFailure::TooLarge);
                shared.push_back(std::move(text));
            }
            continue;
        }
        if (!inSheet)
            continue;
        if (type == kShrFmla || type == kArray || type == kTable)
            continue; // between a FORMULA and its STRING
        if (type == kString) {
            if (pendingString) {
                RecordData r;
                r.Add(data);
                for (size_t next = at + 4 + data.size(); ;) {
                    uint16_t t2;
                    std::string_view d2;
                    if (!record(next, t2, d2) || t2 != kContinue)
                        break;
                    r.Add(d2);
                    next += 4 + d2.size();
                }
                std::string text;
                r.String(text, false, budget);
                sink.Put(pendingRow, pendingCol, std::move(text));
            }
            pendingString = false;
            continue;
        }
        pendingString = false;
        if (data.size() < 6)
            continue; // not a cell record, or too short to be one
        const int row = le16(data, 0) + 1;
        const int col = le16(data, 2) + 1;
        switch (type) {
        case kNumber:
            sink.PutNumber(row, col, leDouble(data, 6));
            break;
        case kRk:
            sink.PutNumber(row, col, rkValue(le32(data, 6)));
            break;
        case kMulRk: {
            if (data.size() < 6)
                FailRead(ReadFailure::Damaged);
            const size_t n = (data.size() - 6) / 6;
            for (size_t i = 0; i < n; ++i)
                sink.PutNumber(row, col + static_cast<int>(i), rkValue(le32(data, 4 + 6 * i + 2)));
            break;
        }
        case kLabelSst: {
            const uint32_t index = le32(data, 6);
            if (index >= shared.size())
                FailRead(ReadFailure::Damaged);
            sink.Put(row, col, shared[index]);
            break;
        }
        case kLabel:
        case kRString: {
            RecordData r;
            r.Add(data.substr(6));
            std::string text;
            r.String(text, false, budget);
            sink.Put(row, col, std::move(text));
            break;
        }
        case kBoolErr:
            if (data.size() >= 8 && data[7] == 0)
                sink.Put(row, col, data[6] ? "1" : "0");
            break;
        case kFormula: {
            if (data.size() < 14)
                FailRead(ReadFailure::Damaged);
            if (le16(data, 12) != 0xFFFF) {
                sink.PutNumber(row, col, leDouble(data, 6));
                break;
            }
            switch (static_cast<uint8_t>(data[6])) {
            case 0: // text: in the STRING record that follows
                pendingString = true;
                pendingRow = row;
                pendingCol = col;
                break;
            case 1:
                sink.Put(row, col, data[8] ? "1" : "0");
                break;
            default: // an error value or an empty text
                break;
            }
            break;
        }
        default:
            break;
        }
    }
    if (!sawGlobals)
        FailRead(ReadFailure::Damaged);
}

} // namespace ecam
