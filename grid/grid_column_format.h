// CGridColumnFormat: how a grid column turns the value behind a cell into the
// text it shows, on demand.
//
// A column with a format keeps only values for its cells; the text is made
// when a cell is drawn or read, so filling many rows formats nothing. The
// width key lets the grid fit the column to its widest text without
// formatting every cell: values with equal keys give texts of equal width in
// the grid's font (for a fixed-point number: its sign and digit count, since
// the digits of a UI font share one advance). The grid then measures one text
// per distinct key. A plain value; GUI thread only, like the grid.
#pragma once

#include <QString>
#include <QVariant>
#include <functional>

struct CGridColumnFormat {
    std::function<QString(const QVariant& value)> text;
    // Null: the column is not fitted to its texts.
    std::function<qint64(const QVariant& value)> widthKey;

    explicit operator bool() const { return static_cast<bool>(text); }
};

// printf "%.<decimals>f" of the value as a double.
CGridColumnFormat GridFixedFormat(int decimals);
// printf "%d" of the value as an int.
CGridColumnFormat GridIntegerFormat();
