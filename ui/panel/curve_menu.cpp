// The position plot's context menu and its commands.
#include "ui/panel/curve_menu.h"

#include "cam/ecam_point_set.h"
#include "ui/plot/curve_export.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/modal_ui.h"

#include <QCoreApplication>

using namespace panel;

void CCurveMenu::OnPositionCurveRightClick(const QPoint& clientPos, const QPoint& screenPos)
{
    const QRect plot = m_position.rect().adjusted(CECamCurveWnd::kLeft, CECamCurveWnd::kMargin,
                                                      -CECamCurveWnd::kMargin, -CECamCurveWnd::kMargin);
    // Right and bottom edges are outside the plot area.
    if (clientPos.x() < plot.left() || clientPos.x() > plot.right() || clientPos.y() < plot.top() ||
        clientPos.y() > plot.bottom())
        return;
    m_ptCurveMenu = clientPos;
    const std::vector<MenuItem> items = {
        {ID_ADD_CAM_POINT, QCoreApplication::translate("CCurveMenu", "添加凸轮点"), true},
        {ID_DEL_CAM_POINT, QCoreApplication::translate("CCurveMenu", "删除凸轮点"), m_position.HasKeyPointNear(clientPos)},
        {ID_SHOW_CAM_POINT, QCoreApplication::translate("CCurveMenu", "显示凸轮点"), true},
        MenuItem::Separator(),
        {ID_EXPORT_CURVES, QCoreApplication::translate("CCurveMenu", "导出曲线图..."), true},
    };
    const int id = m_view.ModalUi().PopupMenu(m_view.BoxOwner(), screenPos, items);
    if (id != 0)
        OnCommand(id);
}

void CCurveMenu::OnCommand(int id)
{
    switch (id) {
    case ID_ADD_CAM_POINT: OnAddCamPoint(); break;
    case ID_DEL_CAM_POINT: OnDelCamPoint(); break;
    case ID_SHOW_CAM_POINT: OnShowCamPoint(); break;
    case ID_EXPORT_CURVES: OnExportCurves(); break;
    default: break;
    }
}

void CCurveMenu::OnAddCamPoint()
{
    // Masters must stay strictly increasing: a point that would land on (or
    // within the lookup tolerance of) an existing key point, or outside the
    // cam, is refused with a message rather than moved somewhere unasked.
    const PlotPoint p = m_position.PixelToData(m_ptCurveMenu);
    if (!m_view.PointSet().KeepsOrderOnInsert(p.x)) {
        m_view.ModalUi().Box(m_view.BoxOwner(), QCoreApplication::translate("CCurveMenu", "此处已有凸轮点或超出主轴范围，不能添加凸轮点"));
        return;
    }
    m_position.AddKeyPointAt(m_ptCurveMenu);
    m_view.RefreshTable();
    m_view.RefreshCurves();
}

void CCurveMenu::OnDelCamPoint()
{
    // The marker under the pointer names its point by position: a look-up
    // by master would take a neighbour closer than the tolerance.
    int index = -1;
    if (m_position.HitTestKeyPoint(m_ptCurveMenu, index) && index >= 0 &&
        m_position.KeyPoints().size() == m_view.PointSet().PointCount()) {
        m_view.PointSet().DeletePointAt(static_cast<size_t>(index));
        m_position.RebuildFromPointSet();
    }
    m_view.RefreshTable();
    m_view.RefreshCurves();
}

void CCurveMenu::OnShowCamPoint()
{
    m_position.m_showKeyPoints = !m_position.m_showKeyPoints;
    m_speed.m_showKeyPoints = !m_speed.m_showKeyPoints;
    m_position.update();
    m_speed.update();
}

void CCurveMenu::OnExportCurves()
{
    // The dialog appends ".png" to a name typed without an extension; the
    // extension chooses the format.
    const QString path = m_view.ModalUi().SaveFileName(
        m_view.BoxOwner(), QCoreApplication::translate("CCurveMenu", "导出曲线图"),
        QCoreApplication::translate("CCurveMenu", "PNG 图片 (*.png);;SVG 矢量图 (*.svg);;PDF 文档 (*.pdf)"), QStringLiteral("png"),
        QCoreApplication::translate("CCurveMenu", "凸轮曲线.png"));
    if (path.isEmpty())
        return;
    // The stacked plots as they stand, the position plot's siblings included.
    std::vector<PlotScene> plots;
    for (const CECamCurveWnd* w : m_position.LinkedPlots())
        plots.push_back(w->Scene());
    const CurveExportResult r = ExportCurves(plots, m_position.logicalDpiY(), path);
    if (!r.ok)
        m_view.ModalUi().Box(m_view.BoxOwner(), QCoreApplication::translate("CCurveMenu", "曲线图导出失败: %1\n%2").arg(path, r.reason),
                             QString(), MB_OK, MB_ICONERROR);
}
