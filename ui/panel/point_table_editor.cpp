// Key-point table editing of the cam panel: cell edits, the table's context
// menu (add / delete one point) and the hidden range delete / insert buttons.
//
// Master positions must stay strictly increasing, and far enough apart that
// a point can still be told from its neighbours by the three-decimal master
// the table shows (the point set finds points within 0.001 of a master). The
// table keeps that rule on every path that can place a master:
//  - a typed master position that is not clearly between its neighbours is
//    refused: the row is restored and the user is told why;
//  - "添加点" and the range insert place new points after their base point;
//    when the usual 0.1 step would reach the next point they are spread evenly
//    between the two instead (one point: halfway), and only when even that
//    leaves them too close is the insertion refused with a message.
#include "ui/panel/point_table_editor.h"

#include "cam/ecam_point_set.h"
#include "ui/c_number.h"
#include "ui/modal_ui.h"
#include "ui/panel/list_oper_dlg.h"
#include "ui/panel/panel_ids.h"
#include "ui/panel/spec_list_ctrl.h"

#include <algorithm>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace {

// Smallest distance kept between neighbouring masters: twice the point set's
// look-up tolerance, so the rounded master shown in the table (off by at most
// 0.0005) still finds only its own point.
constexpr double kMinMasterGap = 2 * kECamMasterTolerance;
// Step and slave rise of a point added after its base point.
constexpr double kAddMasterStep = 0.1;
constexpr double kAddSlaveStep = 1.0;
// A range insert larger than this would only exhaust memory; no cam the drive
// can take comes near it.
constexpr int32_t kMaxInsertRows = 100000;

const char* const kMsgMasterOrder =
    QT_TRANSLATE_NOOP("CPointTableEditor", "主轴位置必须在前后两点之间，且与相邻点的间距不小于0.002!");
const char* const kMsgGapTooSmall = QT_TRANSLATE_NOOP("CPointTableEditor", "相邻两点间距太小，无法在其间增加点!");

// True when master m, put at index idx of pts (replacing the point there),
// keeps the minimum gap to both neighbours in increasing order.
bool FitsBetweenNeighbours(const std::vector<ECamPoint>& pts, int idx, double m)
{
    const auto n = static_cast<int>(pts.size());
    if (idx > 0 && !(m - pts[static_cast<size_t>(idx - 1)].master >= kMinMasterGap))
        return false;
    if (idx + 1 < n && !(pts[static_cast<size_t>(idx + 1)].master - m >= kMinMasterGap))
        return false;
    return true;
}

// count new Linear points after base: master + 0.1 k, slave + k, base's
// speed. When next is given and the 0.1 steps would come too close to it, the
// points are spread evenly on the straight line between base and next.
// Returns false when even that leaves them too close together.
bool BuildPointsAfter(const ECamPoint& base, const ECamPoint* next, int32_t count, double slaveStep,
                      std::vector<ECamPoint>& out)
{
    out.clear();
    out.reserve(static_cast<size_t>(count));
    const bool spread =
        next != nullptr && base.master + kAddMasterStep * count > next->master - kMinMasterGap;
    if (spread && (next->master - base.master) / (count + 1) < kMinMasterGap)
        return false;
    for (int32_t k = 1; k <= count; ++k) {
        ECamPoint p;
        if (spread) {
            const double f = static_cast<double>(k) / (count + 1);
            p.master = base.master + (next->master - base.master) * f;
            p.slave = base.slave + (next->slave - base.slave) * f;
        } else {
            p.master = base.master + kAddMasterStep * k;
            p.slave = base.slave + slaveStep * k;
        }
        p.speed = base.speed;
        p.type = kECamLinear;
        out.push_back(p);
    }
    return true;
}

}  // namespace

using namespace panel;

void CPointTableEditor::ShowTableMessage(const QString& text)
{
    // Application-style box: the application's name as caption, OK button.
    m_view.ModalUi().Box(m_view.BoxOwner(), text, QString(), MB_OK, MB_ICONWARNING);
}

