#include "files/sheet_cells.h"
#include "files/utf8.h"

#include <charconv>
#include <cmath>

namespace ecam {
namespace {


// Days from 1970-01-01 of a proleptic Gregorian date.
long daysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

bool digits(std::string_view s, size_t at, size_t n, int& v)
{
    if (at + n > s.size())
        return false;
    v = 0;
    for (size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
    }
    return true;
}

} // namespace

void CellSink::BeginSheet()
{
    if (m_sheets.size() >= kMaxSheets)
        FailRead(ReadFailure::TooLarge);
    m_sheets.emplace_back();
}

void CellSink::Put(int row, int column, std::string text)
{
    m_budget.Tick();
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns || m_sheets.empty())
        FailRead(ReadFailure::Damaged);
    if (text.empty())
        return;
    if (text.size() > kMaxCellBytes) {
        size_t cut = kMaxCellBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut; // keep whole characters
        text.resize(cut);
    }
    auto [it, added] = m_sheets.back().cells.insert_or_assign({row, column}, std::move(text));
    (void)it;
    if (added && ++m_cells > kMaxCells)
        FailRead(ReadFailure::TooLarge);
}

void CellSink::PutNumber(int row, int column, double value)
{
    Put(row, column, NumberText(value));
}

std::string NumberText(double v)
{
    if (!std::isfinite(v))
        return {};
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    if (ec != std::errc())
        return {};
    return std::string(buf, end);
}

bool IsoDateSerial(std::string_view s, double& serial)
{
    int y, m, d;
    size_t at = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative)
        at = 1;
    if (!digits(s, at, 4, y) || s.size() < at + 10 || s[at + 4] != '-' || !digits(s, at + 5, 2, m)
        || s[at + 7] != '-' || !digits(s, at + 8, 2, d) || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    if (negative)
        y = -y;
    double frac = 0;
    at += 10;
    if (at < s.size()) {
        int hh, mm, ss;
        if (s[at] != 'T' || !digits(s, at + 1, 2, hh) || s.size() < at + 9 || s[at + 3] != ':'
            || !digits(s, at + 4, 2, mm) || s[at + 6] != ':' || !digits(s, at + 7, 2, ss))
            return false;
        double sec = ss;
        at += 9;
        if (at < s.size() && s[at] == '.') {
            double scale = 0.1;
            for (++at; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at, scale /= 10)
                sec += (s[at] - '0') * scale;
        }
        if (at != s.size() && !(at + 1 == s.size() && s[at] == 'Z'))
            return false;
        frac = (hh * 3600.0 + mm * 60.0 + sec) / 86400.0;
    }
    serial = static_cast<double>(daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d))
                                 - daysFromCivil(1899, 12, 30))
             + frac;
    return true;
}

bool IsoDurationDays(std::string_view s, double& days)
{
    size_t at = 0;
    bool negative = false;
    if (at < s.size() && s[at] == '-') {
        negative = true;
        ++at;
    }
    if (s.substr(at, 2) != "PT")
        return false;
    at += 2;
    double seconds = 0;
    bool any = false;
    while (at < s.size()) {
        double v = 0;
        const auto [end, ec] = std::from_chars(s.data() + at, s.data() + s.size(), v);
        if (ec != std::errc() || end == s.data() + s.size())
            return false;
        at = static_cast<size_t>(end - s.data());
        const char unit = s[at++];
        if (unit == 'H')
            seconds += v * 3600;
        else if (unit == 'M')
            seconds += v * 60;
        else if (unit == 'S')
            seconds += v;
        else
            return false;
        any = true;
    }
    days = (negative ? -seconds : seconds) / 86400.0;
    return any;
}

void AppendUtf16(std::string& out, const char16_t* units, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        uint32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
}

} // namespace ecam
