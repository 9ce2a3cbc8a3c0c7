#include "files/xlsx_reader.h"

#include "files/xml_pull.h"

#include <charconv>
#include <map>

namespace ecam {
namespace {

struct Relationship {
    std::string type;
    std::string target; // package path without a leading "/"
};

// Joins a relationship target to the folder of the part that names it;
// "/x/y" is absolute, "../" steps up.
std::string resolvePart(std::string_view baseDir, std::string_view target)
{
    std::string path;
    if (!target.empty() && target[0] == '/')
        target.remove_prefix(1);
    else
        path = std::string(baseDir);
    std::vector<std::string> segments;
    auto push = [&](std::string_view all) {
        size_t p = 0;
        while (p <= all.size()) {
            size_t slash = all.find('/', p);
            if (slash == std::string_view::npos)
                slash = all.size();
            const std::string_view seg = all.substr(p, slash - p);
            if (seg == "..") {
                if (!segments.empty())
                    segments.pop_back();
            } else if (!seg.empty() && seg != ".") {
                segments.emplace_back(seg);
            }
            p = slash + 1;
        }
    };
    push(path);
    push(target);
    std::string out;
    for (const std::string& s : segments) {
        if (!out.empty())
            out += '/';
        out += s;
    }
    return out;
}

std::string folderOf(std::string_view part)
{
    const size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash));
}

std::string relsPathOf(std::string_view part)
{
    const size_t slash = part.rfind('/');
    if (slash == std::string_view::npos)
        return "_rels/" + std::string(part) + ".rels";
    return std::string(part.substr(0, slash)) + "/_rels/" + std::string(part.substr(slash + 1)) + ".rels";
}

bool endsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::map<std::string, Relationship> readRels(ZipReader& zip, std::string_view part, ReadBudget& budget)
{
    std::map<std::string, Relationship> rels;
    const std::string path = relsPathOf(part);
    if (!zip.Has(path))
        return rels;
    const std::string xml = zip.Read(path);
    XmlPull x(xml, budget);
    const std::string dir = folderOf(part);
    std::string id, type, target;
    for (XmlPull::Event e; (e = x.Next()) != XmlPull::Eof;) {
        if (e == XmlPull::Start && x.LocalName() == "Relationship" && x.Attr("Id", id) && x.Attr("Target", target)) {
            x.Attr("Type", type);
            rels[id] = {type, resolvePart(dir, target)};
        }
    }
    return rels;
}

std::string workbookPart(ZipReader& zip, ReadBudget& budget)
{
    for (const auto& [id, rel] : readRels(zip, "", budget))
        if (endsWith(rel.type, "/officeDocument") && zip.Has(rel.target))
            return rel.target;
    return "xl/workbook.xml";
}

std::vector<std::string> readSharedStrings(ZipReader& zip, const std::string& part, CellSink& sink)
{
    std::vector<std::string> strings;
    const std::string xml = zip.Read(part);
    XmlPull x(xml, sink.Budget());
    std::string current;
    bool inItem = false, inText = false;
    int phonetic = 0; // reading hints (rPh) are not part of the text
    size_t bytes = 0;
    for (XmlPull::Event e; (e = x.Next()) != XmlPull::Eof;) {
        const std::string_view name = x.LocalName();
        if (e == XmlPull::Start) {
            if (name == "si") {
                inItem = true;
                current.clear();
            } else if (name == "rPh") {
                ++phonetic;
            } else if (name == "t") {
                inText = inItem && phonetic == 0;
            }
        } else if (e == XmlPull::End) {
            if (name == "si") {
                inItem = false;
                bytes += current.size();
                if (strings.size() >= kMaxCells || bytes > kMaxPartBytes)
                    FailRead(ReadFailure::TooLarge);
                strings.push_back(std::move(current));
                current.clear();
            } else if (name == "rPh") {
                --phonetic;
            } else if (name == "t") {
                inText = false;
            }
        } else if (e == XmlPull::Text && inText) {
            if (current.size() < kMaxCellBytes + 4)
                current += x.TextValue();
        }
    }
    return strings;
}

// "B12" -> column 2, row 12; false for anything else.
bool parseRef(std::string_view ref, int& row, int& column)
{
    size_t i = 0;
    long c = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && c <= kMaxColumns) {
        c = c * 26 + (ref[i] - 'A' + 1);
        ++i;
    }
    long r = 0;
    const size_t digitsAt = i;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9' && r <= kMaxRows) {
        r = r * 10 + (ref[i] - '0');
        ++i;
    }
    if (i != ref.size() || digitsAt == 0 || digitsAt == i || c > kMaxColumns || r > kMaxRows || r < 1)
        return false;
    row = static_cast<int>(r);
    column = static_cast<int>(c);
    return true;
}

bool parseNumber(std::string_view text, double& v)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '+'))
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() && end == text.data() + text.size();
}

