#include "grid/grid_column_fit.h"

#include "grid/grid_model.h"

#include <QFontMetrics>
#include <algorithm>

std::unordered_map<qint64, int>& CGridColumnFit::Widths(int col)
{
    if (col >= static_cast<int>(m_widthByKey.size()))
        m_widthByKey.resize(static_cast<size_t>(col) + 1);
    return m_widthByKey[static_cast<size_t>(col)];
}

int CGridColumnFit::CellText(const CGridModel& model, int row, int col, const QFontMetrics& fm)
{
    const CGridColumnFormat& format = model.ColumnFormat(col);
    if (!format.widthKey)
        return 0;
    if (model.HasExplicitText(row, col))
        return fm.horizontalAdvance(model.Text(row, col));
    const QVariant value = model.Value(row, col);
    if (!value.isValid())
        return 0;
    auto& widths = Widths(col);
    const qint64 key = format.widthKey(value);
    auto found = widths.find(key);
    if (found == widths.end())
        found = widths.emplace(key, fm.horizontalAdvance(format.text(value))).first;
    return found->second;
}

int CGridColumnFit::WidestText(const CGridModel& model, int col, const QFontMetrics& fm)
{
    if (!model.ColumnFormat(col).widthKey)
        return 0;
    int widest = 0;
    for (int row = 0; row < model.rowCount(); ++row)
        widest = std::max(widest, CellText(model, row, col, fm));
    return widest;
}

void CGridColumnFit::InsertColumn(int position)
{
    if (position < static_cast<int>(m_widthByKey.size()))
        m_widthByKey.insert(m_widthByKey.begin() + position, {});
}

void CGridColumnFit::Clear()
{
    m_widthByKey.clear();
}
