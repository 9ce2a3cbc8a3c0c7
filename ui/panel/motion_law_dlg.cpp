#include "ui/panel/motion_law_dlg.h"

#include "files/read_limits.h"
#include "ui/panel/motion_law_preview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kLawRole = Qt::UserRole;

struct LawName {
    MotionLaw law;
    const char* text;
};

const LawName kLawNames[] = {
    {MotionLaw::Dwell, QT_TRANSLATE_NOOP("CMotionLawDlg", "停歇")},
    {MotionLaw::Harmonic, QT_TRANSLATE_NOOP("CMotionLawDlg", "简谐")},
    {MotionLaw::Cycloidal, QT_TRANSLATE_NOOP("CMotionLawDlg", "摆线")},
    {MotionLaw::ModifiedSine, QT_TRANSLATE_NOOP("CMotionLawDlg", "修正正弦")},
    {MotionLaw::ModifiedTrapezoid, QT_TRANSLATE_NOOP("CMotionLawDlg", "修正梯形")},
    {MotionLaw::Poly345, QT_TRANSLATE_NOOP("CMotionLawDlg", "3-4-5 多项式")},
    {MotionLaw::Poly4567, QT_TRANSLATE_NOOP("CMotionLawDlg", "4-5-6-7 多项式")},
    {MotionLaw::Linear, QT_TRANSLATE_NOOP("CMotionLawDlg", "匀速")},
    {MotionLaw::Poly5, QT_TRANSLATE_NOOP("CMotionLawDlg", "五次过渡")},
};

QString Num(double v)
{
    return QString::number(v, 'g', 10);
}

// The law column edits through a list of the laws.
class LawDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("lawEditor"));
        for (const LawName& n : kLawNames)
            box->addItem(CMotionLawDlg::LawText(n.law), int(n.law));
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* box = static_cast<QComboBox*>(editor);
        box->setCurrentIndex(std::max(0, box->findData(index.data(kLawRole))));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* box = static_cast<QComboBox*>(editor);
        model->setData(index, box->currentData(), kLawRole);
        model->setData(index, box->currentText(), Qt::DisplayRole);
    }
};

} // namespace

QString CMotionLawDlg::LawText(MotionLaw law)
{
    for (const LawName& n : kLawNames)
        if (n.law == law)
            return QCoreApplication::translate("CMotionLawDlg", n.text);
    return QString();
}

CMotionLawDlg::CMotionLawDlg(const std::vector<DesignSegment>& segments, uint32_t masterLength, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("motionLawDlg"));
    setWindowTitle(tr("运动规律"));

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("segmentTable"));
    m_table->setHorizontalHeaderLabels({tr("规律"), tr("终点主轴位置"), tr("终点从轴位置")});
    m_table->setItemDelegateForColumn(0, new LawDelegate(m_table));
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setTabKeyNavigation(false);  // Tab leaves the table, as in every other field
    auto* tableLabel = new QLabel(tr("运动段(&S):"), this);
    tableLabel->setBuddy(m_table);

    auto* add = new QPushButton(tr("添加段(&A)"), this);
    add->setObjectName(QStringLiteral("addSegment"));
    add->setAutoDefault(false);
    auto* remove = new QPushButton(tr("删除段(&D)"), this);
    remove->setObjectName(QStringLiteral("removeSegment"));
    remove->setAutoDefault(false);

    m_tolerance = new QLineEdit(Num(kDesignDefaultTolerance), this);
    m_tolerance->setObjectName(QStringLiteral("tolerance"));
    auto* toleranceLabel = new QLabel(tr("位置容差(&T):"), this);
    toleranceLabel->setBuddy(m_tolerance);
    m_maxPoints = new QSpinBox(this);
    m_maxPoints->setObjectName(QStringLiteral("maxPoints"));
    m_maxPoints->setRange(2, int(ecam::kMaxFilePoints));
    m_maxPoints->setValue(kDesignDefaultMaxPoints);
    auto* maxLabel = new QLabel(tr("关键点上限(&N):"), this);
    maxLabel->setBuddy(m_maxPoints);

    m_report = new QTableWidget(0, 6, this);
    m_report->setObjectName(QStringLiteral("report"));
    m_report->setHorizontalHeaderLabels(
        {tr("段"), tr("规律"), tr("关键点"), tr("最大位置偏差"), tr("最大速度偏差"), tr("峰值速度")});
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_report->verticalHeader()->hide();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    // Room for a refusal of three lines, so the layout never clips one.
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 3 + 4);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_preview = new CMotionLawPreview(this);
    m_preview->setObjectName(QStringLiteral("preview"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));

    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch(1);
    // The labels keep their whole text; the fields give way.
    for (QLabel* l : {toleranceLabel, maxLabel})
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* fields = new QHBoxLayout;
    fields->addWidget(toleranceLabel);
    fields->addWidget(m_tolerance);
    fields->addWidget(maxLabel);
    fields->addWidget(m_maxPoints);
    auto* left = new QVBoxLayout;
    left->addWidget(tableLabel);
    left->addWidget(m_table, 2);
    left->addLayout(rowButtons);
    left->addLayout(fields);
    left->addWidget(m_report, 1);
    left->addWidget(m_status);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_preview, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addWidget(buttons);
    resize(980, 620);

    connect(add, &QPushButton::clicked, this, &CMotionLawDlg::AddSegment);
    connect(remove, &QPushButton::clicked, this, &CMotionLawDlg::RemoveSegment);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemChanged, this, [this] { Refit(); });
    connect(m_tolerance, &QLineEdit::textChanged, this, [this] { Refit(); });
    connect(m_maxPoints, &QSpinBox::valueChanged, this, [this] { Refit(); });

    FillTable(segments.empty() ? RiseDwellReturnDwell(masterLength >= kDesignMinMasterLength ? masterLength : 1000.0)
                               : segments);
    m_table->setCurrentCell(0, 0);
    m_table->setFocus();
}

