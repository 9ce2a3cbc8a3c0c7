// PanelHarness: one real cam panel inside a plain host widget, shown
// offscreen at a chosen size, with its modal UI recorded (no box, file
// dialog or menu ever blocks) and its transfers unpaced. Helpers act on the
// panel as a user does (clicks, typing, right clicks) and read back what the
// widgets and the cam then hold. Every panel test fixture derives from it.
#pragma once

#include "cam/ecam_point.h"
#include "tests/support/modal_driver.h"
#include "tests/support/modal_ui_recorder.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/panel/list_oper_dlg.h"
#include "ui/panel/panel_ids.h"
#include "ui/panel/razuvavivezuzo_dlg.h"
#include "ui/panel/spec_list_ctrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <chrono>
#include <memory>
#include <vector>

using namespace panel;

inline ECamPoint Pt(double master, double slave, double speed, int32_t type)
{
    return ECamPoint{master, slave, speed, type};
}

class PanelHarness : public ::testing::Test {
protected:
    // How far SetUp goes after showing the host: make it the active window
    // (the panel's first field then has the keyboard focus, so a click
    // elsewhere commits it), only wait until it is exposed, or neither.
    enum class Show { kActive, kExposed, kShown };
    explicit PanelHarness(QSize size = QSize(800, 600), Show show = Show::kActive) : m_size(size), m_show(show) {}

