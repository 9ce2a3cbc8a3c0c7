// A cam panel inside a plain host widget, shown and laid out at 800 x 600,
// for tests that drive it with real mouse and key input.
#pragma once

#include "cam/ecam_point.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/panel/razuvavivezuzo_dlg.h"
#include "ui/panel/spec_list_ctrl.h"
#include "ui/uni_ecam_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<QWidget>();
        host->resize(800, 600);
        dlg = new CRAZuvavivezUzoDlg;
        ASSERT_TRUE(dlg->Create(host.get()));
        dlg->MoveWindow(QRect(0, 0, 800, 600));
        host->show();
        dlg->show();
        host->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
    }
    void TearDown() override
    {
        CRAZuvavivezUzoDlg::SetPopupMenuHook({});
        delete dlg;
        host.reset();
    }

    std::vector<ECamPoint> Points() const
    {
        std::vector<ECamPoint> out;
        dlg->m_pointSet.GetPoints(out);
        return out;
    }
    QString Cell(int row, int col) const { return dlg->m_listPoints->GetItemText(row, col); }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(dlg->GetDlgItem(id)); }

    // Replaces the master length field's text by typing, as a user would,
    // then presses `end` (if given).
    void TypeMasterLength(const QString& text, Qt::Key end = Qt::Key_unknown)
    {
        QLineEdit* e = dlg->m_editMasterLength;
        QTest::mouseClick(e, Qt::LeftButton);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
        if (end != Qt::Key_unknown)
            QTest::keyClick(e, end);
    }

    std::unique_ptr<QWidget> host;
    CRAZuvavivezUzoDlg* dlg = nullptr;  // deleted before the host
};
