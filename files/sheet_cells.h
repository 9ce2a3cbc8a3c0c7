#pragma once
// The cells a workbook reader collects, as the user sees them in the sheet:
// texts as written, numbers (dates and cached formula results included) as
// their shortest text ("10", "0.125", "45306"), booleans as "1" and "0".
// Only non-empty cells are kept, sparsely, so a single cell in the far
// corner costs one entry. CellSink enforces the caps of read_limits.h on
// everything a reader puts in (sheets, cells, row and column range, text
// length) and throws ReadFailed beyond them. One thread.
#include "files/read_limits.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ecam {

struct SheetCells {
    std::map<std::pair<int, int>, std::string> cells; // (row, column) from 1 -> UTF-8 text
};

class CellSink {
public:
    explicit CellSink(ReadBudget& budget) : m_budget(budget) {}

    ReadBudget& Budget() { return m_budget; }
    // Starts the next sheet; the cells that follow land in it.
    void BeginSheet();
    // Row and column count from 1; an empty text is no cell.
    void Put(int row, int column, std::string text);
    void PutNumber(int row, int column, double value);

    std::vector<SheetCells> TakeSheets() { return std::move(m_sheets); }
    // Non-empty cells put so far, over all sheets.
    size_t Cells() const { return m_cells; }

private:
    ReadBudget& m_budget;
    std::vector<SheetCells> m_sheets;
    size_t m_cells = 0;
};

// Shortest text that reads back as the same number; empty for NaN and the
// infinities, which no sheet shows as numbers.
std::string NumberText(double v);

// Serial day number of an ISO date or date-time ("2024-01-15",
// "2024-01-15T12:00:00.5"): days since 1899-12-30 plus the day's fraction,
// as spreadsheets count. False when the text is not such a date.
bool IsoDateSerial(std::string_view text, double& serial);
// Fraction of a day of an ISO duration such as "PT12H30M00S".
bool IsoDurationDays(std::string_view text, double& days);

// Text of UTF-16 code units (BIFF strings), as UTF-8.
void AppendUtf16(std::string& out, const char16_t* units, size_t count);

} // namespace ecam