CMotionLawDlg::~CMotionLawDlg() = default;

uint32_t CMotionLawDlg::MasterLength() const
{
    return m_segments.empty() ? 0 : uint32_t(m_segments.back().endMaster);
}

QString CMotionLawDlg::StatusText() const
{
    return m_status->text();
}

void CMotionLawDlg::SetRow(int row, const DesignSegment& s)
{
    auto* law = new QTableWidgetItem(LawText(s.law));
    law->setData(kLawRole, int(s.law));
    m_table->setItem(row, 0, law);
    m_table->setItem(row, 1, new QTableWidgetItem(Num(s.endMaster)));
    m_table->setItem(row, 2, new QTableWidgetItem(Num(s.endSlave)));
}

void CMotionLawDlg::FillTable(const std::vector<DesignSegment>& segments)
{
    m_filling = true;
    m_table->setRowCount(int(segments.size()));
    for (size_t i = 0; i < segments.size(); ++i)
        SetRow(int(i), segments[i]);
    m_filling = false;
    Refit();
}

void CMotionLawDlg::AddSegment()
{
    // A dwell after the current segment, halfway to the next one's end (or
    // 100 further at the end), so masters keep increasing.
    const int row = std::max(0, m_table->currentRow());
    const double end = m_table->rowCount() ? m_table->item(row, 1)->text().toDouble() : 0.0;
    const double slave = m_table->rowCount() ? m_table->item(row, 2)->text().toDouble() : 0.0;
    const bool last = row + 1 >= m_table->rowCount();
    const double next = last ? end + 100.0 : m_table->item(row + 1, 1)->text().toDouble();
    m_filling = true;
    const int at = m_table->rowCount() ? row + 1 : 0;
    m_table->insertRow(at);
    SetRow(at, {MotionLaw::Dwell, last ? next : std::round((end + next) / 2), slave});
    m_filling = false;
    m_table->setCurrentCell(at, 0);
    Refit();
}

void CMotionLawDlg::RemoveSegment()
{
    const int row = m_table->currentRow();
    if (row < 0 || m_table->rowCount() <= 1)
        return;
    m_table->removeRow(row);
    m_table->setCurrentCell(std::min(row, m_table->rowCount() - 1), 0);
    Refit();
}

bool CMotionLawDlg::ReadTable(QString& why)
{
    m_segments.clear();
    for (int r = 0; r < m_table->rowCount(); ++r) {
        DesignSegment s;
        s.law = MotionLaw(m_table->item(r, 0)->data(kLawRole).toInt());
        bool okMaster = false, okSlave = false;
        s.endMaster = m_table->item(r, 1)->text().trimmed().toDouble(&okMaster);
        s.endSlave = m_table->item(r, 2)->text().trimmed().toDouble(&okSlave);
        if (!okMaster || !okSlave) {
            why = (okMaster ? tr("第%1段的终点从轴位置不是数字。") : tr("第%1段的终点主轴位置不是数字。")).arg(r + 1);
            return false;
        }
        m_segments.push_back(s);
    }
    return true;
}