    void SetUp() override
    {
        host = std::make_unique<QWidget>();
        host->resize(m_size);
        ASSERT_NO_FATAL_FAILURE(Recreate(camxfer::Timing{std::chrono::milliseconds(0), 10}));
        host->show();
        if (m_show == Show::kActive) {
            host->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
        } else if (m_show == Show::kExposed) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        }
    }
    void TearDown() override
    {
        delete dlg;   // stops a transfer still running, before the host goes
        dlg = nullptr;
        host.reset();
    }

    // A new panel in place of the current one (same host and recorder), with
    // the given transfer pacing.
    void Recreate(camxfer::Timing timing)
    {
        delete dlg;
        dlg = new CRAZuvavivezUzoDlg(PanelSetup{ui, timing, [this] { return verifyAfterWrite; }});
        ASSERT_TRUE(dlg->Create(host.get()));
        dlg->MoveWindow(QRect(QPoint(0, 0), m_size));
        dlg->show();
    }

    // ---- what the panel holds ----
    std::vector<ECamPoint> Points() const
    {
        std::vector<ECamPoint> out;
        dlg->GetPoints(out);
        return out;
    }
    QWidget* Item(int id) const { return dlg->GetDlgItem(id); }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(Item(id)); }
    CSpecListCtrl* Table() const { return qobject_cast<CSpecListCtrl*>(Item(IDC_TABLE)); }
    CECamCurveWnd* Curve(int id) const { return qobject_cast<CECamCurveWnd*>(Item(id)); }
    CECamCurveWnd* PositionCurve() const { return Curve(IDC_CURVE_POSITION); }
    CECamCurveWnd* SpeedCurve() const { return Curve(IDC_CURVE_SPEED); }
    CECamCurveWnd* AccelCurve() const { return Curve(IDC_CURVE_ACCEL); }
    QProgressBar* Progress() const { return qobject_cast<QProgressBar*>(Item(IDC_PROGRESS)); }
    QString Cell(int row, int col) const { return Table()->GetItemText(row, col); }
    QStringList Column(int col) const
    {
        QStringList out;
        for (int r = 0; r < Table()->GetItemCount(); ++r)
            out << Cell(r, col);
        return out;
    }

    // ---- acting as a user ----
    // Replaces the cam and redraws, as a loaded profile would.
    void LoadCam(const std::vector<ECamPoint>& points) { dlg->LoadPoints(points); }
    // The cam with one point inserted under the point set's rules, loaded.
    void InsertPoint(const ECamPoint& p)
    {
        CECamPointSet edited = dlg->CamModel();
        edited.InsertPoint(p);
        std::vector<ECamPoint> points;
        edited.GetPoints(points);
        LoadCam(points);
    }
    // A real click on a control; hidden buttons are clicked as the command
    // they stand for.
    void Click(int id)
    {
        QWidget* w = Item(id);
        if (w->isVisible())
            QTest::mouseClick(w, Qt::LeftButton);
        else if (auto* b = qobject_cast<QPushButton*>(w))
            b->click();
    }
    QPushButton* Button(int id) const { return qobject_cast<QPushButton*>(dlg->GetDlgItem(id)); }
    // Clicks a hidden range button (6030 delete, 6031 insert; reachable by
    // its command only) and answers the row-range dialog: typed texts and OK,
    // or Cancel when ok is false. Returns the dialog's title.
    QString RunRangeButton(int id, const QString& start, const QString& count, bool ok = true)
    {
        QString title;
        ModalDriver<CListOperDlg> driver([&](CListOperDlg* d) {
            title = d->windowTitle();
            for (const auto& [name, text] : {std::pair{"idc6030", start}, {"idc6031", count}}) {
                auto* edit = d->findChild<QLineEdit*>(QString::fromLatin1(name));
                edit->setFocus();
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, text);
            }
            QTest::mouseClick(d->findChild<QPushButton*>(ok ? QStringLiteral("idc1") : QStringLiteral("idc2")),
                              Qt::LeftButton);
        });
        QPushButton* button = Button(id);
        EXPECT_NE(button, nullptr);
        if (button)
            button->click();
        EXPECT_TRUE(driver.Ran());
        // A window manager activates the owner again when a dialog closes;
        // the offscreen platform does not.
        host->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(host.get()));
        return title;
    }
    // Replaces the master length field's text by typing, then presses `end`
    // (if given).
    void TypeMasterLength(const QString& text, Qt::Key end = Qt::Key_unknown)
    {
        QLineEdit* e = Edit(IDC_EDIT_MASTER_LEN);
        QTest::mouseClick(e, Qt::LeftButton);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
        if (end != Qt::Key_unknown)
            QTest::keyClick(e, end);
    }
    QPoint CellCenter(int row, int col) const
    {
        const QModelIndex index = Table()->model()->index(row, col);
        Table()->scrollTo(index);
        return Table()->visualRect(index).center();
    }
    // Two separate clicks on a cell: the first focuses it, the second opens
    // its editor. Returns the open editor (null when none opened).
    QWidget* OpenEditorByClicks(int row, int col)
    {
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(row, col));
        return Table()->GetActiveEditor();
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
        return Table()->GetActiveEditor() == nullptr;
    }
    // Right click on a row (selecting it), then the context-menu request the
    // platform sends after it.
    void RightClickRow(int row)
    {
        const QPoint pos = CellCenter(row, kColId);
        QTest::mouseClick(Table()->viewport(), Qt::RightButton, Qt::NoModifier, pos);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, pos, Table()->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(Table()->viewport(), &menuEvent);
    }
    // Right-clicks a row and chooses `entry` from its menu (empty: the user
    // dismisses it); returns the entries the menu offered.
    QStringList ChooseFromRowMenu(int row, const QString& entry)
    {
        const std::size_t before = ui->menus.Calls().size();
        ui->menus.QueueChoice(entry);
        RightClickRow(row);
        if (ui->menus.Calls().size() != before + 1) {
            ADD_FAILURE() << "no menu opened on row " << row;
            return {};
        }
        return ui->menus.Calls().back().Texts();
    }

    std::shared_ptr<CModalUiRecorder> ui = std::make_shared<CModalUiRecorder>();
    bool verifyAfterWrite = true;   // what the host's setting answers; on by default
    CModalUiRecorder::Boxes& boxes = ui->boxes;
    CModalUiRecorder::Files& files = ui->files;
    std::unique_ptr<QWidget> host;
    CRAZuvavivezUzoDlg* dlg = nullptr;   // a child of host, deleted first

private:
    QSize m_size;
    Show m_show;
};

// The panel at the two sizes its tests use: 800 x 600 and 1280 x 800.
class PanelTest : public PanelHarness {};
class WidePanelTest : public PanelHarness {
protected:
    WidePanelTest() : PanelHarness(QSize(1280, 800), Show::kExposed) {}
};
