#include "files/zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace ecam {
namespace {

uint16_t le16(std::string_view b, size_t at)
{
    if (at + 2 > b.size())
        FailRead(ReadFailure::Damaged);
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

uint32_t le32(std::string_view b, size_t at)
{
    return le16(b, at) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

constexpr uint32_t kLocalSig = 0x04034b50;
constexpr uint32_t kCentralSig = 0x02014b50;
constexpr uint32_t kEndSig = 0x06054b50;

} // namespace

bool ZipReader::LooksLikeZip(std::string_view bytes)
{
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K'
           && ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

ZipReader::ZipReader(std::string_view bytes, ReadBudget& budget) : m_bytes(bytes), m_budget(budget)
{
    // The end record sits in the last 22 + 65535 (comment) bytes.
    if (bytes.size() < 22)
        FailRead(ReadFailure::Damaged);
    size_t end = std::string_view::npos;
    const size_t lowest = bytes.size() > 22 + 65535 ? bytes.size() - 22 - 65535 : 0;
    for (size_t at = bytes.size() - 22 + 1; at-- > lowest;) {
        if (le32(bytes, at) == kEndSig) {
            end = at;
            break;
        }
    }
    if (end == std::string_view::npos)
        FailRead(ReadFailure::Damaged);
    const uint16_t count = le16(bytes, end + 10);
    const uint32_t cdSize = le32(bytes, end + 12);
    const uint32_t cdOffset = le32(bytes, end + 16);
    if (count == 0xFFFF || cdOffset == 0xFFFFFFFF)
        FailRead(ReadFailure::Damaged); // zip64: not written for workbooks this small
    if (count > kMaxZipEntries)
        FailRead(ReadFailure::TooLarge);
    if (cdOffset > bytes.size() || cdSize > bytes.size() - cdOffset)
        FailRead(ReadFailure::Damaged);
    size_t at = cdOffset;
    for (uint16_t i = 0; i < count; ++i) {
        m_budget.Tick();
        if (le32(bytes, at) != kCentralSig)
            FailRead(ReadFailure::Damaged);
        Entry e;
        e.flags = le16(bytes, at + 8);
        e.method = le16(bytes, at + 10);
        e.crc = le32(bytes, at + 16);
        e.packed = le32(bytes, at + 20);
        e.size = le32(bytes, at + 24);
        const uint16_t nameLen = le16(bytes, at + 28);
        const uint16_t extraLen = le16(bytes, at + 30);
        const uint16_t commentLen = le16(bytes, at + 32);
        e.offset = le32(bytes, at + 42);
        if (at + 46 + nameLen > bytes.size())
            FailRead(ReadFailure::Damaged);
        std::string name(bytes.substr(at + 46, nameLen));
        at += 46 + size_t(nameLen) + extraLen + commentLen;
        m_lowerNames.emplace(lower(name), name);
        m_entries.emplace(std::move(name), e);
    }
}

const ZipReader::Entry* ZipReader::find(std::string_view name) const
{
    if (auto it = m_entries.find(std::string(name)); it != m_entries.end())
        return &it->second;
    if (auto it = m_lowerNames.find(lower(name)); it != m_lowerNames.end())
        return &m_entries.at(it->second);
    return nullptr;
}

bool ZipReader::Has(std::string_view name) const
{
    return find(name) != nullptr;
}

std::string ZipReader::Read(std::string_view name)
{
    const Entry* e = find(name);
    if (!e)
        FailRead(ReadFailure::Damaged);
    if (e->flags & 1)
        FailRead(ReadFailure::Damaged); // encrypted
    const uint64_t at = e->offset;
    if (at > m_bytes.size() || le32(m_bytes, at) != kLocalSig)
        FailRead(ReadFailure::Damaged);
    const uint64_t data = at + 30 + le16(m_bytes, at + 26) + le16(m_bytes, at + 28);
    if (data > m_bytes.size() || e->packed > m_bytes.size() - data)
        FailRead(ReadFailure::Damaged);
    const std::string_view packed = m_bytes.substr(data, e->packed);
    // What the archive claims plays no part in the allocations: the buffer
    // starts from the packed data's size and doubles with what actually
    // inflates, up to the caps.
    const uint64_t cap = std::min<uint64_t>(kMaxPartBytes, kMaxInflatedBytes - m_inflated);
    std::string out;
    if (e->method == 0) {
        if (packed.size() > cap)
            FailRead(ReadFailure::TooLarge);
        out.assign(packed);
    } else if (e->method == 8) {
        out.resize(static_cast<size_t>(std::min<uint64_t>(uint64_t(packed.size()) * 4 + 4096, cap)));
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            FailRead(ReadFailure::Damaged);
        struct End {
            z_stream& z;
            ~End() { inflateEnd(&z); }
        } end{z};
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
        z.avail_in = static_cast<uInt>(packed.size());
        size_t produced = 0;
        for (;;) {
            m_budget.Check();
            if (produced == out.size()) {
                if (out.size() >= cap)
                    FailRead(ReadFailure::TooLarge);
                out.resize(static_cast<size_t>(std::min<uint64_t>(uint64_t(out.size()) * 2, cap)));
            }
            // Bounded steps, so the deadline is looked at while a bomb inflates.
            const size_t room = std::min<size_t>(out.size() - produced, 1 << 20);
            z.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
            z.avail_out = static_cast<uInt>(room);
            const int rc = inflate(&z, Z_NO_FLUSH);
            produced += room - z.avail_out;
            if (rc == Z_STREAM_END)
                break;
            if (rc != Z_OK && !(rc == Z_BUF_ERROR && z.avail_out == 0))
                FailRead(ReadFailure::Damaged);
            if (z.avail_in == 0 && z.avail_out != 0)
                FailRead(ReadFailure::Damaged); // ended without its end mark
        }
        out.resize(produced);
    } else {
        FailRead(ReadFailure::Damaged);
    }
    if (crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size())) != e->crc)
        FailRead(ReadFailure::Damaged);
    m_inflated += out.size();
    return out;
}

} // namespace ecam
