// Template 6000 of the cam panel (its controls, in dialog units converted to
// pixels) and the layout arithmetic that runs on every resize.
#include "ui/panel/panel_template.h"

#include "ui/dialog_units.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/panel/panel_ids.h"
#include "ui/panel/spec_list_ctrl.h"
#include "ui/panel/unit_label.h"
#include "ui/uni_ecam_edit.h"
#include "ui/vela_edit.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

using namespace panel;

namespace {

QWidget* Item(const QWidget* panel, int id)
{
    return panel->findChild<QWidget*>(IdName(id), Qt::FindDirectChildrenOnly);
}

// The template's texts belong to the panel.
QString PanelText(const char* text) { return QCoreApplication::translate("CRAZuvavivezUzoDlg", text); }

}  // namespace

PanelControls BuildPanelTemplate(QWidget* panel, IModalUi& modalUi)
{
    QWidget* const self = panel;
    PanelControls c;
    panel->setFont(QFont(QStringLiteral("MS Shell Dlg"), 9));
    panel->resize(338 * 7 / 4, 355 * 15 / 8);

    auto place = [](QWidget* w, int id, const QRect& r) {
        w->setObjectName(IdName(id));
        w->setGeometry(r);
        return w;
    };
    auto label = [&](int id, const char* text, const QRect& r, bool right) {
        auto* l = new QLabel(PanelText(text), self);
        l->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        place(l, id, r);
        return l;
    };
    auto sunken = [&](int id, const QRect& r) { place(new CUnitLabel(self), id, r); };
    auto button = [&](int id, const char* text, const QRect& r, bool visible, bool enabled) {
        auto* b = new QPushButton(PanelText(text), self);
        b->setAutoDefault(false);
        place(b, id, r);
        b->setVisible(visible);
        b->setEnabled(enabled);
        return b;
    };

    // The group box comes first so the fields it frames lie above it.
    auto* group = new QGroupBox(PanelText(QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "PUU设定")), self);
    place(group, IDC_GROUP_PUU, Dlu(7, 28, 195, 88));

    label(IDC_LBL_MASTER_LEN, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "主轴长度"), Dlu(12, 45, 52, 8), true);
    label(IDC_LBL_UNIT, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "单位"), Dlu(12, 62, 52, 8), true);
    label(IDC_LBL_SLAVE_PULSE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "从轴脉冲数"), Dlu(12, 79, 52, 8), true);
    label(IDC_LBL_MASTER_PULSE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "主轴脉冲数"), Dlu(12, 96, 52, 8), true);

    c.masterLength = new CUniECamEdit(self, IDC_EDIT_MASTER_LEN);
    place(c.masterLength, IDC_EDIT_MASTER_LEN, Dlu(72, 42, 40, 14));
    c.unit = new CUniECamEdit(self, IDC_EDIT_UNIT);
    place(c.unit, IDC_EDIT_UNIT, Dlu(72, 59, 40, 14));

    c.slavePulse = new CVelaEdit(self);
    place(c.slavePulse, IDC_EDIT_SLAVE_PULSE, Dlu(72, 76, 40, 14))->setEnabled(false);
    label(IDC_LBL_EQ_SLAVE, "=", Dlu(116, 79, 8, 8), false);
    c.slaveUnits = new CVelaEdit(self);
    place(c.slaveUnits, IDC_EDIT_SLAVE_UNITS, Dlu(126, 76, 40, 14))->setEnabled(false);
    sunken(IDC_LBL_SLAVE_UNIT, Dlu(173, 77, 19, 13));

    c.masterPulse = new CVelaEdit(self);
    place(c.masterPulse, IDC_EDIT_MASTER_PULSE, Dlu(72, 94, 40, 14))->setEnabled(false);
    label(IDC_LBL_EQ_MASTER, "=", Dlu(116, 96, 8, 8), false);
    c.masterUnits = new CVelaEdit(self);
    place(c.masterUnits, IDC_EDIT_MASTER_UNITS, Dlu(126, 94, 40, 14))->setEnabled(false);
    sunken(IDC_LBL_MASTER_UNIT, Dlu(173, 94, 19, 13));

    button(IDC_BTN_FUNCODE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "功能码设置"), Dlu(7, 126, 60, 14), true, true);
    button(IDC_BTN_STD_WRITE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "标准写入"), Dlu(75, 126, 60, 14), true, false);
    button(IDC_BTN_SPECIAL_WRITE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "特殊点写入"), Dlu(144, 126, 58, 14), false, true);
    button(IDC_BTN_READ, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "读  取"), Dlu(143, 118, 60, 14), false, true);
    button(IDC_BTN_IMPORT, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "导入"), Dlu(7, 9, 27, 14), true, true);
    button(IDC_BTN_SAVE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "保存"), Dlu(37, 9, 27, 14), true, true);
    button(IDC_BTN_SPECIAL_IMPORT, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "特殊点导入"), Dlu(69, 9, 52, 14), false, true);
    button(IDC_BTN_SPECIAL_SAVE, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "特殊点保存"), Dlu(125, 9, 52, 14), false, true);
    button(IDC_BTN_SPECIAL_EXPORT, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "特殊点导出"), Dlu(181, 9, 52, 14), false, true);
    auto* count = new QLineEdit(self);
    place(count, IDC_EDIT_SPECIAL_COUNT, Dlu(208, 28, 40, 14))->setVisible(false);
    button(IDC_BTN_DELETE_ROWS, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "删除"), Dlu(7, 334, 27, 14), false, true);
    button(IDC_BTN_INSERT_ROWS, QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "增加"), Dlu(39, 334, 27, 14), false, true);

    c.table = new CSpecListCtrl(modalUi, self);
    place(c.table, IDC_TABLE, Dlu(7, 149, 198, 181));
    c.table->setFrameStyle(QFrame::Box | QFrame::Plain);
    return c;
}

