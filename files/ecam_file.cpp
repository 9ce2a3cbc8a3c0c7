#include "files/ecam_file.h"

#include "files/comma_sub_str.h"
#include "files/gbk.h"
#include "files/safe_file.h"
#include "cam/c_number.h"

#include "ecam_version.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace ecam {
namespace {

// Labels are written in UTF-8 here and converted with the values, so the
// whole file goes through one GBK conversion.
constexpr std::string_view kLabelVersion = "后台软件版本";
constexpr std::string_view kLabelTime = "文件保存时间";
constexpr std::string_view kLabelLength = "主轴长度";
constexpr std::string_view kLabelUnit = "单位";
constexpr std::string_view kLabelSlaveRatio = "从轴单位转换率";
constexpr std::string_view kLabelMasterRatio = "主轴单位转换率";
constexpr std::string_view kLabelCount = "凸轮点数量";

void appendRightAligned(std::string& out, std::string_view text, size_t width)
{
    if (text.size() < width)
        out.append(width - text.size(), ' ');
    out.append(text);
}

// printf "%12f" without the process locale: fixed notation, six decimals.
void appendFixed12(std::string& out, double v)
{
    char buf[400]; // enough for the widest double in fixed notation
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    std::string_view text;
    if (ec == std::errc())
        text = std::string_view(buf, static_cast<size_t>(end - buf));
    else
        text = "0.000000";
    // Like printf, to_chars spells the specials "inf", "-inf" and "nan".
    appendRightAligned(out, text, 12);
}

void appendInt12(std::string& out, long v)
{
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    appendRightAligned(out, std::string_view(buf, ec == std::errc() ? size_t(end - buf) : 0), 12);
}

void appendSettingLine(std::string& out, std::string_view label, std::wstring_view value)
{
    out.append(label);
    out.append(", ");
    out.append(WideToUtf8(value));
    out.append("\r\n");
}

void splitRatio(const std::wstring& field, std::wstring& pulse, std::wstring& units)
{
    const size_t slash = field.find(L'/');
    if (slash == std::wstring::npos) {
        pulse.clear();
        units = field;
    } else {
        pulse = field.substr(0, slash);
        units = field.substr(slash + 1);
    }
}

// "nan" and "inf" read as numbers by the C conversion, but they are not
// positions: like any other text that is not a number they become 0.
double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

std::string describeErrno(int err)
{
    return std::strerror(err);
}

} // namespace

long ECamMasterLengthValue(const ECamProfile& profile)
{
    return LeadingLong(profile.masterLength);
}

std::string EncodeECamProfile(const ECamProfile& p)
{
    // Everything up to the rows is small; each row is at most ~60 bytes
    // unless a value is astronomically large, and then the string grows.
    std::string text;
    text.reserve(512 + p.points.size() * 64);
    appendSettingLine(text, kLabelVersion, p.hostVersion);
    appendSettingLine(text, kLabelTime, p.saveTime);
    appendSettingLine(text, kLabelLength, p.masterLength);
    appendSettingLine(text, kLabelUnit, p.unit);
    appendSettingLine(text, kLabelSlaveRatio, p.slavePulse + L"/" + p.slaveUnits);
    appendSettingLine(text, kLabelMasterRatio, p.masterPulse + L"/" + p.masterUnits);
    text.append(kLabelCount);
    text.append(",   ");
    text.append(std::to_string(p.points.size()));
    text.append("\r\n");
    // Only the header part can hold non-ASCII text; convert it once and
    // append the rows as they are (they are pure ASCII).
    std::string bytes = Utf8ToGbk(text);
    bytes.reserve(bytes.size() + 64 + p.points.size() * 64);
    for (const char* label : {"M", "S", "V"}) {
        appendRightAligned(bytes, label, 12);
        bytes.append(",\t ");
    }
    appendRightAligned(bytes, "T", 12);
    bytes.append("\t\r\n");
    for (const ECamPoint& pt : p.points) {
        appendFixed12(bytes, pt.master);
        bytes.append(",\t ");
        appendFixed12(bytes, pt.slave);
        bytes.append(",\t ");
        appendFixed12(bytes, pt.speed);
        bytes.append(",\t ");
        appendInt12(bytes, pt.type);
        bytes.append("\t\r\n");
    }
    return bytes;
}

