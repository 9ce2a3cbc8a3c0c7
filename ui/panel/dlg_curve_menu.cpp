// The cam panel's pre-filter (field commits on a click elsewhere, the curve
// menu on a right click in the position plot) and the curve menu commands.
#include "ui/panel/razuvavivezuzo_dlg.h"

#include "ui/ecam_curve_wnd.h"
#include "ui/message_box.h"
#include "ui/uni_ecam_edit.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QFocusEvent>
#include <QMouseEvent>

namespace {

CRAZuvavivezUzoDlg::PopupMenuFn& PopupHook()
{
    static CRAZuvavivezUzoDlg::PopupMenuFn hook;
    return hook;
}

int RunPopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<CRAZuvavivezUzoDlg::MenuItem>& items)
{
    if (PopupHook())
        return PopupHook()(owner, screenPos, items);
    QMenu menu(owner);
    for (const auto& item : items) {
        QAction* a = menu.addAction(item.text);
        a->setData(item.id);
        a->setEnabled(item.enabled);
    }
    QAction* chosen = menu.exec(screenPos);
    return chosen ? chosen->data().toInt() : 0;
}

// True when e reaches `watched` only because a child under the cursor let it
// pass on; the pre-filter looks at each click once, at the window it was
// addressed to.
bool IsPropagatedCopy(QWidget* watched, const QMouseEvent* e)
{
    QWidget* child = watched->childAt(e->position().toPoint());
    return child && !child->testAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace

void CRAZuvavivezUzoDlg::SetPopupMenuHook(PopupMenuFn fn) { PopupHook() = std::move(fn); }

bool CRAZuvavivezUzoDlg::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::FocusOut:
        if (watched == m_editUnit || watched == m_editMasterLength)
            OnFieldFocusOut(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(e));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w)))
            return PreTranslateMessage(w, e);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

bool CRAZuvavivezUzoDlg::PreTranslateMessage(QObject* target, QEvent* e)
{
    if (e->type() != QEvent::MouseButtonPress)
        return false;
    auto* me = static_cast<QMouseEvent*>(e);
    auto* w = static_cast<QWidget*>(target);
    if (IsPropagatedCopy(w, me))
        return false;
    if (me->button() == Qt::LeftButton) {
        // Sent, so the field is committed before the click is dispatched.
        if (w != m_editUnit && QApplication::focusWidget() == m_editUnit)
            SendModuleMessage(this, WM_UNI_EDIT_ENTER, IDC_EDIT_UNIT, 0);
        if (w != m_editMasterLength && QApplication::focusWidget() == m_editMasterLength)
            SendModuleMessage(this, WM_UNI_EDIT_ENTER, IDC_EDIT_MASTER_LEN, 0);
    } else if (me->button() == Qt::RightButton && w == m_wndPosition) {
        OnPositionCurveRightClick(me->position().toPoint(), me->globalPosition().toPoint());
    }
    // The click itself is still dispatched as usual.
    return false;
}

void CRAZuvavivezUzoDlg::OnFieldFocusOut(QWidget* field, QFocusEvent* e)
{
    // A press on a window that takes the focus moves it before the press
    // itself is delivered, so the pre-filter would no longer see the field
    // focused: such a left click commits here, still before the click is
    // dispatched. Keyboard moves (Tab) and window switches do not commit.
    if (e->reason() != Qt::MouseFocusReason)
        return;
    const Qt::MouseButtons buttons = QApplication::mouseButtons();
    if ((buttons & (Qt::RightButton | Qt::MiddleButton)) && !(buttons & Qt::LeftButton))
        return;
    m_bCommitOnFocusOut = true;
    SendModuleMessage(this, WM_UNI_EDIT_ENTER, field == m_editUnit ? IDC_EDIT_UNIT : IDC_EDIT_MASTER_LEN, 0);
    m_bCommitOnFocusOut = false;
}

void CRAZuvavivezUzoDlg::OnPositionCurveRightClick(const QPoint& clientPos, const QPoint& screenPos)
{
    const QRect plot = m_wndPosition->rect().adjusted(CECamCurveWnd::kLeft, CECamCurveWnd::kMargin,
                                                      -CECamCurveWnd::kMargin, -CECamCurveWnd::kMargin);
    // Right and bottom edges are outside the plot area.
    if (clientPos.x() < plot.left() || clientPos.x() > plot.right() || clientPos.y() < plot.top() ||
        clientPos.y() > plot.bottom())
        return;
    m_ptCurveMenu = clientPos;
    const std::vector<MenuItem> items = {
        {ID_ADD_CAM_POINT, QString::fromUtf8("添加凸轮点"), true},
        {ID_DEL_CAM_POINT, QString::fromUtf8("删除凸轮点"), m_wndPosition->HasKeyPointNear(clientPos)},
        {ID_SHOW_CAM_POINT, QString::fromUtf8("显示凸轮点"), true},
    };
    const int id = RunPopupMenu(this, screenPos, items);
    if (id != 0)
        OnCommand(id);
}

void CRAZuvavivezUzoDlg::OnCommand(int id)
{
    switch (id) {
    case ID_ADD_CAM_POINT: OnAddCamPoint(); break;
    case ID_DEL_CAM_POINT: OnDelCamPoint(); break;
    case ID_SHOW_CAM_POINT: OnShowCamPoint(); break;
    default: break;
    }
}

void CRAZuvavivezUzoDlg::OnAddCamPoint()
{
    // Masters must stay strictly increasing: a point that would land on (or
    // within the lookup tolerance of) an existing key point, or outside the
    // cam, is refused with a message rather than moved somewhere unasked.
    const PlotPoint p = m_wndPosition->PixelToData(m_ptCurveMenu);
    if (!m_pointSet.KeepsOrderOnInsert(p.x)) {
        ModuleMessageBox(this, QString::fromUtf8("此处已有凸轮点或超出主轴范围，不能添加凸轮点"));
        return;
    }
    m_wndPosition->AddKeyPointAt(m_ptCurveMenu);
    RefreshTable();
    RefreshCurves();
}

void CRAZuvavivezUzoDlg::OnDelCamPoint()
{
    int index = -1;
    if (m_wndPosition->HitTestKeyPoint(m_ptCurveMenu, index) && index >= 0 &&
        index < static_cast<int>(m_wndPosition->KeyPoints().size())) {
        m_pointSet.DeletePoint(m_wndPosition->KeyPoints()[static_cast<size_t>(index)].x);
        m_wndPosition->RebuildFromPointSet();
    }
    RefreshTable();
    RefreshCurves();
}

void CRAZuvavivezUzoDlg::OnShowCamPoint()
{
    m_wndPosition->m_showKeyPoints = !m_wndPosition->m_showKeyPoints;
    m_wndSpeed->m_showKeyPoints = !m_wndSpeed->m_showKeyPoints;
    m_wndPosition->update();
    m_wndSpeed->update();
}