void LayoutPanel(QWidget* panel, const PanelControls& c, CECamCurveWnd* const curves[3])
{
    const int W = panel->width();
    const int H = panel->height();
    // C++ integer division and % truncate towards zero, as the layout needs.
    const int h = 10 * (((H - 15) / 3) / 10);
    const int g = (H - 3 * h - 5) / 2;
    const int x0 = 395 + (W - 395) % 10;
    const int w = W - x0;
    curves[0]->setGeometry(x0, 5, w, h);
    curves[1]->setGeometry(x0, 5 + h + g, w, h);
    curves[2]->setGeometry(x0, 5 + 2 * h + 2 * g, w, h);

    const struct {
        int id, x;
    } top[] = {{IDC_BTN_IMPORT, 4}, {IDC_BTN_SAVE, 54}, {IDC_BTN_SPECIAL_IMPORT, 100},
               {IDC_BTN_SPECIAL_SAVE, 169}, {IDC_BTN_SPECIAL_EXPORT, 238}, {IDC_EDIT_SPECIAL_COUNT, 307}};
    for (const auto& t : top)
        Item(panel, t.id)->setGeometry(t.x, 4, t.id == IDC_BTN_IMPORT || t.id == IDC_BTN_SAVE ? 46 : 69, 21);

    // Everything framed by the group box (and the two file buttons) follows
    // the group box by the distance it moved; after the first layout that
    // distance is zero.
    QWidget* group = Item(panel, IDC_GROUP_PUU);
    const QRect r0 = group->geometry();
    group->move(5, 33);
    const QPoint shift = group->pos() - r0.topLeft();
    for (int id : {IDC_BTN_IMPORT, IDC_BTN_SAVE, IDC_LBL_MASTER_LEN, IDC_EDIT_MASTER_LEN, IDC_LBL_SLAVE_UNIT,
                   IDC_LBL_MASTER_UNIT, IDC_EDIT_UNIT, IDC_LBL_MASTER_PULSE, IDC_LBL_SLAVE_PULSE,
                   IDC_EDIT_SLAVE_PULSE, IDC_EDIT_MASTER_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_UNITS,
                   IDC_LBL_EQ_SLAVE, IDC_LBL_EQ_MASTER, IDC_LBL_UNIT}) {
        QWidget* c = Item(panel, id);
        c->move(c->pos() + shift);
    }

    const int y = r0.height() + 41;
    const QSize b = Item(panel, IDC_BTN_FUNCODE)->size();
    Item(panel, IDC_BTN_FUNCODE)->setGeometry(40, y, b.width(), b.height());
    Item(panel, IDC_BTN_STD_WRITE)->setGeometry(b.width() + 53, y, b.width(), b.height());
    Item(panel, IDC_BTN_SPECIAL_WRITE)->setGeometry(2 * b.width() + 66, y, b.width(), b.height());

    const int tableTop = y + b.height() + 12;
    c.table->setGeometry(5, tableTop, 390, H - tableTop);
}
