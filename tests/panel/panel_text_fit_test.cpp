// Texts the panel shows in fixed-size places are never cut to another word:
// the unit after the scaling fields and the type in the key-point table.
#include "tests/support/panel_harness.h"
#include "ui/panel/unit_label.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>


TEST_F(PanelTest, UnitLabelsShowTheWholeUnitOrAShortenedOneWithTheWholeInTheirTooltip)
{
    // "mm" fits the template's label, "revolutions" never does.
    for (const char* unit : {"mm", "degree", "revolutions"}) {
        const QString whole = QString::fromUtf8(unit);
        Edit(IDC_EDIT_UNIT)->setText(whole);
        QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Return);
        for (int id : {IDC_LBL_SLAVE_UNIT, IDC_LBL_MASTER_UNIT}) {
            auto* label = dynamic_cast<CUnitLabel*>(Item(id));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), whole);
            const QString shown = label->ShownText();
            EXPECT_TRUE(whole != "mm" || shown == whole) << shown.toStdString();
            if (whole != "revolutions" && shown == whole)
                continue;
            // Shortened visibly, and whole on hover.
            ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << unit << " shown as " << shown.toStdString();
            EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << unit;
            const QPoint at = label->rect().center();
            QHelpEvent help(QEvent::ToolTip, at, label->mapToGlobal(at));
            QApplication::sendEvent(label, &help);
            EXPECT_EQ(QToolTip::text(), whole) << unit;
            QToolTip::hideText();
        }
    }
}

TEST_F(PanelTest, TypeColumnAndItsComboShowTheLongestChoiceWhole)
{
    const QString longest = QStringLiteral("Linear");
    LoadCam({Pt(0, 0, 0, kECamLinear), Pt(1000, 0, 0, kECamPoly)});
    ASSERT_EQ(Cell(0, kColType), longest);
    // The cell as drawn: text margins on both sides and the grid line.
    const int textMargin = Table()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Table()) + 1;
    EXPECT_GE(Table()->columnWidth(kColType),
              Table()->fontMetrics().horizontalAdvance(longest) + 2 * textMargin + 1);

    auto* combo = qobject_cast<QComboBox*>(OpenEditorByClicks(0, kColType));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), longest);
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    opt.currentText = longest;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
    EXPECT_GE(field.width(), combo->fontMetrics().horizontalAdvance(longest) + 2);
    QTest::keyClick(combo, Qt::Key_Escape);
}