void CPointTableEditor::OnBeginLabelEdit(int row, int /*col*/)
{
    // The row, not its shown master, names the point: the master may be
    // rounded in the cell, and the rows may be rewritten while the editor is
    // open.
    m_editRow = row;
}

void CPointTableEditor::OnEndLabelEdit(int row, int col, const QString* text)
{
    if (row < 0 || row >= m_table.GetItemCount() || col > kColType)
        return;
    // Cancelled or unchanged: the cam stays exactly as it is.
    if (!text || col < kColMaster)
        return;
    std::vector<ECamPoint> points;
    m_view.PointSet().GetPoints(points);
    if (row >= static_cast<int>(points.size())) {
        SyncRows(row);  // table and cam out of step: show the cam
        return;
    }
    // Edits address the point by its row: two points of a loaded profile may
    // lie closer than the master tolerance, and a lookup by master would
    // then edit the wrong one (or none).
    const auto index = static_cast<std::size_t>(row);
    const ECamPoint p = points[index];
    const double value = CToF(*text);
    switch (col) {
    case kColMaster:
        if (value != p.master && !FitsBetweenNeighbours(points, row, value)) {
            // Refused: the row shows the point as it still is.
            SyncRows(row);
            ShowTableMessage(tr(kMsgMasterOrder));
            return;
        }
        m_view.PointSet().MovePointAt(index, value, p.slave);
        break;
    case kColSlave:
        m_view.PointSet().MovePointAt(index, p.master, value);
        break;
    case kColSpeed:
        m_view.PointSet().SetPointSpeedAt(index, value);
        break;
    case kColType:
        m_view.PointSet().SetPointTypeAt(index, *text == QStringLiteral("Linear") ? kECamLinear : kECamPoly);
        break;
    default:
        break;
    }
    SyncRows(row);
    m_view.RefreshCurves();
}

void CPointTableEditor::SyncRows(int force)
{
    std::vector<ECamPoint> points;
    m_view.PointSet().GetPoints(points);
    const int n = std::min(m_table.GetItemCount(), static_cast<int>(points.size()));
    for (int r = 0; r < n; ++r) {
        const ECamPoint& p = points[static_cast<size_t>(r)];
        // Exact comparisons: the values behind the texts are the cam's own
        // doubles, copied, never parsed back.
        const bool same = m_table.GetItemValue(r, kColMaster) == QVariant(p.master) &&
                          m_table.GetItemValue(r, kColSlave) == QVariant(p.slave) &&
                          m_table.GetItemValue(r, kColSpeed) == QVariant(p.speed) &&
                          m_table.GetItemValue(r, kColType) == QVariant(p.type);
        if (!same || r == force)
            m_view.WriteTableRow(p, r);
    }
}

void CPointTableEditor::ReapplyPoint(std::size_t index)
{
    const ECamPoint& p = *std::next(m_view.PointSet().Points().begin(), static_cast<std::ptrdiff_t>(index));
    m_view.PointSet().MovePointAt(index, p.master, p.slave);
}

LRESULT CPointTableEditor::OnTablePointCmd(WPARAM wParam, LPARAM /*lParam*/)
{
    const int s = m_table.GetFirstSelectedRow();
    if (s < 0)
        return 0;
    std::vector<ECamPoint> points;
    m_view.PointSet().GetPoints(points);
    const auto n = static_cast<int>(points.size());
    if (s >= n)
        return 0;  // table and cam out of step; nothing sensible to do

    // The rows keep their IDs and item data equal to their point index.
    auto renumber = [this] {
        for (int i = 0; i < m_table.GetItemCount(); ++i) {
            m_table.SetItemValue(i, kColId, i);
            m_table.SetItemData(i, static_cast<quintptr>(i));
        }
    };

    if (wParam != 0) {
        const ECamPoint& base = points[static_cast<size_t>(s)];
        const bool hasNext = s < n - 1;
        std::vector<ECamPoint> added;
        if (!BuildPointsAfter(base, hasNext ? &points[static_cast<size_t>(s + 1)] : nullptr, 1,
                              kAddSlaveStep, added)) {
            ShowTableMessage(tr(kMsgGapTooSmall));
            return 0;
        }
        const ECamPoint p = added.front();
        points.insert(points.begin() + s + 1, p);
        m_view.PointSet().SetPoints(points);
        // The selected point and its old successor are set again to their
        // own values, which re-derives the straight-line speeds around the
        // new point.
        ReapplyPoint(static_cast<size_t>(s));
        if (hasNext)
            ReapplyPoint(static_cast<size_t>(s + 2));
        m_view.RefreshCurves();
        const int newRow = m_table.InsertItem(s + 1, QString::number(s + 1));
        m_view.WriteTableRow(p, newRow);
        renumber();
        SyncRows();
        return 0;
    }

    if (s == 0) {
        ShowTableMessage(tr("第一行不能删除!"));
        return 0;
    }
    points.erase(points.begin() + s);
    m_view.PointSet().SetPoints(points);
    ReapplyPoint(static_cast<size_t>(s - 1));
    m_view.RefreshCurves();
    m_table.DeleteItem(s);
    renumber();
    SyncRows();
    return 0;
}

