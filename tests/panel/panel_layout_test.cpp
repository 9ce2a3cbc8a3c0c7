// The panel's initial state and its layout arithmetic at several sizes.
#include "tests/support/panel_harness.h"

#include "grid/grid_column_trait_combo.h"

#include <QHeaderView>
#include <QProgressBar>

namespace {

QRect Geo(CRAZuvavivezUzoDlg* dlg, int id) { return dlg->GetDlgItem(id)->geometry(); }

}  // namespace

TEST_F(PanelTest, InitialStateShowsDefaultCamFieldsAndControlStates)
{
    EXPECT_EQ(dlg->MasterLength(), 1000u);
    EXPECT_EQ(Edit(6008)->text(), "1000");
    EXPECT_EQ(Edit(6029)->text(), "1500");

    // Default cam: two Poly points at 0 and 1000 (the rows' and headings'
    // texts are pinned by the Chinese text walk).
    EXPECT_EQ(Points(), (std::vector<ECamPoint>{Pt(0, 0, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)}));
    const std::vector<int> widths = {Table()->columnWidth(1), Table()->columnWidth(2), Table()->columnWidth(3),
                                     Table()->columnWidth(4)};
    EXPECT_EQ(widths, (std::vector<int>{40, 80, 110, 70}));
    EXPECT_GE(Table()->columnWidth(kColType), 60);   // widened to fit its editor's longest choice
    auto* combo = dynamic_cast<CGridColumnTraitCombo*>(Table()->GetColumnTrait(5));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetChoices(), (std::vector<CGridColumnTraitCombo::Choice>{{0, "Poly"}, {1, "Linear"}}));
    EXPECT_DOUBLE_EQ(Table()->GetRowHeightFactor(), 1.2);

    // Visible and enabled (v e): file buttons, function codes, special import/save/export, count;
    // visible but disabled until a unit is committed or a special import (v -); hidden (- e).
    QString states;
    for (int id : {6024, 6025, 6005, 6026, 6027, 6028, 6029, 6033, 6006, 6010, 6011, 6012, 6013, 6007, 6030, 6031, 255})
        states += QString(" %1:%2").arg(id).arg(Item(id)->isVisible() ? 'v' : '-') + (Item(id)->isEnabled() ? 'e' : '-');
    EXPECT_EQ(states.toStdString(), " 6024:ve 6025:ve 6005:ve 6026:ve 6027:ve 6028:ve 6029:ve 6033:v- 6006:v- 6010:v-"
                                    " 6011:v- 6012:v- 6013:v- 6007:-e 6030:-e 6031:-e 255:-e");

    // Curve windows: value ranges, colour, markers and samples of the kind each one plots.
    QString curves;
    for (const CECamCurveWnd* w : {PositionCurve(), SpeedCurve(), AccelCurve()}) {
        curves += QString(" %1..%2 %3 %4").arg(w->m_yMin).arg(w->m_yMax).arg(w->m_curveColor.name())
                      .arg(w->KeyPoints().size());
        EXPECT_EQ(w->CurvePoints().size(), dlg->CamModel().Curve().size());
    }
    EXPECT_EQ(curves.toStdString(), " -500..500 #ff0000 2 -10..10 #ff0000 2 -40..40 #ff0000 0");
}

TEST_F(PanelTest, LayoutPlacesCurvesButtonsAndTableByTheIntegerArithmetic)
{
    // 800 x 600: h = 190, g = 12, x0 = 400, w = 400; the last curve ends at 599.
    EXPECT_EQ(Geo(dlg, 16), QRect(400, 5, 400, 190));
    EXPECT_EQ(Geo(dlg, 17), QRect(400, 207, 400, 190));
    EXPECT_EQ(Geo(dlg, 18), QRect(400, 409, 400, 190));
    EXPECT_EQ(Geo(dlg, 18).bottom() + 1, 599);

    // Top row and group box at their fixed places, even after several layouts.
    dlg->MoveWindow(QRect(0, 0, 1280, 800));
    dlg->MoveWindow(QRect(0, 0, 800, 600));
    EXPECT_EQ(Geo(dlg, 6024), QRect(4, 4, 46, 21));
    EXPECT_EQ(Geo(dlg, 6025), QRect(54, 4, 46, 21));
    EXPECT_EQ(Geo(dlg, 6026), QRect(100, 4, 69, 21));
    EXPECT_EQ(Geo(dlg, 6029), QRect(307, 4, 69, 21));
    const QRect group = Geo(dlg, 6000);
    EXPECT_EQ(group.topLeft(), QPoint(5, 33));
    // The fields keep their place inside the group box (template offsets).
    EXPECT_EQ(Geo(dlg, 6008).topLeft() - group.topLeft(), QPoint(72 * 7 / 4 - 7 * 7 / 4, 42 * 15 / 8 - 28 * 15 / 8));
    EXPECT_EQ(Geo(dlg, 6011).topLeft() - Geo(dlg, 6013).topLeft(), QPoint(126 * 7 / 4 - 72 * 7 / 4, 0));

    // Buttons under the group 13 pixels apart; the table runs to the bottom.
    const QSize b = Geo(dlg, 6005).size();
    const int y = group.height() + 41;
    EXPECT_EQ(Geo(dlg, 6005).topLeft(), QPoint(40, y));
    EXPECT_EQ(Geo(dlg, 6006).topLeft(), QPoint(b.width() + 53, y));
    EXPECT_EQ(Geo(dlg, 6033).topLeft(), QPoint(2 * b.width() + 66, y));
    EXPECT_EQ(Geo(dlg, 6018), QRect(5, y + b.height() + 12, 390, 600 - (y + b.height() + 12)));

    // W = 803: x0 = 403, the curves stay 400 wide and end at the right edge.
    dlg->MoveWindow(QRect(0, 0, 803, 600));
    EXPECT_EQ(Geo(dlg, 16), QRect(403, 5, 400, 190));

    // Below 395 the remainder is negative; nothing is enforced or crashes.
    dlg->MoveWindow(QRect(0, 0, 300, 100));
    EXPECT_EQ(Geo(dlg, 16).left(), 390);
    EXPECT_EQ(Geo(dlg, 16).height(), 20);

    // The progress bar stays, through all these layouts, centred on the
    // client area the panel had while it was initialised (338 x 355 dialog units).
    auto* bar = qobject_cast<QProgressBar*>(dlg->GetDlgItem(255));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->size(), QSize(400, 60));
    EXPECT_EQ(bar->geometry().center(), QPoint(338 * 7 / 4 / 2 - 1, 355 * 15 / 8 / 2 - 1));
    EXPECT_FALSE(bar->isVisible());
}
