// The cam panel: life cycle, data exchange, field commits, refreshes, the
// pre-filter and the dispatch of commands and module messages.
#include "ui/panel/razuvavivezuzo_dlg.h"

#include "grid/grid_column_format.h"
#include "grid/grid_column_trait_combo.h"
#include "grid/grid_column_trait_edit.h"
#include "grid/grid_column_trait_text.h"
#include "grid/grid_row_trait_xp.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/funcode/ecam_func_set_dlg.h"
#include "ui/modal_ui.h"
#include "ui/panel/motion_law_dlg.h"
#include "ui/panel/panel_ids.h"
#include "ui/panel/spec_list_ctrl.h"
#include "ui/panel_look.h"
#include "ui/panel_settings.h"
#include "ui/qt_modal_ui.h"
#include "ui/uni_ecam_edit.h"
#include "ui/vela_edit.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace panel;

namespace {

// The data-exchange layer's own words for a field that must hold an unsigned
// integer.
const char* const kParseUintMessage = QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "请输入一个正整数。");
const char* const kLeaveUnsavedMessage =
    QT_TRANSLATE_NOOP("CRAZuvavivezUzoDlg", "当前凸轮数据已修改，尚未保存。\n是否先保存到文件?");

// Reads an unsigned decimal number the way the dialog data exchange does:
// blanks around it are allowed, anything else (signs, letters, fractions,
// values past 32 bits) is refused.
bool ParseUnsigned(const QString& text, uint32_t& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    uint64_t value = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + static_cast<uint64_t>(c.unicode() - '0');
        if (value > 0xFFFFFFFFull)
            return false;
    }
    out = static_cast<uint32_t>(value);
    return true;
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

CRAZuvavivezUzoDlg::CRAZuvavivezUzoDlg(PanelSetup setup)
    : m_modalUi(setup.modalUi ? std::move(setup.modalUi) : std::make_shared<CQtModalUi>()),
      m_transferTiming(setup.transferTiming),
      m_verifyAfterWrite(setup.verifyAfterWrite ? std::move(setup.verifyAfterWrite) : VerifyAfterWriteSetting)
{
    setObjectName(QStringLiteral("RAZuvavivezUzoDlg"));
    // A child panel, hidden until the host shows it.
    hide();
}

CRAZuvavivezUzoDlg::~CRAZuvavivezUzoDlg()
{
    // Nothing may reach the collaborators once they start to go: the
    // pre-filter and the table's notifications are cut first (the child
    // widgets outlive the members), then the transfer worker, which reports
    // to this panel, is stopped and joined.
    if (qApp)
        qApp->removeEventFilter(this);
    if (m_controls.table)
        m_controls.table->disconnect(this);
    m_transfers.reset();
}

void CRAZuvavivezUzoDlg::StopTransfers()
{
    if (m_transfers)
        m_transfers->Stop();
}

bool CRAZuvavivezUzoDlg::Create(QWidget* parent)
{
    // Without a parent there is no window for a child panel to live in.
    if (!parent)
        return false;
    setParent(parent);
    setWindowFlags(Qt::Widget);
    hide();
    m_controls = BuildPanelTemplate(this, *m_modalUi);
    ConnectCommands();
    qApp->installEventFilter(this);
    return OnInitDialog();
}

bool CRAZuvavivezUzoDlg::DoDataExchange(bool saveAndValidate)
{
    auto* field = GetDlgItem(IDC_EDIT_MASTER_LEN);
    if (!field)
        return false;
    auto* edit = static_cast<QLineEdit*>(field);
    if (!saveAndValidate) {
        edit->setText(QString::number(m_nMasterLength));
        return true;
    }
    uint32_t value = 0;
    if (!ParseUnsigned(edit->text(), value)) {
        m_modalUi->Box(this, tr(kParseUintMessage), QString(), MB_OK, MB_ICONWARNING);
        if (edit == m_controls.masterLength)
            RefocusMasterLength();
        else
            edit->setFocus();
        return false;
    }
    m_nMasterLength = value;
    return true;
}

