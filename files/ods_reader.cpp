#include "files/ods_reader.h"

#include "files/xml_pull.h"

#include <algorithm>
#include <charconv>

namespace ecam {
namespace {

// A repeat count: at least 1; beyond the sheet's size is damage.
long repeatCount(XmlPull& x, std::string_view attr, long max)
{
    std::string text;
    if (!x.Attr(attr, text))
        return 1;
    long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > max)
        FailRead(ReadFailure::Damaged);
    return n;
}

struct Cell {
    std::string text;
    long repeat = 1;
};

} // namespace

bool IsOdsPackage(const ZipReader& zip)
{
    return zip.Has("content.xml");
}

void ReadOds(ZipReader& zip, CellSink& sink)
{
    const std::string xml = zip.Read("content.xml");
    XmlPull x(xml, sink.Budget());
    int depthInTable = 0;
    long row = 0;           // rows before the current one
    long rowRepeat = 1;
    std::vector<Cell> cells; // the current row's cells, before expansion
    bool inCell = false;
    int paragraphs = 0, inParagraph = 0, inAnnotation = 0;
    std::string current, attr;
    bool typed = false;
    long cellRepeat = 1;
    long rowWidth = 0;

    auto endRow = [&]() {
        // The row and its repeats, each holding the row's cells with theirs.
        const bool any = [&] {
            for (const Cell& c : cells)
                if (!c.text.empty())
                    return true;
            return false;
        }();
        if (!any) {
            // The suite pads a sheet with empty rows up to its last row.
            row = std::min<long>(row + rowRepeat, kMaxRows);
            cells.clear();
            return;
        }
        {
            // Counted before it is spread out: a filled row repeated over
            // the whole sheet would otherwise cost the deadline, not the cap.
            unsigned long long filled = 0;
            for (const Cell& c : cells)
                if (!c.text.empty())
                    filled += static_cast<unsigned long long>(c.repeat);
            if (filled * static_cast<unsigned long long>(rowRepeat) + sink.Cells() > kMaxCells)
                FailRead(ReadFailure::TooLarge);
            for (long r = 0; r < rowRepeat; ++r) {
                long col = 0;
                for (const Cell& c : cells) {
                    if (c.text.empty()) {
                        col += c.repeat;
                        continue;
                    }
                    for (long k = 0; k < c.repeat; ++k) {
                        ++col;
                        if (row + r + 1 > kMaxRows || col > kMaxColumns)
                            FailRead(ReadFailure::TooLarge);
                        sink.Put(static_cast<int>(row + r + 1), static_cast<int>(col), c.text);
                    }
                }
            }
        }
        row += rowRepeat;
        cells.clear();
    };

    for (XmlPull::Event e; (e = x.Next()) != XmlPull::Eof;) {
        const std::string_view name = x.LocalName();
        if (e == XmlPull::Start) {
            if (name == "table" && depthInTable == 0) {
                sink.BeginSheet();
                depthInTable = 1;
                row = 0;
            } else if (depthInTable == 0) {
                continue;
            } else if (name == "table-row") {
                rowRepeat = repeatCount(x, "number-rows-repeated", kMaxRows);
                cells.clear();
                rowWidth = 0;
            } else if (name == "table-cell" || name == "covered-table-cell") {
                inCell = true;
                cellRepeat = repeatCount(x, "number-columns-repeated", kMaxColumns);
                paragraphs = 0;
                inAnnotation = 0;
                current.clear();
                typed = false;
                std::string type;
                double v = 0;
                if (x.Attr("value-type", type) && type != "string") {
                    typed = true;
                    if (type == "float" || type == "percentage" || type == "currency") {
                        if (x.Attr("value", attr)) {
                            const auto [end, ec] = std::from_chars(attr.data(), attr.data() + attr.size(), v);
                            if (ec == std::errc())
                                current = NumberText(v);
                        }
                    } else if (type == "date") {
                        if (x.Attr("date-value", attr) && IsoDateSerial(attr, v))
                            current = NumberText(v);
                    } else if (type == "time") {
                        if (x.Attr("time-value", attr) && IsoDurationDays(attr, v))
                            current = NumberText(v);
                    } else if (type == "boolean") {
                        if (x.Attr("boolean-value", attr))
                            current.assign(1, attr == "true" || attr == "1" ? '1' : '0');
                    } else {
                        typed = false; // unknown kind: what it shows
                    }
                }
            } else if (inCell && name == "annotation") {
                ++inAnnotation; // a comment on the cell is not its text
            } else if (inCell && !typed && !inAnnotation && name == "p") {
                if (paragraphs++ > 0)
                    current += '\n';
                ++inParagraph;
            } else if (inCell && !typed && inParagraph > 0) {
                // Spaces and tabs the format stores as elements.
                if (name == "s") {
                    const long n = repeatCount(x, "c", 1 << 16);
                    if (current.size() + static_cast<size_t>(n) <= kMaxCellBytes)
                        current.append(static_cast<size_t>(n), ' ');
                } else if (name == "tab") {
                    current += '\t';
                } else if (name == "line-break") {
                    current += '\n';
                }
            } else if (name == "table") {
                ++depthInTable; // a table inside a cell's content: its cells are not ours
            }
        } else if (e == XmlPull::Text) {
            if (inCell && !typed && inParagraph > 0 && current.size() < kMaxCellBytes + 4)
                current += x.TextValue();
        } else if (e == XmlPull::End && depthInTable > 0) {
            if (name == "annotation" && inAnnotation > 0) {
                --inAnnotation;
            } else if (name == "p" && inParagraph > 0 && !inAnnotation) {
                --inParagraph;
            } else if ((name == "table-cell" || name == "covered-table-cell") && inCell) {
                inCell = false;
                cells.push_back({std::move(current), cellRepeat});
                current.clear();
                rowWidth += cellRepeat;
                if (rowWidth > kMaxColumns)
                    FailRead(ReadFailure::Damaged);
            } else if (name == "table-row") {
                endRow();
            } else if (name == "table") {
                --depthInTable;
            }
        }
    }
}

} // namespace ecam
