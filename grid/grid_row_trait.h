// CGridRowTrait: the drawing object applied to every row of a grid.
//
// The grid owns its one default row trait (a CGridRowTraitText after
// construction) and deletes it when another replaces it. PaintCell is called
// from the grid's item painting for each visible cell. GUI thread only.
#pragma once

class CGridListCtrlEx;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;

class CGridRowTrait {
public:
    CGridRowTrait() = default;
    virtual ~CGridRowTrait() = default;
    CGridRowTrait(const CGridRowTrait&) = delete;
    CGridRowTrait& operator=(const CGridRowTrait&) = delete;

    // Draws one cell: option already holds the cell's text, state and the
    // column trait's adjustments. The base draws it the standard way.
    virtual void PaintCell(const CGridListCtrlEx& owner, QPainter* painter,
                           QStyleOptionViewItem& option, int row, int col) const;
};