bool CRAZuvavivezUzoDlg::OnInitDialog()
{
    DoDataExchange(false);
    m_funCodeAccess.Init();  // the transfer commands check the link themselves

    m_wndPosition = new CECamCurveWnd(this);
    m_wndSpeed = new CECamCurveWnd(this);
    m_wndAccel = new CECamCurveWnd(this);
    m_wndPosition->Create(this, IDC_CURVE_POSITION);
    m_wndSpeed->Create(this, IDC_CURVE_SPEED);
    m_wndAccel->Create(this, IDC_CURVE_ACCEL);
    for (auto* w : {m_wndPosition, m_wndSpeed, m_wndAccel})
        w->setGeometry(QRect());

    CECamCurveWnd* const curveWnds[3] = {m_wndPosition, m_wndSpeed, m_wndAccel};
    LayoutPanel(this, m_controls, curveWnds);

    const struct {
        CECamCurveWnd* wnd;
        double yMax;
        const char* title;
    } curves[] = {{m_wndPosition, 500.0, QT_TR_NOOP("位置")},
                  {m_wndSpeed, 10.0, QT_TR_NOOP("速度")},
                  {m_wndAccel, 40.0, QT_TR_NOOP("加速度")}};
    for (const auto& c : curves) {
        c.wnd->m_pointSet = &m_pointSet;
        c.wnd->m_curveColor = QColor(255, 0, 0);
        c.wnd->m_yMax = c.yMax;
        c.wnd->m_yMin = -c.yMax;
    }
    for (const auto& c : curves)
        c.wnd->SetTitle(tr(c.title));

    SetMasterLength(m_nMasterLength);
    RefreshCurves();
    SetupTableColumns();
    RefreshTable();

    // Centred on the client area as it is now (the template's size); the
    // transfer commands show and hide it, nothing moves it.
    const QRect client = rect();
    const int cx = (client.left() + client.left() + client.width()) / 2;
    const int cy = (client.top() + client.top() + client.height()) / 2;
    auto* progress = new QProgressBar(this);
    progress->setObjectName(IdName(IDC_PROGRESS));
    progress->setGeometry(cx - 200, cy - 30, 400, 60);
    progress->hide();

    m_transfers =
        std::make_unique<CPanelTransfers>(*this, *this, m_funCodeAccess, m_transferTiming, m_verifyAfterWrite);
    m_profiles = std::make_unique<CProfileCommands>(*this);
    m_tableEditor = std::make_unique<CPointTableEditor>(*this, *m_controls.table);
    m_curveMenu = std::make_unique<CCurveMenu>(*this, *m_wndPosition, *m_wndSpeed);
    m_history = std::make_unique<CCamHistory>([this](const CamState& state) { ApplyHistoryState(state); });
    m_history->Reset(CurrentCamState());

    m_bInitialised = 1;

    for (int id : {IDC_BTN_SPECIAL_IMPORT, IDC_BTN_SPECIAL_SAVE, IDC_BTN_SPECIAL_EXPORT, IDC_BTN_SPECIAL_WRITE})
        GetDlgItem(id)->show();
    GetDlgItem(IDC_BTN_SPECIAL_WRITE)->setEnabled(false);
    GetDlgItem(IDC_BTN_DELETE_ROWS)->hide();
    GetDlgItem(IDC_BTN_INSERT_ROWS)->hide();

    SetDlgItemText(IDC_EDIT_SPECIAL_COUNT, QString::asprintf("%d", g_nValidPointCount));
    GetDlgItem(IDC_EDIT_SPECIAL_COUNT)->show();

    ApplyPanelLook(this);
    // The framework's first tab stop gets the focus.
    GetDlgItem(IDC_EDIT_MASTER_LEN)->setFocus();
    return true;
}

