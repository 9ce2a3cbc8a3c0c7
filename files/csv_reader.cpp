#include "files/csv_reader.h"

#include "files/gbk.h"

#include <algorithm>

namespace ecam {
namespace {

bool validUtf8(std::string_view s)
{
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

} // namespace

bool LooksLikeText(std::string_view bytes)
{
    const std::string_view head = bytes.substr(0, 4096);
    return std::none_of(head.begin(), head.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f';
    });
}

ReadFailure MarkupKind(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    const size_t start = bytes.find_first_not_of(" \t\r\n\f");
    if (start == std::string_view::npos || bytes[start] != '<')
        return ReadFailure::None;
    std::string head(bytes.substr(start, 1024));
    std::transform(head.begin(), head.end(), head.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (const char* tag : {"<!doctype html", "<html", "<table", "<head", "<body", "<meta"})
        if (head.find(tag) != std::string::npos)
            return ReadFailure::HtmlPage;
    return ReadFailure::XmlDocument;
}

void ReadCsv(std::string_view bytes, CellSink& sink)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::string converted;
    if (!validUtf8(bytes)) {
        converted = GbkToUtf8(bytes);
        bytes = converted;
    }
    // The separator is what the first line uses: a semicolon (office suites
    // in locales with a decimal comma), else a tab, else a comma.
    const std::string_view first = bytes.substr(0, bytes.find_first_of("\r\n"));
    const char sep = first.find(';') != std::string_view::npos    ? ';'
                     : first.find('\t') != std::string_view::npos ? '\t'
                                                                  : ',';
    const char stops[] = {sep, '\r', '\n', '\0'};
    sink.BeginSheet();
    int row = 1, col = 1;
    std::string cell;
    size_t i = 0;
    auto endCell = [&]() {
        if (col > kMaxColumns)
            FailRead(ReadFailure::TooLarge);
        sink.Put(row, col, std::move(cell));
        cell.clear();
        ++col;
    };
    while (i < bytes.size()) {
        sink.Budget().Tick();
        const char c = bytes[i];
        if (c == '"' && cell.empty()) {
            // A quoted cell runs to the quote that is not doubled.
            ++i;
            for (;;) {
                const size_t q = bytes.find('"', i);
                if (q == std::string_view::npos) {
                    cell.append(bytes.substr(i, std::min(bytes.size() - i, kMaxCellBytes + 4)));
                    i = bytes.size();
                    break;
                }
                if (cell.size() < kMaxCellBytes + 4)
                    cell.append(bytes.substr(i, std::min(q - i, kMaxCellBytes + 4)));
                if (q + 1 < bytes.size() && bytes[q + 1] == '"') {
                    cell += '"';
                    i = q + 2;
                    continue;
                }
                i = q + 1;
                break;
            }
            continue;
        }
        if (c == sep) {
            endCell();
            ++i;
        } else if (c == '\n' || c == '\r') {
            // LF, CR LF, or CR alone (old Mac programs)
            endCell();
            i += c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
            if (++row > kMaxRows)
                FailRead(ReadFailure::TooLarge);
            col = 1;
        } else {
            const size_t stop = bytes.find_first_of(stops, i);
            const size_t end = stop == std::string_view::npos ? bytes.size() : std::max(stop, i + 1);
            if (cell.size() < kMaxCellBytes + 4)
                cell.append(bytes.substr(i, std::min(end - i, kMaxCellBytes + 4)));
            i = end;
        }
    }
    if (!cell.empty())
        endCell();
}

} // namespace ecam
