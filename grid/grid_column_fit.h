// CGridColumnFit: the width of the widest text of a formatted grid column,
// found without formatting every cell.
//
// For a column whose format has a width key, each distinct key is measured
// once, through one text of that key, and remembered until the font changes
// (Clear). Cells holding explicit texts are measured as they are. Owned by its
// grid; GUI thread only.
#pragma once

#include <QtGlobal>
#include <unordered_map>
#include <vector>

class CGridModel;
class QFontMetrics;

class CGridColumnFit {
public:
    // Pixels of the widest text in column col over all rows; 0 when the
    // column has no width key or no rows.
    int WidestText(const CGridModel& model, int col, const QFontMetrics& fm);
    // Pixels of the text of one cell, measured as the column measures it.
    int CellText(const CGridModel& model, int row, int col, const QFontMetrics& fm);

    void InsertColumn(int position);
    void Clear();

private:
    std::unordered_map<qint64, int>& Widths(int col);

    std::vector<std::unordered_map<qint64, int>> m_widthByKey;  // index = column
};