void CRAZuvavivezUzoDlg::SetupTableColumns()
{
    m_controls.table->SetRowHeightFactor(1.2);
    m_controls.table->SetRowTrait(new CGridRowTraitXP);
    m_controls.table->AddHiddenLabelColumn();
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    CSpecListCtrl* t = m_controls.table;
    t->AddTraitColumn(kColId, QStringLiteral("ID"), left, 40, kColId, new CGridColumnTraitText);
    t->AddTraitColumn(kColMaster, tr("主轴位置"), left, 80, kColMaster, new CGridColumnTraitEdit);
    t->AddTraitColumn(kColSlave, tr("从轴位置"), left, 110, kColSlave, new CGridColumnTraitEdit);
    t->AddTraitColumn(kColSpeed, tr("标幺速度"), left, 70, kColSpeed, new CGridColumnTraitEdit);
    auto* type = new CGridColumnTraitCombo;
    type->SetStyle(CGridColumnTraitCombo::ComboStyle::DropDownList);
    type->AddChoice(0, QStringLiteral("Poly"));
    type->AddChoice(1, QStringLiteral("Linear"));
    // The type is edited in a combo box as wide as the cell: the column is at
    // least as wide as a combo showing its longest choice in the table's font.
    QComboBox probe;
    probe.setFont(t->font());
    for (const auto& choice : type->GetChoices())
        probe.addItem(choice.second);
    t->AddTraitColumn(kColType, tr("类型"), left, std::max(60, probe.sizeHint().width()), kColType,
                      type);
    // The rows hold the points' own values; the texts ("%d" indexes, "%.3f"
    // positions, "%.2f" speeds) are made only for the rows on screen.
    t->SetColumnFormat(kColLabel, GridIntegerFormat());
    t->SetColumnFormat(kColId, GridIntegerFormat());
    t->SetColumnFormat(kColMaster, GridFixedFormat(3));
    t->SetColumnFormat(kColSlave, GridFixedFormat(3));
    t->SetColumnFormat(kColSpeed, GridFixedFormat(2));
    CGridColumnFormat typeFormat;
    typeFormat.text = [](const QVariant& v) {
        return v.toInt() == kECamLinear ? QStringLiteral("Linear") : QStringLiteral("Poly");
    };
    typeFormat.widthKey = [](const QVariant& v) { return qint64{v.toInt() == kECamLinear}; };
    t->SetColumnFormat(kColType, std::move(typeFormat));
}

void CRAZuvavivezUzoDlg::SetMasterLength(uint32_t length)
{
    m_pointSet.SetMasterLength(length);
}

void CRAZuvavivezUzoDlg::RefreshCurves()
{
    const std::vector<ECamCurveSample>& curve = m_pointSet.Curve();
    std::vector<PlotPoint> pos, speed, accel, posKeys, speedKeys;
    pos.reserve(curve.size());
    speed.reserve(curve.size());
    accel.reserve(curve.size());
    for (const ECamCurveSample& s : curve) {
        pos.push_back({s.positionX, s.position});
        speed.push_back({s.speedX, s.speed});
        accel.push_back({s.accelX, s.accel});
        if (s.isKeyPoint) {
            posKeys.push_back({s.positionX, s.position});
            speedKeys.push_back({s.speedX, s.speed});
        }
    }
    m_wndPosition->SetCurveData(posKeys, pos, CURVE_POSITION);
    m_wndSpeed->SetCurveData(speedKeys, speed, CURVE_SPEED);
    m_wndAccel->SetCurveData({}, accel, CURVE_ACCEL);
    // Every change of the cam ends with the curves redrawn: the history
    // looks at the cam once the action that changed it is complete.
    ScheduleHistoryRecord();
}

