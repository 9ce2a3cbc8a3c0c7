// CGridColumnTraitCombo: cells edited in place with a combo box
// (CGridEditorComboBox) offering an ordered list of choices (value, text).
//
// Owned by the grid it is attached to; the editor it creates is owned by the
// grid's viewport and deletes itself when the edit ends. GUI thread only.
#pragma once

#include "grid/grid_column_trait_image.h"

#include <QString>
#include <utility>
#include <vector>

class CGridColumnTraitCombo : public CGridColumnTraitImage {
public:
    // DropDownList: pick one of the choices only. DropDown: the combo also
    // has an edit part (CGridEditorComboBoxEdit) for free text.
    enum class ComboStyle { DropDown, DropDownList };
    using Choice = std::pair<int, QString>;

    CGridColumnTraitCombo() = default;

    void SetStyle(ComboStyle style) { m_style = style; }

    // Appends a choice; the list keeps the order of the calls.
    void AddChoice(int value, const QString& text);
    const std::vector<Choice>& GetChoices() const { return m_choices; }

    // The dropped-down list shows all choices up to this many rows.
    void SetMaxItems(int rows) { m_maxItems = rows > 0 ? rows : 1; }

    bool StartsEditOnClick(const CGridListCtrlEx& owner, int row, int col,
                           Qt::KeyboardModifiers modifiers, bool doubleClick) const override;
    QWidget* CreateEditor(CGridListCtrlEx& owner, int row, int col, const QRect& cellRect) override;

private:
    ComboStyle m_style = ComboStyle::DropDown;
    std::vector<Choice> m_choices;
    int m_maxItems = 10;
};
