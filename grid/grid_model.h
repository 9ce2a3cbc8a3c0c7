// CGridModel: the cells of a CGridListCtrlEx, behind its table view.
//
// The grid is a view on this model rather than a table of items so that a
// refill of many rows costs one reset and a store of plain values: a column
// with a CGridColumnFormat keeps only values, and a cell's text is made when
// the view draws it, that is for the visible rows only. A cell may also hold
// an explicit text (set by the grid's caller or by an ended edit), which wins
// until a new value is stored in a formatted column. Each row carries one
// integer of item data.
//
// Owned by its grid (QObject child). Changes made while quiet emit no
// dataChanged; leaving quiet reports them as one change of every cell.
// GUI thread only.
#pragma once

#include "grid/grid_column_format.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <vector>

class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // position must lie in 0..columnCount().
    void InsertColumn(int position, const QString& heading, Qt::Alignment alignment);
    void SetColumnFormat(int col, CGridColumnFormat format);
    const CGridColumnFormat& ColumnFormat(int col) const { return m_columns[static_cast<size_t>(col)].format; }

    // row must lie in 0..rowCount().
    void InsertRow(int row);
    bool RemoveRow(int row);
    // All rows dropped and count empty rows made, in one reset.
    void ResetRows(int count);

    bool Contains(int row, int col) const;
    // Out of range: false, or an empty / invalid / 0 answer.
    bool SetText(int row, int col, const QString& text);
    QString Text(int row, int col) const;
    bool HasExplicitText(int row, int col) const;
    bool SetValue(int row, int col, const QVariant& value);
    QVariant Value(int row, int col) const;
    bool SetRowData(int row, quintptr data);
    quintptr RowData(int row) const;

    void SetQuiet(bool quiet);

private:
    struct Cell {
        QString text;
        QVariant value;
        bool hasText = false;
    };
    struct Column {
        QString heading;
        Qt::Alignment alignment;
        CGridColumnFormat format;
    };

    Cell& At(int row, int col) { return m_cells[static_cast<size_t>(row * ColumnCount() + col)]; }
    const Cell& At(int row, int col) const { return m_cells[static_cast<size_t>(row * ColumnCount() + col)]; }
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    void CellChanged(int row, int col);

    std::vector<Column> m_columns;
    std::vector<Cell> m_cells;  // row-major, rows × columns
    std::vector<quintptr> m_rowData;
    bool m_quiet = false;
    bool m_changedWhileQuiet = false;
};
