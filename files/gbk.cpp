#include "files/gbk.h"
#include "files/utf8.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace ecam {
namespace {

constexpr char32_t kReplacement = 0xFFFD;


// Length of the UTF-8 sequence starting at s[i] (1 for a stray byte), and its
// code point in `c` (U+FFFD when malformed).
size_t decodeUtf8(std::string_view s, size_t i, char32_t& c)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        c = kReplacement;
        return 1;
    }
    if (i + len > s.size()) {
        c = kReplacement;
        return 1;
    }
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            c = kReplacement;
            return 1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    c = cp;
    return len;
}

// iconv from `from` to `to` over the whole input. `onBad` is called with the
// output when a sequence cannot be converted and returns how many input bytes
// to skip (at least 1).
template <typename OnBad>
std::string convert(const char* to, const char* from, std::string_view in, OnBad onBad)
{
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out; // cannot happen with glibc; an empty text is the safe answer
    out.reserve(in.size() * 3 / 2 + 16);
    char buf[4096];
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
        char* dst = buf;
        size_t room = sizeof buf;
        const size_t rc = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ (invalid or unmappable) or EINVAL (truncated at the end).
        const size_t skip = std::min(left, onBad(out, std::string_view(src, left)));
        src += skip;
        left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string Utf8ToGbk(std::string_view utf8)
{
    return convert("GBK", "UTF-8", utf8, [](std::string& out, std::string_view rest) {
        char32_t c;
        const size_t len = decodeUtf8(rest, 0, c);
        out += '?'; // the code page's default character
        return len;
    });
}

std::string GbkToUtf8(std::string_view bytes)
{
    return convert("UTF-8", "GBK", bytes, [](std::string& out, std::string_view) {
        AppendUtf8(out, kReplacement);
        return size_t{1};
    });
}

std::wstring Utf8ToWide(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c;
        i += decodeUtf8(utf8, i, c);
        out += static_cast<wchar_t>(c);
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::string WideToGbk(std::wstring_view text)
{
    return Utf8ToGbk(WideToUtf8(text));
}

std::wstring GbkToWide(std::string_view bytes)
{
    return Utf8ToWide(GbkToUtf8(bytes));
}

} // namespace ecam