void CRAZuvavivezUzoDlg::RefreshTable()
{
    // An edit still open belongs to the cam as it was: it lands first, so
    // the rebuilt rows show it.
    CSpecListCtrl* t = m_controls.table;
    t->EndActiveEdit(true);
    std::vector<ECamPoint> points;
    m_pointSet.GetPoints(points);
    t->SetRedraw(false);
    t->SetItemCount(static_cast<int>(points.size()));
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        t->SetItemValue(i, kColLabel, i);
        t->SetItemValue(i, kColId, i);
        t->SetItemData(i, static_cast<quintptr>(i));
        WriteTableRow(points[static_cast<size_t>(i)], i);
    }
    t->SetRedraw(true);
}

void CRAZuvavivezUzoDlg::WriteTableRow(const ECamPoint& point, int row)
{
    // The texts shown are rounded from these values, the point's own, so the
    // table editing never works from the rounded ones.
    CSpecListCtrl* t = m_controls.table;
    t->SetItemValue(row, kColMaster, point.master);
    t->SetItemValue(row, kColSlave, point.slave);
    t->SetItemValue(row, kColSpeed, point.speed);
    t->SetItemValue(row, kColType, point.type);
}

LRESULT CRAZuvavivezUzoDlg::OnUniEditEnter(WPARAM wParam, LPARAM)
{
    if (wParam == IDC_EDIT_UNIT) {
        ScheduleHistoryRecord();
        const QString unit = m_controls.unit->text();
        for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS,
                       IDC_BTN_STD_WRITE})
            EnableDlgItem(id, !unit.isEmpty());
        SetDlgItemText(IDC_LBL_SLAVE_UNIT, unit);
        SetDlgItemText(IDC_LBL_MASTER_UNIT, unit);
        return 0;
    }
    if (wParam != IDC_EDIT_MASTER_LEN)
        return 0;
    // Only an accepted length reaches the cam, the history and the files: a
    // refused text is reported and the field shows the length in force
    // again; a length equal to the one in force changes nothing (a commit of
    // the untouched field must not rescale points added beyond it).
    const uint32_t inForce = m_nMasterLength;
    uint32_t typed = 0;
    if (ParseUnsigned(m_controls.masterLength->text(), typed) && typed == inForce) {
        DoDataExchange(false);
        return 0;
    }
    auto refuse = [this, inForce](const QString& message) {
        m_nMasterLength = inForce;
        DoDataExchange(false);
        if (!message.isEmpty())
            m_modalUi->Box(this, message);
        m_controls.masterLength->selectAll();
        RefocusMasterLength();
        return LRESULT(-1);
    };
    if (!DoDataExchange(true))
        return refuse(QString());
    if (m_nMasterLength < 10)
        return refuse(tr("主轴长度不能小于10"));
    if (m_nMasterLength > 1000000)
        return refuse(tr("主轴长度不能大于1000000"));
    SetMasterLength(m_nMasterLength);
    RefreshCurves();
    RefreshTable();
    return 0;
}

void CRAZuvavivezUzoDlg::RefocusMasterLength()
{
    if (!m_bCommitOnFocusOut) {
        m_controls.masterLength->setFocus();
        return;
    }
    // The commit came from the field losing the focus to a click and that
    // focus change is still under way: take the focus back once it is done.
    QPointer<CUniECamEdit> field = m_controls.masterLength;
    QTimer::singleShot(0, this, [field] {
        if (field)
            field->setFocus();
    });
}

LRESULT CRAZuvavivezUzoDlg::OnCurveDragEnd(WPARAM, LPARAM)
{
    RefreshCurves();
    RefreshTable();
    return 0;
}


void CRAZuvavivezUzoDlg::GetPoints(std::vector<ECamPoint>& out) const
{
    m_pointSet.GetPoints(out);
}

void CRAZuvavivezUzoDlg::LoadPoints(const std::vector<ECamPoint>& points)
{
    m_pointSet.SetPoints(points);
    RefreshCurves();
    RefreshTable();
    // A cam handed in whole comes from outside, like an opened file: it is
    // one step, and nothing the user has yet to save.
    if (m_history) {
        FlushHistoryRecord();
        m_history->MarkSaved();
    }
}

