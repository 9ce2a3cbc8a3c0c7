#pragma once
// CCurveMenu: the context menu of the position plot. "添加凸轮点" adds a key
// point where the right click was, "删除凸轮点" deletes the key point under
// it (offered only over one), "显示凸轮点" toggles the key-point markers of
// the position and speed plots, and, after a separator, "导出曲线图..."
// writes the three plots into a PNG, SVG or PDF file the user names.
// Owned by the panel; GUI thread only.
#include "ui/panel/panel_ids.h"

#include <QPoint>

class CECamCurveWnd;
class CECamPointSet;
class IModalUi;
class QWidget;

// What the curve menu needs from the panel.
class ICurveMenuView {
public:
    virtual ~ICurveMenuView() = default;
    virtual CECamPointSet& PointSet() = 0;
    virtual void RefreshCurves() = 0;
    virtual void RefreshTable() = 0;
    virtual IModalUi& ModalUi() = 0;
    virtual QWidget* BoxOwner() = 0;
};

// The export command's id, next to the panel's curve menu commands.
constexpr int ID_EXPORT_CURVES = 32778;

class CCurveMenu {
public:
    CCurveMenu(ICurveMenuView& view, CECamCurveWnd& position, CECamCurveWnd& speed)
        : m_view(view), m_position(position), m_speed(speed)
    {
    }

    // Right button on the position plot window: opens the menu when the
    // point (client coordinates of that window) lies in its plot area.
    void OnPositionCurveRightClick(const QPoint& clientPos, const QPoint& screenPos);
    void OnCommand(int id);
    void OnAddCamPoint();
    void OnDelCamPoint();
    void OnShowCamPoint();
    void OnExportCurves();

    // The last right click inside the plot area, where the commands act.
    QPoint MenuPoint() const { return m_ptCurveMenu; }

private:
    ICurveMenuView& m_view;
    CECamCurveWnd& m_position;
    CECamCurveWnd& m_speed;
    QPoint m_ptCurveMenu;
};