bool CPointTableEditor::AskRowRange(const QString& title, int firstStart, int32_t& start, int32_t& count)
{
    // Owned by the panel's window, so the window is active again when it closes.
    CListOperDlg dlg(title, m_view.BoxOwner());
    if (dlg.DoModal() != CListOperDlg::IDOK)
        return false;
    // Row numbers in the dialog count from 1; row 1 is the first point.
    start = CToI(dlg.StartRowText());
    count = CToI(dlg.RowCountText());
    const int rows = m_table.GetItemCount();
    if (start < firstStart || start > rows) {
        ShowTableMessage(tr("起始行请规范到%1 - %2").arg(firstStart).arg(rows));
        return false;
    }
    if (count <= 0) {
        ShowTableMessage(tr("操作行数必须大于零!"));
        return false;
    }
    return true;
}

void CPointTableEditor::OnDeleteRows()
{
    int32_t start = 0;
    int32_t count = 0;
    if (!AskRowRange(tr("删除指定行"), 2, start, count))
        return;
    const int rows = m_table.GetItemCount();
    std::vector<ECamPoint> points;
    m_view.PointSet().GetPoints(points);
    const auto first = std::min<size_t>(static_cast<size_t>(start - 1), points.size());
    // 64-bit sum: a huge count must not overflow into a small range.
    const int64_t last = int64_t{start} + count - 1;
    const size_t end = last <= rows ? std::min<size_t>(static_cast<size_t>(last), points.size()) : points.size();
    points.erase(points.begin() + static_cast<std::ptrdiff_t>(first),
                 points.begin() + static_cast<std::ptrdiff_t>(std::max(first, end)));
    m_view.PointSet().SetPoints(points);
    m_view.RefreshCurves();
    m_view.RefreshTable();
}

void CPointTableEditor::OnInsertRows()
{
    int32_t start = 0;
    int32_t count = 0;
    if (!AskRowRange(tr("增加指定行"), 1, start, count))
        return;
    const int rows = m_table.GetItemCount();
    if (count > kMaxInsertRows) {
        ShowTableMessage(tr("操作行数不能大于%1!").arg(kMaxInsertRows));
        return;
    }
    std::vector<ECamPoint> points;
    m_view.PointSet().GetPoints(points);
    if (start > static_cast<int>(points.size()))
        return;  // table and cam out of step
    const ECamPoint base = points[static_cast<size_t>(start - 1)];
    const bool hasNext = start < rows && start < static_cast<int>(points.size());
    std::vector<ECamPoint> added;
    if (!BuildPointsAfter(base, hasNext ? &points[static_cast<size_t>(start)] : nullptr, count, 1.0, added)) {
        ShowTableMessage(tr(kMsgGapTooSmall));
        return;
    }
    points.insert(hasNext ? points.begin() + start : points.end(), added.begin(), added.end());
    m_view.PointSet().SetPoints(points);
    m_view.PointSet().RelinkLinearSpeeds();
    m_view.RefreshCurves();
    m_view.RefreshTable();
}