void CRAZuvavivezUzoDlg::ReplaceCam(const std::vector<ECamPoint>& points, bool relinkLinear)
{
    m_pointSet.SetPoints(points);
    if (relinkLinear)
        m_pointSet.RelinkLinearSpeeds();
    RefreshCurves();
    RefreshTable();
    for (CECamCurveWnd* wnd : {m_wndPosition, m_wndSpeed, m_wndAccel})
        wnd->AutoScaleY();
}

void CRAZuvavivezUzoDlg::ShowMasterLength(uint32_t length)
{
    m_nMasterLength = length;
    DoDataExchange(false);
}

bool CRAZuvavivezUzoDlg::ShowMotionLawDialog()
{
    if (IsTransferRunning() || !m_history)
        return false;
    FlushHistoryRecord();
    CMotionLawDlg dlg(m_motionLaws, m_nMasterLength, this);
    if (dlg.exec() != QDialog::Accepted || !dlg.HasDesign())
        return false;
    m_motionLaws = dlg.Segments();
    ShowMasterLength(dlg.MasterLength());
    ReplaceCam(dlg.Design().points, false);
    // Length and points together: one step back undoes both.
    m_history->Record(CurrentCamState());
    return true;
}

bool CRAZuvavivezUzoDlg::ReadCamFromDrive()
{
    if (IsTransferRunning() || !m_history)
        return false;
    BindSelectedDrive();
    if (!ConfirmLeaveCam())
        return false;
    FlushHistoryRecord();
    m_transfers->OnReadCamProfile([this](const std::vector<ECamPoint>& points) {
        // The drive holds no master length: the cam's last master position
        // is it, when that is a length the field accepts; otherwise the
        // length in force stays (the points are kept as read either way).
        const double last = points.back().master;
        if (last >= kDesignMinMasterLength && last <= kDesignMaxMasterLength && last == std::floor(last))
            ShowMasterLength(static_cast<uint32_t>(last));
        ReplaceCam(points, false);
        m_history->Record(CurrentCamState());
    });
    return IsTransferRunning();
}

void CRAZuvavivezUzoDlg::OnFunCodeSet()
{
    // The dialog shares the access object with a running transfer's worker;
    // its button is disabled meanwhile, and this catches any other way in.
    if (IsTransferRunning())
        return;
    CECamFuncSetDlg dlg(&m_funCodeAccess, *m_modalUi, this);
    dlg.exec();
}

void CRAZuvavivezUzoDlg::BindSelectedDrive()
{
    // The host may have selected another drive since the last command; the
    // cam stays, only the link follows. A running worker keeps its binding.
    if (!IsTransferRunning())
        m_funCodeAccess.Init();
}

bool CRAZuvavivezUzoDlg::ConfirmLeaveCam()
{
    if (IsTransferRunning())
        return false;
    FlushHistoryRecord();
    if (!m_history->Modified())
        return true;
    switch (m_modalUi->Box(this, tr(kLeaveUnsavedMessage), QString(), MB_YESNOCANCEL, MB_ICONQUESTION)) {
    case IDYES: return SaveProfile();
    case IDNO: return true;
    default: return false;
    }
}

bool CRAZuvavivezUzoDlg::SaveProfile()
{
    FlushHistoryRecord();
    if (!m_profiles->OnSaveECamFile())
        return false;
    m_history->MarkSaved();
    return true;
}

bool CRAZuvavivezUzoDlg::OpenProfile()
{
    if (!ConfirmLeaveCam() || !m_profiles->OnOpenECamFile())
        return false;
    // The opened profile is one step (undo returns to the cam before it)
    // and the state a later leave compares with.
    FlushHistoryRecord();
    m_history->MarkSaved();
    return true;
}