namespace {

constexpr std::wstring_view kCountLabel = L"凸轮点数量";

// Rows are ASCII as written; only a hand-edited row needs the code page.
std::wstring rowText(const std::string& line)
{
    std::wstring out;
    out.reserve(line.size());
    for (char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return GbkToWide(line);
        out += static_cast<wchar_t>(c);
    }
    return out;
}

// The decoder over a source of lines (bytes without their LF). With a
// budget it is the file reader: line 7 must be the count line and the rows
// are capped; without, it takes whatever the bytes hold.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether a text editor re-saved the file as UTF-8: a byte order mark, or
// the count label of line 7 in UTF-8 bytes. Only then is the header read as
// UTF-8; otherwise it is GBK, as written.
bool headerIsUtf8(const std::vector<std::string>& lines)
{
    return lines[0].compare(0, kUtf8Bom.size(), kUtf8Bom) == 0
           || lines[6].compare(0, std::string_view("凸轮点数量").size(), "凸轮点数量") == 0;
}

// The decoder over a source of lines (bytes without their LF). With a
// budget it is the file reader: line 7 must be the count line and the rows
// are capped; without, it takes whatever the bytes hold.
template <class NextLine>
ReadFailure decodeLines(NextLine&& nextLine, ECamProfile& p, ReadBudget* budget)
{
    std::string line;
    CCommaSubStr sub;
    std::vector<std::string> head(8);
    for (std::string& h : head)
        if (!nextLine(h))
            h.clear();
    const bool utf8 = headerIsUtf8(head);
    if (utf8 && head[0].compare(0, kUtf8Bom.size(), kUtf8Bom) == 0)
        head[0].erase(0, kUtf8Bom.size());
    size_t at = 0;
    auto header = [&]() {
        const std::string& text = head[at++];
        sub.SetLine(utf8 ? Utf8ToWide(text) : GbkToWide(text));
        return sub.GetField(1);
    };
    p.hostVersion = header();
    p.saveTime = header();
    p.masterLength = header();
    p.unit = header();
    splitRatio(header(), p.slavePulse, p.slaveUnits);
    splitRatio(header(), p.masterPulse, p.masterUnits);
    const long count = LeadingLong(header());
    p.announcedPoints = count;
    if (budget && sub.GetField(0) != kCountLabel)
        return ReadFailure::NotAProfile;
    header(); // column labels

    // A file with fewer rows than its count stops at its end, and the list
    // never grows past the rows the file actually holds, whatever the count.
    for (long i = 0; i < count; ++i) {
        if (!nextLine(line))
            break;
        if (budget && p.points.size() >= kMaxFilePoints)
            return ReadFailure::TooManyPoints;
        sub.SetLine(rowText(line));
        ECamPoint pt;
        pt.master = finiteOrZero(LeadingDouble(sub.GetField(0)));
        pt.slave = finiteOrZero(LeadingDouble(sub.GetField(1)));
        pt.speed = finiteOrZero(LeadingDouble(sub.GetField(2)));
        pt.type = LeadingInt(sub.GetField(3)) == kECamPoly ? kECamPoly : kECamLinear;
        p.points.push_back(pt);
    }
    return ReadFailure::None;
}

} // namespace

ECamProfile DecodeECamProfile(std::string_view bytes)
{
    ECamProfile p;
    size_t pos = 0;
    decodeLines(
        [&](std::string& line) {
            if (pos >= bytes.size())
                return false; // end of file: no more lines (a final LF ends the last one)
            size_t end = bytes.find('\n', pos);
            if (end == std::string_view::npos)
                end = bytes.size();
            line.assign(bytes, pos, end - pos);
            pos = end + 1;
            return true;
        },
        p, nullptr);
    return p;
}

