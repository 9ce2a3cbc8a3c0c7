// Shared set-up of the grid tests: a window holding a grid laid out like the
// key-point table (hidden label column, a text column, three edit columns and
// a drop-down-list column) plus a spare line edit to move the focus to, and a
// recorder of the grid's begin/end notifications, one line each.
#pragma once

#include "grid/grid_column_trait_combo.h"
#include "grid/grid_column_trait_edit.h"
#include "grid/grid_column_trait_text.h"
#include "grid/grid_list_ctrl_groups.h"
#include "grid/grid_row_trait_xp.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class GridTest : public ::testing::Test {
protected:
    enum Col { kLabel = 0, kId = 1, kMaster = 2, kSlave = 3, kSpeed = 4, kType = 5 };

    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(480, 300);
        auto* layout = new QVBoxLayout(window.get());
        other = new QLineEdit(window.get());
        grid = MakeGrid(window.get());
        layout->addWidget(other);
        layout->addWidget(grid);

        grid->SetRowHeightFactor(1.2);
        grid->SetRowTrait(new CGridRowTraitXP);
        grid->AddHiddenLabelColumn();
        grid->AddTraitColumn(1, "ID", Qt::AlignLeft, 40, 1, new CGridColumnTraitText);
        grid->AddTraitColumn(2, "Master", Qt::AlignLeft, 80, 2, new CGridColumnTraitEdit);
        grid->AddTraitColumn(3, "Slave", Qt::AlignLeft, 80, 3, new CGridColumnTraitEdit);
        grid->AddTraitColumn(4, "Speed", Qt::AlignLeft, 70, 4, new CGridColumnTraitEdit);
        combo = new CGridColumnTraitCombo;
        combo->SetStyle(CGridColumnTraitCombo::ComboStyle::DropDownList);
        combo->AddChoice(0, "Poly");
        combo->AddChoice(1, "Linear");
        grid->AddTraitColumn(5, "Type", Qt::AlignLeft, 60, 5, combo);
        // Rows i: master 500 i, slave 10 i, speed 0, Poly/Linear/Poly.
        for (int i = 0; i < 3; ++i) {
            const int row = grid->InsertItem(i, QString::number(i));
            grid->SetItemData(row, static_cast<quintptr>(i));
            const QStringList cells = {QString::number(i), QString("%1.000").arg(i * 500),
                                       QString("%1.000").arg(i * 10), "0.00", i == 1 ? "Linear" : "Poly"};
            for (int c = kId; c <= kType; ++c)
                grid->SetItemText(row, c, cells[c - kId]);
        }

        QObject::connect(grid, &CGridListCtrlEx::BeginLabelEdit, grid, [this](int row, int col, int* result) {
            notes << Begin(row, col);
            if (refuseEdits)
                *result = 1;
        });
        QObject::connect(grid, &CGridListCtrlEx::EndLabelEdit, grid,
                         [this](int row, int col, const QString* text, int value) {
                             notes << End(row, col, text ? std::optional(*text) : std::nullopt,
                                          grid->GetItemText(row, col), value);
                         });
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    virtual CGridListCtrlGroups* MakeGrid(QWidget* parent) { return new CGridListCtrlGroups(parent); }

    // The window goes first: closing it ends an open edit, whose
    // notification must still find the recorder.
    void TearDown() override { window.reset(); }

    QPoint CellCenter(int row, int col) const { return grid->visualRect(grid->model()->index(row, col)).center(); }

    void Click(int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, CellCenter(row, col));
    }

    // Click the cell until its editor opens, as a user would: twice, or
    // once when it is the focus cell already (e.g. after an earlier edit).
    QWidget* OpenEditor(int row, int col)
    {
        Click(row, col);
        if (!grid->GetActiveEditor())
            Click(row, col);
        return grid->GetActiveEditor();
    }

    std::unique_ptr<QWidget> window;
    QLineEdit* other = nullptr;
    CGridListCtrlGroups* grid = nullptr;
    CGridColumnTraitCombo* combo = nullptr;
    // "begin ROW,COL", or "end ROW,COL TEXT =CHOICE [CELL]": the text carried
    // and the choice's value ("-": no text), the cell while the parent handled it.
    static QString Begin(int row, int col) { return QString("begin %1,%2").arg(row).arg(col); }
    static QString End(int row, int col, const std::optional<QString>& text, const QString& cell, int choice = -1)
    {
        const QString told = text ? QString("%1 =%2").arg(*text).arg(choice) : QString("-");
        return QString("end %1,%2 %3 [%4]").arg(row).arg(col).arg(told, cell);
    }
    QStringList notes;
    bool refuseEdits = false;
};
