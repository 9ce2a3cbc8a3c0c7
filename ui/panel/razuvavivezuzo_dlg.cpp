// The cam panel's life cycle, data exchange, field commits and refreshes.
#include "ui/panel/razuvavivezuzo_dlg.h"

#include "grid/grid_column_trait_combo.h"
#include "grid/grid_column_trait_edit.h"
#include "grid/grid_column_trait_text.h"
#include "grid/grid_row_trait_xp.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/message_box.h"
#include "ui/panel/spec_list_ctrl.h"
#include "ui/panel_look.h"
#include "ui/uni_ecam_edit.h"
#include "ui/vela_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

int32_t g_nValidPointCount = 1500;

namespace {

// The data-exchange layer's own words for a field that must hold an unsigned
// integer.
const char* const kParseUintMessage = "请输入一个正整数。";

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

QString FormatFixed(double v, int decimals)
{
    return QString::asprintf(decimals == 3 ? "%.3f" : "%.2f", v);
}

}  // namespace

CRAZuvavivezUzoDlg::CRAZuvavivezUzoDlg()
{
    setObjectName(QStringLiteral("RAZuvavivezUzoDlg"));
    // A child panel, hidden until the host shows it.
    hide();
}

CRAZuvavivezUzoDlg::~CRAZuvavivezUzoDlg()
{
    // A transfer worker reports to this dialog; it must be gone first.
    StopTransfers();
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CRAZuvavivezUzoDlg::Create(QWidget* parent)
{
    // Without a parent there is no window for a child panel to live in.
    if (!parent)
        return false;
    setParent(parent);
    setWindowFlags(Qt::Widget);
    hide();
    BuildTemplate();
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
        ModuleMessageBox(this, QString::fromUtf8(kParseUintMessage), QString(), MB_OK, MB_ICONWARNING);
        if (edit == m_editMasterLength)
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
    m_brushBk = QBrush(QColor(255, 255, 255));

    m_wndPosition = new CECamCurveWnd(this);
    m_wndSpeed = new CECamCurveWnd(this);
    m_wndAccel = new CECamCurveWnd(this);
    m_wndPosition->Create(this, IDC_CURVE_POSITION);
    m_wndSpeed->Create(this, IDC_CURVE_SPEED);
    m_wndAccel->Create(this, IDC_CURVE_ACCEL);
    for (auto* w : {m_wndPosition, m_wndSpeed, m_wndAccel})
        w->setGeometry(QRect());

    LayoutControls();

    const struct {
        CECamCurveWnd* wnd;
        double yMax;
        const char* title;
    } curves[] = {{m_wndPosition, 500.0, "位置"}, {m_wndSpeed, 10.0, "速度"}, {m_wndAccel, 40.0, "加速度"}};
    for (const auto& c : curves) {
        c.wnd->m_pointSet = &m_pointSet;
        c.wnd->m_curveColor = QColor(255, 0, 0);
        c.wnd->m_yMax = c.yMax;
        c.wnd->m_yMin = -c.yMax;
    }
    for (const auto& c : curves)
        c.wnd->SetTitle(QString::fromUtf8(c.title));

    SetMasterLength(m_nMasterLength);
    RefreshCurves();
    SetupTableColumns();
    RefreshTable();

    // Centred on the client area as it is now (the template's size); the
    // transfer commands show and hide it, nothing moves it.
    const QRect client = rect();
    const int cx = (client.left() + client.left() + client.width()) / 2;
    const int cy = (client.top() + client.top() + client.height()) / 2;
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("idc%1").arg(IDC_PROGRESS));
    m_progress->setGeometry(cx - 200, cy - 30, 400, 60);
    m_progress->hide();

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
    m_listPoints->SetRowHeightFactor(1.2);
    m_listPoints->SetRowTrait(new CGridRowTraitXP);
    m_listPoints->AddHiddenLabelColumn();
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    int col = 1;
    m_listPoints->AddTraitColumn(col, QStringLiteral("ID"), left, 40, col, new CGridColumnTraitText);
    ++col;
    m_listPoints->AddTraitColumn(col, QString::fromUtf8("主轴位置"), left, 80, col, new CGridColumnTraitEdit);
    ++col;
    m_listPoints->AddTraitColumn(col, QString::fromUtf8("从轴位置"), left, 110, col, new CGridColumnTraitEdit);
    ++col;
    m_listPoints->AddTraitColumn(col, QString::fromUtf8("标幺速度"), left, 70, col, new CGridColumnTraitEdit);
    ++col;
    auto* type = new CGridColumnTraitCombo;
    type->SetStyle(CGridColumnTraitCombo::ComboStyle::DropDownList);
    type->AddChoice(0, QStringLiteral("Poly"));
    type->AddChoice(1, QStringLiteral("Linear"));
    m_listPoints->AddTraitColumn(col, QString::fromUtf8("类型"), left, 60, col, type);
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
}