void CRAZuvavivezUzoDlg::ConnectCommands()
{
    // The collaborators exist once OnInitDialog has run; a click before
    // that (there is none: the panel is hidden until then) does nothing.
    auto onClick = [this](int id, auto handler) {
        auto* b = qobject_cast<QPushButton*>(GetDlgItem(id));
        connect(b, &QPushButton::clicked, this, [this, handler] {
            if (m_bInitialised)
                handler();
        });
    };
    onClick(IDC_BTN_IMPORT, [this] { OpenProfile(); });
    onClick(IDC_BTN_SAVE, [this] { SaveProfile(); });
    onClick(IDC_BTN_STD_WRITE, [this] {
        BindSelectedDrive();
        m_transfers->OnStandardWrite();
    });
    onClick(IDC_BTN_FUNCODE, [this] {
        BindSelectedDrive();
        OnFunCodeSet();
    });
    onClick(IDC_BTN_READ, [this] {
        BindSelectedDrive();
        if (ConfirmLeaveCam())
            m_transfers->OnReadCam();
    });
    onClick(IDC_BTN_SPECIAL_IMPORT, [this] { m_profiles->OnSpecialImport(); });
    onClick(IDC_BTN_SPECIAL_SAVE, [this] { m_profiles->OnSpecialSave(); });
    onClick(IDC_BTN_SPECIAL_EXPORT, [this] {
        BindSelectedDrive();
        m_transfers->OnSpecialExport();
    });
    onClick(IDC_BTN_DELETE_ROWS, [this] { m_tableEditor->OnDeleteRows(); });
    onClick(IDC_BTN_INSERT_ROWS, [this] { m_tableEditor->OnInsertRows(); });
    onClick(IDC_BTN_SPECIAL_WRITE, [this] {
        BindSelectedDrive();
        m_transfers->OnSpecialWrite();
    });
    connect(m_controls.table, &CGridListCtrlEx::BeginLabelEdit, this, [this](int row, int col, int*) {
        if (m_tableEditor)
            m_tableEditor->OnBeginLabelEdit(row, col);
    });
    connect(m_controls.table, &CGridListCtrlEx::EndLabelEdit, this,
            [this](int row, int col, const QString* text, int) {
                if (m_tableEditor)
                    m_tableEditor->OnEndLabelEdit(row, col, text);
            });
}

QWidget* CRAZuvavivezUzoDlg::GetDlgItem(int id) const
{
    return findChild<QWidget*>(IdName(id), Qt::FindDirectChildrenOnly);
}