QString CMotionLawDlg::ErrorText(const DesignError& e) const
{
    switch (e.kind) {
    case DesignErrorKind::NoSegments:
        return tr("没有运动段。");
    case DesignErrorKind::BadTolerance:
        return tr("位置容差须为正数。");
    case DesignErrorKind::ToleranceTooFine:
        return tr("位置容差 %1 比凸轮文件保存的精度 0.000001 还细。").arg(m_tolerance->text().trimmed());
    case DesignErrorKind::MastersNotIncreasing:
        return tr("第%1段的终点主轴位置 %2 不大于其起点 %3。")
            .arg(e.segment + 1)
            .arg(Num(m_segments[size_t(e.segment)].endMaster), Num(e.master));
    case DesignErrorKind::MovingDwell:
        return tr("第%1段为停歇, 从轴却从 %2 移到 %3。").arg(e.segment + 1).arg(Num(e.before), Num(e.after));
    case DesignErrorKind::SpeedJump:
        return tr("主轴位置 %1 处 (第%2段与第%3段之间) 速度从 %4 跳变为 %5。")
            .arg(Num(e.master))
            .arg(e.segment + 1)
            .arg(e.segment + 2)
            .arg(Num(e.before), Num(e.after));
    case DesignErrorKind::BadMasterLength:
        return tr("最后一段的终点主轴位置 %1 即主轴长度, 须为 10 到 1000000 之间的整数。")
            .arg(Num(m_segments.back().endMaster));
    case DesignErrorKind::ToleranceUnreachable:
        if (e.bestTolerance > 0)
            return tr("位置容差 %1 需要超过 %2 个关键点; %2 个关键点能达到的最小容差为 %3。")
                .arg(m_tolerance->text().trimmed())
                .arg(m_maxPoints->value())
                .arg(Num(e.bestTolerance));
        if (int(m_segments.size()) + 1 > m_maxPoints->value())
            return tr("%1 个运动段至少需要 %2 个关键点, 超过上限 %3。")
                .arg(m_segments.size())
                .arg(m_segments.size() + 1)
                .arg(m_maxPoints->value());
        return tr("位置容差 %1 在 %2 个关键点内无法达到。").arg(m_tolerance->text().trimmed()).arg(m_maxPoints->value());
    default:
        return QString::fromStdString(e.text);
    }
}

void CMotionLawDlg::Refit()
{
    if (m_filling)
        return;
    m_hasDesign = false;
    QString why;
    bool okTolerance = false;
    const double tolerance = m_tolerance->text().trimmed().toDouble(&okTolerance);
    DesignError error;
    if (!ReadTable(why)) {
        // why says it
    } else if (!okTolerance) {
        why = tr("位置容差须为正数。");
    } else if (DesignCam(m_segments, {tolerance, m_maxPoints->value()}, m_design, error)) {
        m_hasDesign = true;
    } else {
        why = ErrorText(error);
    }
    m_ok->setEnabled(m_hasDesign);
    if (!m_hasDesign) {
        m_status->setText(why);
        m_report->setRowCount(0);
        m_preview->SetDesign({}, {});
        return;
    }
    ShowReport();
}

void CMotionLawDlg::ShowReport()
{
    double worst = 0.0;
    m_report->setRowCount(int(m_segments.size()));
    for (size_t i = 0; i < m_segments.size(); ++i) {
        const SegmentReport& r = m_design.segments[i];
        worst = std::max(worst, r.maxPositionDeviation);
        const QString cells[] = {QString::number(i + 1),
                                 LawText(m_segments[i].law),
                                 QString::number(r.keyPoints),
                                 QString::asprintf("%.6f", r.maxPositionDeviation),
                                 QString::asprintf("%.6f", r.maxSpeedDeviation),
                                 QString::asprintf("%.6f", r.peakSpeed)};
        for (int c = 0; c < 6; ++c)
            m_report->setItem(int(i), c, new QTableWidgetItem(cells[c]));
    }
    m_status->setText(tr("共 %1 个关键点, 位置偏差最大 %2。")
                          .arg(m_design.points.size())
                          .arg(QString::asprintf("%.6f", worst)));
    std::vector<DesignSample> samples;
    SampleDesign(m_segments, m_design, 16, samples);
    std::vector<double> keys;
    for (const ECamPoint& p : m_design.points)
        keys.push_back(p.master);
    m_preview->SetDesign(std::move(samples), std::move(keys));
}
