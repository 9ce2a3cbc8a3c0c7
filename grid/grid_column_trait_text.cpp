#include "grid/grid_column_trait_text.h"

#include <QStyleOptionViewItem>

bool CGridColumnTraitText::StartsEditOnClick(const CGridListCtrlEx&, int, int,
                                             Qt::KeyboardModifiers, bool) const
{
    return false;
}

void CGridColumnTraitText::InitCellStyle(const CGridListCtrlEx&, int, int,
                                         QStyleOptionViewItem& option) const
{
    option.features &= ~QStyleOptionViewItem::HasDecoration;
    option.icon = QIcon();
}
