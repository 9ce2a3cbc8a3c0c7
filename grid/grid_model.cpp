#include "grid/grid_model.h"

#include <algorithm>
#include <iterator>
#include <utility>

CGridModel::CGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int CGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rowData.size());
}

int CGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant CGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !Contains(index.row(), index.column()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return static_cast<int>(m_columns[static_cast<size_t>(index.column())].alignment);
    default:
        return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount())
        return {};
    const Column& column = m_columns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.heading;
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(column.alignment);
    return {};
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const
{
    // Never editable here: the column traits edit, through their own editors.
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void CGridModel::InsertColumn(int position, const QString& heading, Qt::Alignment alignment)
{
    const int oldCount = ColumnCount();
    beginInsertColumns(QModelIndex(), position, position);
    m_columns.insert(m_columns.begin() + position, Column{heading, alignment | Qt::AlignVCenter, {}});
    std::vector<Cell> cells;
    cells.reserve(m_rowData.size() * m_columns.size());
    for (size_t row = 0; row < m_rowData.size(); ++row) {
        auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(row * static_cast<size_t>(oldCount));
        cells.insert(cells.end(), std::make_move_iterator(first), std::make_move_iterator(first + position));
        cells.emplace_back();
        cells.insert(cells.end(), std::make_move_iterator(first + position),
                     std::make_move_iterator(first + oldCount));
    }
    m_cells = std::move(cells);
    endInsertColumns();
}

void CGridModel::SetColumnFormat(int col, CGridColumnFormat format)
{
    if (col < 0 || col >= ColumnCount())
        return;
    m_columns[static_cast<size_t>(col)].format = std::move(format);
    if (!m_rowData.empty())
        CellChanged(-1, col);
}

void CGridModel::InsertRow(int row)
{
    beginInsertRows(QModelIndex(), row, row);
    m_cells.insert(m_cells.begin() + static_cast<std::ptrdiff_t>(row) * ColumnCount(),
                   static_cast<size_t>(ColumnCount()), Cell{});
    m_rowData.insert(m_rowData.begin() + row, 0);
    endInsertRows();
}

bool CGridModel::RemoveRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(row) * ColumnCount();
    m_cells.erase(first, first + ColumnCount());
    m_rowData.erase(m_rowData.begin() + row);
    endRemoveRows();
    return true;
}

void CGridModel::ResetRows(int count)
{
    beginResetModel();
    const auto rows = static_cast<size_t>(std::max(count, 0));
    m_cells.clear();
    m_cells.resize(rows * m_columns.size());
    m_rowData.assign(rows, 0);
    endResetModel();
}

bool CGridModel::Contains(int row, int col) const
{
    return row >= 0 && row < rowCount() && col >= 0 && col < ColumnCount();
}

bool CGridModel::SetText(int row, int col, const QString& text)
{
    if (!Contains(row, col))
        return false;
    Cell& cell = At(row, col);
    cell.text = text;
    cell.hasText = true;
    CellChanged(row, col);
    return true;
}

QString CGridModel::Text(int row, int col) const
{
    if (!Contains(row, col))
        return {};
    const Cell& cell = At(row, col);
    if (cell.hasText)
        return cell.text;
    const CGridColumnFormat& format = ColumnFormat(col);
    return format && cell.value.isValid() ? format.text(cell.value) : QString();
}

bool CGridModel::HasExplicitText(int row, int col) const
{
    return Contains(row, col) && At(row, col).hasText;
}

bool CGridModel::SetValue(int row, int col, const QVariant& value)
{
    if (!Contains(row, col))
        return false;
    Cell& cell = At(row, col);
    cell.value = value;
    // In a formatted column the text follows the value.
    if (ColumnFormat(col) && cell.hasText) {
        cell.hasText = false;
        cell.text.clear();
    }
    CellChanged(row, col);
    return true;
}

QVariant CGridModel::Value(int row, int col) const
{
    return Contains(row, col) ? At(row, col).value : QVariant();
}

bool CGridModel::SetRowData(int row, quintptr data)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_rowData[static_cast<size_t>(row)] = data;
    return true;
}

quintptr CGridModel::RowData(int row) const
{
    return row >= 0 && row < rowCount() ? m_rowData[static_cast<size_t>(row)] : 0;
}

void CGridModel::SetQuiet(bool quiet)
{
    m_quiet = quiet;
    if (quiet || !m_changedWhileQuiet)
        return;
    m_changedWhileQuiet = false;
    if (rowCount() != 0 && ColumnCount() != 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount() - 1));
}

// row -1: the whole column.
void CGridModel::CellChanged(int row, int col)
{
    if (m_quiet) {
        m_changedWhileQuiet = true;
        return;
    }
    if (row >= 0)
        emit dataChanged(index(row, col), index(row, col));
    else
        emit dataChanged(index(0, col), index(rowCount() - 1, col));
}