QString CRAZuvavivezUzoDlg::GetDlgItemText(int id) const
{
    QWidget* w = GetDlgItem(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return QString();
}

void CRAZuvavivezUzoDlg::EnableDlgItem(int id, bool enabled)
{
    if (m_transfers) {
        m_transfers->EnableControl(id, enabled);
    } else if (QWidget* w = GetDlgItem(id)) {
        w->setEnabled(enabled);
    }
}

void CRAZuvavivezUzoDlg::SetDlgItemText(int id, const QString& text)
{
    QWidget* w = GetDlgItem(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

void CRAZuvavivezUzoDlg::MoveWindow(const QRect& rect)
{
    const bool sameSize = rect.size() == size();
    setGeometry(rect);
    // A hidden widget gets its resize event only when shown, and an equal
    // size none at all; the panel lays itself out on every move, as a
    // window move with repaint does.
    if (sameSize || !isVisible())
        OnSize();
}

void CRAZuvavivezUzoDlg::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    OnSize();
}

void CRAZuvavivezUzoDlg::OnSize()
{
    if (m_bInitialised) {
        CECamCurveWnd* const curveWnds[3] = {m_wndPosition, m_wndSpeed, m_wndAccel};
        LayoutPanel(this, m_controls, curveWnds);
    }
    update();
}

bool CRAZuvavivezUzoDlg::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::FocusOut:
        if (watched == m_controls.unit || watched == m_controls.masterLength)
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
    auto* w = static_cast<QWidget*>(target);
    // New input starts a new action: what the last one changed is one step
    // of the history, and so is an open cell edit that this input ends.
    FlushHistoryRecord();
    if (e->type() == QEvent::KeyPress) {
        if (HandleHistoryKey(static_cast<QKeyEvent*>(e)))
            return true;
        // A key the editor leaves alone travels on to its parents; it is
        // still the editor's as long as the editor has the focus.
        if (QWidget* focus = QApplication::focusWidget(); focus && focus != w)
            w = focus;
        CommitTableEdit(w, static_cast<QKeyEvent*>(e)->key() != Qt::Key_Escape);
        FlushHistoryRecord();
        return false;
    }
    auto* me = static_cast<QMouseEvent*>(e);
    if (IsPropagatedCopy(w, me))
        return false;
    // Windows that take no focus (the plots) would leave a cell editor open
    // under a drag or a menu that changes the cam: it lands first.
    CommitTableEdit(w, true);
    FlushHistoryRecord();
    if (me->button() == Qt::LeftButton) {
        // Sent, so the field is committed before the click is dispatched.
        if (w != m_controls.unit && QApplication::focusWidget() == m_controls.unit)
            SendModuleMessage(this, WM_UNI_EDIT_ENTER, IDC_EDIT_UNIT, 0);
        if (w != m_controls.masterLength && QApplication::focusWidget() == m_controls.masterLength)
            SendModuleMessage(this, WM_UNI_EDIT_ENTER, IDC_EDIT_MASTER_LEN, 0);
    } else if (me->button() == Qt::RightButton && w == m_wndPosition && m_curveMenu && w->isEnabled()) {
        m_curveMenu->OnPositionCurveRightClick(me->position().toPoint(), me->globalPosition().toPoint());
    }
    // The click itself is still dispatched as usual.
    return false;
}

void CRAZuvavivezUzoDlg::CommitTableEdit(QWidget* target, bool accept)
{
    QWidget* editor = m_controls.table ? m_controls.table->GetActiveEditor() : nullptr;
    if (!editor)
        return;
    // Input inside the editor (or a window of its own, such as a combo
    // box's list) is the editor's business.
    for (QObject* o = target; o; o = o->parent())
        if (o == editor)
            return;
    m_controls.table->EndActiveEdit(accept);
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
    SendModuleMessage(this, WM_UNI_EDIT_ENTER, field == m_controls.unit ? IDC_EDIT_UNIT : IDC_EDIT_MASTER_LEN, 0);
    m_bCommitOnFocusOut = false;
}

// Enter and Escape do not end the panel: it is a child of the host's window
// with no OK or Cancel of its own, and closing it is the host's business.
// Enter in the two commit fields is theirs; elsewhere both keys do nothing.
bool CRAZuvavivezUzoDlg::event(QEvent* e)
{
    CModuleMessageEvent* m = CModuleMessageEvent::From(e);
    if (!m)
        return QWidget::event(e);
    const WPARAM w = m->WParam();
    const LPARAM l = m->LParam();
    switch (m->Message()) {
    case WM_CURVE_DRAG_END: m->SetResult(OnCurveDragEnd(w, l)); break;
    case WM_UNI_EDIT_ENTER: m->SetResult(OnUniEditEnter(w, l)); break;
    case WM_TABLE_POINT_CMD:
        m->SetResult(m_tableEditor ? m_tableEditor->OnTablePointCmd(w, l) : 0);
        break;
    default:
        if (m_transfers && m_transfers->HandleReport(*m))
            break;
        return QWidget::event(e);
    }
    return true;
}

// ---- history -------------------------------------------------------------

namespace {

// The settings fields a step restores with the points: a profile brings
// them, and the master length changes with the cam it scales.
constexpr int kHistoryFields[] = {IDC_EDIT_MASTER_LEN,  IDC_EDIT_UNIT,         IDC_EDIT_SLAVE_PULSE,
                                  IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS};

} // namespace

CamState CRAZuvavivezUzoDlg::CurrentCamState() const
{
    CamState state;
    m_pointSet.GetPoints(state.points);
    // The master length in force, not the field's text: a text being typed
    // or just refused is no state of the cam.
    for (int id : kHistoryFields)
        state.fields.push_back(id == IDC_EDIT_MASTER_LEN ? QString::number(m_nMasterLength) : GetDlgItemText(id));
    return state;
}

void CRAZuvavivezUzoDlg::ScheduleHistoryRecord()
{
    if (!m_history || m_applyingHistory || m_historyRecordPending)
        return;
    // After the event being handled: an action that replaces the cam sets
    // its fields too, and both belong to one step.
    m_historyRecordPending = true;
    QTimer::singleShot(0, this, [this] { FlushHistoryRecord(); });
}

void CRAZuvavivezUzoDlg::FlushHistoryRecord()
{
    if (!m_historyRecordPending)
        return;
    m_historyRecordPending = false;
    m_history->Record(CurrentCamState());
}

bool CRAZuvavivezUzoDlg::UndoCamEdit()
{
    if (!m_history || IsTransferRunning())
        return false;
    FlushHistoryRecord();
    return m_history->Undo();
}

bool CRAZuvavivezUzoDlg::RedoCamEdit()
{
    if (!m_history || IsTransferRunning())
        return false;
    FlushHistoryRecord();
    return m_history->Redo();
}

void CRAZuvavivezUzoDlg::ApplyHistoryState(const CamState& state)
{
    m_applyingHistory = true;
    const QString unitBefore = GetDlgItemText(IDC_EDIT_UNIT);
    for (int i = 0; i < state.fields.size() && i < static_cast<int>(std::size(kHistoryFields)); ++i)
        SetDlgItemText(kHistoryFields[i], state.fields[i]);
    uint32_t length = 0;
    if (ParseUnsigned(GetDlgItemText(IDC_EDIT_MASTER_LEN), length))
        m_nMasterLength = length;
    if (GetDlgItemText(IDC_EDIT_UNIT) != unitBefore)
        OnUniEditEnter(IDC_EDIT_UNIT, 0);
    const bool sameRows = m_controls.table->GetItemCount() == static_cast<int>(state.points.size());
    // The cell the user was on stays the current one (the last row when it
    // went), with the focus if the table had it: the next undo or edit goes
    // on from there.
    CSpecListCtrl* table = m_controls.table;
    const QModelIndex current = table->currentIndex();
    const bool tableHadFocus = table->hasFocus() || table->isAncestorOf(QApplication::focusWidget());
    m_pointSet.SetPoints(state.points);
    RefreshCurves();
    if (sameRows) {
        table->EndActiveEdit(true);
        m_tableEditor->SyncRows();
    } else {
        RefreshTable();
    }
    if (current.isValid() && table->GetItemCount() > 0) {
        const int row = std::min(current.row(), table->GetItemCount() - 1);
        table->setCurrentIndex(table->model()->index(row, current.column()));
        if (tableHadFocus)
            table->setFocus(Qt::OtherFocusReason);
    }
    m_applyingHistory = false;
}

bool CRAZuvavivezUzoDlg::HandleHistoryKey(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool undo = e->key() == Qt::Key_Z && mods == Qt::ControlModifier;
    const bool redo = (e->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) ||
                      (e->key() == Qt::Key_Y && mods == Qt::ControlModifier);
    if (!undo && !redo)
        return false;
    // In a cell or axis-limit editor the keys are the editor's own.
    if (m_controls.table->GetActiveEditor())
        return false;
    if (QWidget* focus = QApplication::focusWidget(); focus && qobject_cast<CECamCurveWnd*>(focus->parentWidget()))
        return false;
    if (undo)
        UndoCamEdit();
    else
        RedoCamEdit();
    return true;
}
