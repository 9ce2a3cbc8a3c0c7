#include "grid/grid_column_trait_image.h"

#include <QStyleOptionViewItem>

void CGridColumnTraitImage::InitCellStyle(const CGridListCtrlEx&, int, int,
                                          QStyleOptionViewItem& option) const
{
    // The delegate has already taken the cell's image into option; an image
    // column simply keeps it.
    if (!option.icon.isNull())
        option.features |= QStyleOptionViewItem::HasDecoration;
}