void CRAZuvavivezUzoDlg::RefreshTable()
{
    m_listPoints->DeleteAllItems();
    std::vector<ECamPoint> points;
    m_pointSet.GetPoints(points);
    m_listPoints->SetRedraw(false);
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const QString index = QString::asprintf("%d", i);
        const int row = m_listPoints->InsertItem(i, index);
        m_listPoints->SetItemData(row, static_cast<quintptr>(i));
        WriteTableRow(points[static_cast<size_t>(i)], row);
        m_listPoints->SetItemText(row, 1, index);
    }
    m_listPoints->SetRedraw(true);
}

void CRAZuvavivezUzoDlg::WriteTableRow(const ECamPoint& point, int row)
{
    m_listPoints->SetItemText(row, 2, FormatFixed(point.master, 3));
    m_listPoints->SetItemText(row, 3, FormatFixed(point.slave, 3));
    m_listPoints->SetItemText(row, 4, FormatFixed(point.speed, 2));
    m_listPoints->SetItemText(row, 5, point.type == kECamLinear ? QStringLiteral("Linear") : QStringLiteral("Poly"));
}

LRESULT CRAZuvavivezUzoDlg::OnUniEditEnter(WPARAM wParam, LPARAM)
{
    if (wParam == IDC_EDIT_UNIT) {
        const QString unit = m_editUnit->text();
        for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS,
                       IDC_BTN_STD_WRITE})
            GetDlgItem(id)->setEnabled(!unit.isEmpty());
        SetDlgItemText(IDC_LBL_SLAVE_UNIT, unit);
        SetDlgItemText(IDC_LBL_MASTER_UNIT, unit);
        return 0;
    }
    if (wParam != IDC_EDIT_MASTER_LEN)
        return 0;
    // A text that does not parse has been reported; the previous value is
    // checked and applied as if it had been typed.
    DoDataExchange(true);
    if (m_nMasterLength < 10) {
        ModuleMessageBox(this, QString::fromUtf8("主轴长度不能小于10"));
        RefocusMasterLength();
        return -1;
    }
    if (m_nMasterLength > 1000000) {
        ModuleMessageBox(this, QString::fromUtf8("主轴长度不能大于1000000"));
        RefocusMasterLength();
        return -1;
    }
    SetMasterLength(m_nMasterLength);
    RefreshCurves();
    RefreshTable();
    return 0;
}

void CRAZuvavivezUzoDlg::RefocusMasterLength()
{
    if (!m_bCommitOnFocusOut) {
        m_editMasterLength->setFocus();
        return;
    }
    // The commit came from the field losing the focus to a click and that
    // focus change is still under way: take the focus back once it is done.
    QPointer<CUniECamEdit> field = m_editMasterLength;
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
    case WM_CAM_WRITE_PROGRESS:
    case WM_CAM_READ_PROGRESS: m->SetResult(OnCamProgress(w, l)); break;
    case WM_CAM_WRITE_DONE: m->SetResult(OnCamWriteDone(w, l)); break;
    case WM_CAM_SPECIAL_WRITE_DONE: m->SetResult(OnCamSpecialWriteDone(w, l)); break;
    case WM_CAM_READ_DONE: m->SetResult(OnCamReadDone(w, l)); break;
    case WM_TABLE_POINT_CMD: m->SetResult(OnTablePointCmd(w, l)); break;
    default: return QWidget::event(e);
    }
    return true;
}
