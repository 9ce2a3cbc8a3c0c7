// CGridItemDelegate: paints the grid's cells through its traits.
//
// Installed by CGridListCtrlEx on itself; the grid owns it (QObject child).
// For each cell the column trait adjusts the drawing options and the row
// trait paints. It creates no editors: editing is the traits' job. GUI thread
// only.
#pragma once

#include <QStyledItemDelegate>

class CGridListCtrlEx;

class CGridItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CGridItemDelegate(CGridListCtrlEx* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    CGridListCtrlEx* m_grid;
};