void readSheet(ZipReader& zip, const std::string& part, const std::vector<std::string>& shared,
               bool date1904, CellSink& sink)
{
    const std::string xml = zip.Read(part);
    XmlPull x(xml, sink.Budget());
    int row = 0, column = 0;
    std::string type, ref, value, inlineText, attr;
    bool inCell = false, hasValue = false;
    enum { None, V, InlineT } textTarget = None;
    int inInline = 0;
    for (XmlPull::Event e; (e = x.Next()) != XmlPull::Eof;) {
        const std::string_view name = x.LocalName();
        if (e == XmlPull::Start) {
            if (name == "row") {
                // Rows without a number follow the one before.
                int r = row + 1;
                if (x.Attr("r", attr)) {
                    long v = 0;
                    const auto [end, ec] = std::from_chars(attr.data(), attr.data() + attr.size(), v);
                    if (ec != std::errc() || end != attr.data() + attr.size() || v < 1 || v > kMaxRows)
                        FailRead(ReadFailure::Damaged);
                    r = static_cast<int>(v);
                }
                if (r > kMaxRows)
                    FailRead(ReadFailure::Damaged);
                row = r;
                column = 0;
            } else if (name == "c") {
                inCell = true;
                hasValue = false;
                value.clear();
                inlineText.clear();
                // A char, not "n": GCC 12 misreads assigning a literal to a
                // string as an overlapping copy (-Wrestrict false positive).
                if (!x.Attr("t", type))
                    type = 'n';
                int r = row, c = column + 1;
                if (x.Attr("r", ref) && !parseRef(ref, r, c))
                    FailRead(ReadFailure::Damaged);
                if (r < 1 || c > kMaxColumns)
                    FailRead(ReadFailure::Damaged);
                row = r;
                column = c;
            } else if (inCell && name == "v") {
                textTarget = V;
                hasValue = true;
            } else if (inCell && name == "is") {
                ++inInline;
            } else if (inCell && inInline && name == "rPh") {
                inInline += 1000; // reading hints: skipped
            } else if (inCell && inInline > 0 && inInline < 1000 && name == "t") {
                textTarget = InlineT;
            }
        } else if (e == XmlPull::Text) {
            if (textTarget == V && value.size() < kMaxCellBytes + 4)
                value += x.TextValue();
            else if (textTarget == InlineT && inlineText.size() < kMaxCellBytes + 4)
                inlineText += x.TextValue();
        } else if (e == XmlPull::End) {
            if (name == "v" || name == "t") {
                textTarget = None;
            } else if (name == "rPh" && inInline >= 1000) {
                inInline -= 1000;
            } else if (name == "is") {
                inInline = 0;
            } else if (name == "c" && inCell) {
                inCell = false;
                double v = 0;
                if (type == "inlineStr") {
                    sink.Put(row, column, std::move(inlineText));
                } else if (!hasValue) {
                    // A formula saved without its result, or a styled empty cell.
                } else if (type == "s") {
                    long index = -1;
                    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), index);
                    if (ec != std::errc() || index < 0 || static_cast<size_t>(index) >= shared.size())
                        FailRead(ReadFailure::Damaged);
                    sink.Put(row, column, shared[static_cast<size_t>(index)]);
                } else if (type == "str") {
                    sink.Put(row, column, std::move(value));
                } else if (type == "b") {
                    sink.Put(row, column, value == "1" || value == "true" ? "1" : "0");
                } else if (type == "d") {
                    if (IsoDateSerial(value, v))
                        sink.PutNumber(row, column, date1904 ? v - 1462 : v);
                } else if (type == "e") {
                    // "#DIV/0!" and friends: no number, shown as an empty cell here.
                } else if (parseNumber(value, v)) {
                    sink.PutNumber(row, column, v);
                } else {
                    sink.Put(row, column, std::move(value));
                }
            }
        }
    }
}

} // namespace

bool IsXlsxPackage(const ZipReader& zip)
{
    return zip.Has("[Content_Types].xml") || zip.Has("xl/workbook.xml");
}

void ReadXlsx(ZipReader& zip, CellSink& sink)
{
    ReadBudget& budget = sink.Budget();
    const std::string wbPart = workbookPart(zip, budget);
    if (!zip.Has(wbPart))
        FailRead(ReadFailure::Damaged);
    const auto rels = readRels(zip, wbPart, budget);

    std::vector<std::string> sheetParts;
    bool date1904 = false;
    {
        const std::string xml = zip.Read(wbPart);
        XmlPull x(xml, budget);
        std::string id, flag;
        for (XmlPull::Event e; (e = x.Next()) != XmlPull::Eof;) {
            if (e != XmlPull::Start)
                continue;
            if (x.LocalName() == "workbookPr" && x.Attr("date1904", flag))
                date1904 = flag == "1" || flag == "true";
            if (x.LocalName() == "sheet" && x.Attr("id", id)) {
                const auto it = rels.find(id);
                // Chart sheets and other kinds have no cells to read.
                if (it != rels.end() && endsWith(it->second.type, "/worksheet"))
                    sheetParts.push_back(it->second.target);
            }
        }
    }
    std::vector<std::string> shared;
    for (const auto& [id, rel] : rels) {
        if (endsWith(rel.type, "/sharedStrings") && zip.Has(rel.target)) {
            shared = readSharedStrings(zip, rel.target, sink);
            break;
        }
    }
    for (const std::string& part : sheetParts) {
        sink.BeginSheet();
        if (!zip.Has(part))
            FailRead(ReadFailure::Damaged);
        readSheet(zip, part, shared, date1904, sink);
    }
}

} // namespace ecam
