// Combo-box editors of the grid: choices, keyboard selection, the value
// carried to the parent, cancel, and the editable (drop-down) style.
#include "grid_test_fixture.h"

#include "grid/grid_editor_combo_box.h"
#include "grid/grid_editor_combo_box_edit.h"

TEST_F(GridTest, DropDownListEditsTheTypeColumn)
{
    auto* editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(0, kType));
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->isEditable());
    ASSERT_EQ(editor->count(), 2);
    EXPECT_EQ(editor->currentText(), "Poly");
    EXPECT_TRUE(editor->hasFocus());

    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid->GetItemText(0, kType), "Linear");
    ASSERT_EQ(Ends().size(), 1u);
    EXPECT_EQ(Ends()[0].text, "Linear");
    EXPECT_EQ(Ends()[0].choiceValue, 1);
    EXPECT_EQ(Ends()[0].cellAtNotify, "Linear");
    EXPECT_TRUE(grid->hasFocus());

    // Escape after a change leaves the cell as it was.
    editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(0, kType));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->currentText(), "Linear");
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(grid->GetItemText(0, kType), "Linear");
    ASSERT_EQ(Ends().size(), 2u);
    EXPECT_FALSE(Ends()[1].text.has_value());

    // Focus moving elsewhere accepts a changed selection.
    editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(2, kType));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Down);
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(grid->GetItemText(2, kType), "Linear");
    EXPECT_EQ(Ends().back().choiceValue, 1);

    // Choices added later reach the next editor; opening and closing its
    // list does not end the edit.
    for (int i = 2; i < 20; ++i)
        combo->AddChoice(i, QString("Extra %1").arg(i));
    combo->SetMaxItems(5);
    const size_t ends = Ends().size();
    editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(1, kType));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->itemText(19), "Extra 19");
    EXPECT_EQ(editor->itemData(19).toInt(), 19);
    EXPECT_EQ(editor->maxVisibleItems(), 5);
    editor->showPopup();
    QTRY_VERIFY(editor->view()->isVisible());
    editor->hidePopup();
    QTRY_VERIFY(!editor->view()->isVisible());
    EXPECT_EQ(grid->GetActiveEditor(), editor);
    EXPECT_EQ(Ends().size(), ends);
}

TEST_F(GridTest, EditableComboTakesTypedText)
{
    combo->SetStyle(CGridColumnTraitCombo::ComboStyle::DropDown);
    auto* editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(2, kType));
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->EditPart(), nullptr);
    EXPECT_EQ(editor->currentText(), "Poly");

    // Free text that is no choice: carried as typed, value -1, list unchanged.
    QTest::keyClicks(editor, "Cubic");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid->GetItemText(2, kType), "Cubic");
    ASSERT_EQ(Ends().size(), 1u);
    EXPECT_EQ(Ends()[0].choiceValue, -1);
    EXPECT_EQ(editor->count(), 2);

    // Typing a choice's text finds the choice's value.
    editor = qobject_cast<CGridEditorComboBox*>(OpenEditor(2, kType));
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Linear");
    QTest::keyClick(editor, Qt::Key_Enter);
    ASSERT_EQ(Ends().size(), 2u);
    EXPECT_EQ(Ends()[1].text, "Linear");
    EXPECT_EQ(Ends()[1].choiceValue, 1);
}
