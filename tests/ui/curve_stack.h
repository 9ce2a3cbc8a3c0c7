#pragma once
// Curve windows fed from one real point set as the panel feeds them, under a
// parent that records their messages. Each window is 1140 x 240, so its plot
// area is 1000 x 200 pixels from (120, 20): masters 0..1000 one per pixel.
// Windows are stacked 260 pixels apart.
#include "message_receiver.h"

#include "cam/ecam_point_set.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/spec_edit.h"

#include <QCoreApplication>

#include <QTest>
#include <initializer_list>
#include <vector>

struct CurveStack {
    MessageReceiver parent;
    CECamPointSet set;
    std::vector<CurveKind> kinds;
    std::vector<CECamCurveWnd*> plots;

    CurveStack(std::vector<CurveKind> kindsShown, const std::vector<ECamPoint>& points, double yMin, double yMax)
        : kinds(std::move(kindsShown))
    {
        parent.resize(1200, 260 * static_cast<int>(kinds.size()) + 40);
        for (size_t i = 0; i < kinds.size(); ++i) {
            auto* w = new CECamCurveWnd(&parent);
            w->setGeometry(0, 260 * static_cast<int>(i), 1140, 240);
            w->m_pointSet = &set;
            w->m_yMin = yMin;
            w->m_yMax = yMax;
            plots.push_back(w);
        }
        set.SetPoints(points);
        Refresh();
    }

    void Refresh()
    {
        for (size_t i = 0; i < plots.size(); ++i) {
            std::vector<PlotPoint> keys, curve;
            CECamCurveWnd::BuildLists(set.Curve(), kinds[i], keys, curve);
            plots[i]->SetCurveData(keys, curve, kinds[i]);
        }
    }

    std::vector<ECamPoint> Points() const { return {set.Points().begin(), set.Points().end()}; }

    static QPoint Marker(const CECamCurveWnd* w, int i)
    {
        return w->DataToPixel(w->KeyPoints()[static_cast<size_t>(i)]);
    }

    // Press at the first point, move through the others, release at the last.
    static void Stroke(QWidget* w, std::initializer_list<QPoint> path, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(w, button, {}, *path.begin());
        for (auto p = path.begin() + 1; p != path.end(); ++p)
            QTest::mouseMove(w, *p);
        QTest::mouseRelease(w, button, {}, *(path.end() - 1));
    }

    // Clicks the upper or lower limit's label and returns the editor it opens.
    static CSpecEdit* ClickLabel(CECamCurveWnd* w, bool upper)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, upper ? QPoint(60, 15) : QPoint(60, w->height() - 15));
        return w->LimitEditor();
    }

    static void TypeAndEnter(CSpecEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor posts its end
    }
};
