// Shared set-up of the table tests: a real cam panel inside a host widget,
// shown offscreen, every message box recorded, plus helpers that act on the
// key-point table as a user does and read back what the table and cam hold.
#pragma once

#include "cam/ecam_point.h"
#include "grid/grid_list_ctrl_ex.h"
#include "tests/table/modal_driver.h"
#include "ui/message_box.h"
#include "ui/panel/razuvavivezuzo_dlg.h"
#include "ui/panel/spec_list_ctrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Records a popup menu's entries, then picks the entry with the given text
// with arrow keys and Enter (Escape when it is not offered).
inline QStringList PickFromMenu(QMenu* menu, const QString& choose)
{
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << a->text();
    if (choose.isEmpty() || !entries.contains(choose)) {
        QTest::keyClick(menu, Qt::Key_Escape);
        return entries;
    }
    for (int guard = 0; guard < 10 && (!menu->activeAction() || menu->activeAction()->text() != choose); ++guard)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    return entries;
}

class TableFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(1280, 800);
        m_dlg = new CRAZuvavivezUzoDlg;  // a child of m_host once created
        ASSERT_TRUE(m_dlg->Create(m_host.get()));
        m_dlg->MoveWindow(QRect(0, 0, 1280, 800));
        m_dlg->show();
        m_host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_host.get()));
        m_table = m_dlg->m_listPoints;
        ASSERT_NE(m_table, nullptr);
    }
    void TearDown() override { m_host.reset(); }

    // Replaces the cam and rebuilds the table, as a loaded profile would.
    void LoadCam(const std::vector<ECamPoint>& points)
    {
        m_dlg->m_pointSet.SetPoints(points);
        m_dlg->RefreshCurves();
        m_dlg->RefreshTable();
    }
    std::vector<ECamPoint> Points() const
    {
        std::vector<ECamPoint> out;
        m_dlg->m_pointSet.GetPoints(out);
        return out;
    }
    QString Cell(int row, int col) const { return m_table->GetItemText(row, col); }
    QStringList Column(int col) const
    {
        QStringList out;
        for (int r = 0; r < m_table->GetItemCount(); ++r)
            out << Cell(r, col);
        return out;
    }
    QPoint CellCenter(int row, int col) const
    {
        const QModelIndex index = m_table->model()->index(row, col);
        m_table->scrollTo(index);
        return m_table->visualRect(index).center();
    }
    // Two separate clicks on a cell: the first focuses it, the second opens
    // its editor. Returns the open editor (null when none opened).
    QWidget* OpenEditorByClicks(int row, int col)
    {
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {}, CellCenter(row, col));
        return m_table->GetActiveEditor();
    }
    // Types text over the whole editor content and ends with key.
    void TypeAndEnd(QWidget* editor, const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
    }
    bool EditCellText(int row, int col, const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QWidget* editor = OpenEditorByClicks(row, col);
        if (!editor)
            return false;
        TypeAndEnd(editor, text, key);
        return m_table->GetActiveEditor() == nullptr;
    }
    // Right click on a row (selecting it), then the context-menu request the
    // platform sends after it; the driver answers the menu.
    void RightClickRow(int row)
    {
        const QPoint pos = CellCenter(row, 1);
        QTest::mouseClick(m_table->viewport(), Qt::RightButton, Qt::NoModifier, pos);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, pos, m_table->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(m_table->viewport(), &menuEvent);
    }
    QStringList ChooseFromRowMenu(int row, const QString& entry)
    {
        QStringList entries;
        ModalDriver<QMenu> driver([&](QMenu* menu) { entries = PickFromMenu(menu, entry); });
        RightClickRow(row);
        EXPECT_TRUE(driver.Ran());
        return entries;
    }

    CMessageBoxRecorder m_boxes;
    std::unique_ptr<QWidget> m_host;
    CRAZuvavivezUzoDlg* m_dlg = nullptr;
    CSpecListCtrl* m_table = nullptr;
};

inline ECamPoint Pt(double master, double slave, double speed, int32_t type)
{
    return ECamPoint{master, slave, speed, type};
}
