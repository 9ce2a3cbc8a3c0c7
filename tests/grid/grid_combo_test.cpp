// Combo-box editors of the grid: choices, keyboard selection, the value
// carried to the parent, cancel, and the editable (drop-down) style.
#include "grid_test_fixture.h"

#include "grid/grid_editor_combo_box.h"
#include "grid/grid_editor_combo_box_edit.h"

#include <vector>

TEST_F(GridTest, ComboEditsEndWithTheShownTextAndTheChoiceValue)
{
    const struct {
        bool editable;
        int row;
        const char* shown;  // when the editor opens
        const char* typed;
        std::vector<Qt::Key> keys;
        bool focusOther;  // then the focus moves elsewhere
        const char* cell;
        std::optional<QString> told;
        int value;
    } cases[] = {
        {false, 0, "Poly", "", {Qt::Key_Down, Qt::Key_Return}, false, "Linear", "Linear", 1},
        {false, 0, "Linear", "", {Qt::Key_Up, Qt::Key_Escape}, false, "Linear", std::nullopt, -1},
        {false, 2, "Poly", "", {Qt::Key_Down}, true, "Linear", "Linear", 1},
        // Free text that is no choice is carried as typed, with no value;
        // typing a choice's text finds the choice's value.
        {true, 1, "Linear", "Cubic", {Qt::Key_Return}, false, "Cubic", "Cubic", -1},
        {true, 1, "Cubic", "Linear", {Qt::Key_Enter}, false, "Linear", "Linear", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        combo->SetStyle(c.editable ? CGridColumnTraitCombo::ComboStyle::DropDown
                                   : CGridColumnTraitCombo::ComboStyle::DropDownList);
        auto* editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(c.row, kType));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->isEditable(), c.editable);
        EXPECT_EQ(editor->EditPart() != nullptr, c.editable);
        EXPECT_EQ(editor->currentText(), c.shown);
        EXPECT_TRUE(editor->hasFocus() || (editor->EditPart() && editor->EditPart()->hasFocus()));
        notes.clear();
        QTest::keyClicks(editor, c.typed);
        for (Qt::Key k : c.keys)
            QTest::keyClick(editor, k);
        if (c.focusOther)
            other->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(editor->count(), 2);  // typed text never joins the list
        EXPECT_EQ(grid->GetItemText(c.row, kType), c.cell);
        EXPECT_EQ(notes, QStringList{End(c.row, kType, c.told, c.cell, c.value)});
        EXPECT_NE(grid->hasFocus(), other->hasFocus());  // back to the grid unless taken elsewhere
    }

    // Choices added later reach the next editor; opening and closing its
    // list does not end the edit.
    combo->SetStyle(CGridColumnTraitCombo::ComboStyle::DropDownList);
    for (int i = 2; i < 20; ++i)
        combo->AddChoice(i, QString("Extra %1").arg(i));
    combo->SetMaxItems(5);
    auto* editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(1, kType));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->itemText(19), "Extra 19");
    EXPECT_EQ(editor->itemData(19).toInt(), 19);
    EXPECT_EQ(editor->maxVisibleItems(), 5);
    notes.clear();
    editor->showPopup();
    QTRY_VERIFY(editor->view()->isVisible());
    editor->hidePopup();
    QTRY_VERIFY(!editor->view()->isVisible());
    EXPECT_EQ(grid->GetActiveEditor(), editor);
    EXPECT_TRUE(notes.empty());
}