std::wstring ECamVersionText(std::string_view fileVersion)
{
    std::wstring out;
    for (wchar_t c : Utf8ToWide(fileVersion)) {
        if (c == L',')
            out += L'.';
        else if (c != L' ')
            out += c;
    }
    return out;
}

std::wstring ECamHostVersionText()
{
    return ECamVersionText(ECAM_VERSION_STRING);
}

std::wstring ECamSaveTimeText(std::time_t when)
{
    std::tm tm{};
    if (!localtime_r(&when, &tm))
        return {};
    char buf[128 * 4];
    const size_t n = std::strftime(buf, sizeof buf, "%Y年%m月%d日%H:%M:%S", &tm);
    return Utf8ToWide(std::string_view(buf, n));
}

bool WriteECamProfileFile(const std::filesystem::path& path, const ECamProfile& profile,
                          std::string* error)
{
    std::string why;
    if (SaveFile(path, EncodeECamProfile(profile), why))
        return true;
    if (error)
        *error = why;
    return false;
}

bool ReadECamProfileFile(const std::filesystem::path& path, ECamProfile& profile,
                         std::string* error, ReadFailure* kind, std::chrono::milliseconds limit)
{
    ReadFailure failure = ReadFailure::None;
    std::string text;
    RegularFile file;
    ReadBudget budget(limit);
    auto fail = [&](ReadFailure k, std::string words) {
        if (kind)
            *kind = k;
        if (error)
            *error = std::move(words);
        return false;
    };
    if (!file.Open(path, failure, text))
        return fail(failure, text);

    // Lines are read as they are needed, so the file's size plays no part:
    // a profile is read up to its last announced row and no further.
    std::string buf;
    size_t pos = 0;
    bool eof = false;
    int readError = 0;
    auto fill = [&]() {
        budget.Check();
        buf.erase(0, pos);
        pos = 0;
        const size_t old = buf.size();
        buf.resize(old + (1 << 16));
        const long got = file.Read(buf.data() + old, 1 << 16);
        if (got < 0) {
            readError = errno ? errno : EIO;
            buf.resize(old);
            eof = true;
            return;
        }
        buf.resize(old + static_cast<size_t>(got));
        eof = got == 0;
    };
    auto nextLine = [&](std::string& line) {
        line.clear();
        bool cut = false;
        for (;;) {
            budget.Tick();
            const size_t lf = buf.find('\n', pos);
            const size_t end = lf == std::string::npos ? buf.size() : lf;
            if (!cut) {
                const size_t room = kMaxProfileLineBytes - line.size();
                line.append(buf, pos, std::min(end - pos, room));
                cut = line.size() >= kMaxProfileLineBytes; // the rest of an overlong line is dropped
            }
            if (lf != std::string::npos) {
                pos = lf + 1;
                return true;
            }
            pos = buf.size();
            if (eof)
                return !line.empty() || cut;
            fill();
            if (eof && pos >= buf.size())
                return !line.empty() || cut;
        }
    };
    ECamProfile p;
    try {
        fill();
        failure = decodeLines(nextLine, p, &budget);
    } catch (const ReadFailed& f) {
        failure = f.Kind();
    } catch (const std::bad_alloc&) {
        failure = ReadFailure::TooLarge;
    }
    if (readError)
        return fail(ReadFailure::CannotOpen, describeErrno(readError));
    if (failure == ReadFailure::NotAProfile)
        return fail(failure, "不是凸轮文件 (第7行不是点数行)");
    if (failure != ReadFailure::None)
        return fail(failure, ReadFailureText(failure));
    profile = std::move(p);
    return true;
}

} // namespace ecam
