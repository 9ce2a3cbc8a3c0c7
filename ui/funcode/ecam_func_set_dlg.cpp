#include "ui/funcode/ecam_func_set_dlg.h"

#include "drive/cam_fun_codes.h"
#include "drive/fun_code_access.h"
#include "ui/lang/fun_code_texts.h"
#include "ui/funcode/my_list_ctrl.h"
#include "host/fun_code_interface.h"
#include "ui/dialog_units.h"
#include "ui/modal_ui.h"
#include "ui/panel_look.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

struct Column {
    const char* heading;
    int width;
    Qt::Alignment align;
};
const Column kColumns[] = {
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "参数编号"), 70, Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "参数名称"), 140, Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "参数值"), 90, Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "出厂值"), 60, Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "单位"), 70, Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "最小值"), 62, Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("CECamFuncSetDlg", "最大值"), 65, Qt::AlignCenter},
};

} // namespace

CECamFuncSetDlg::CECamFuncSetDlg(CFunCodeAccess* access, IModalUi& modalUi, QWidget* parent)
    : QDialog(parent), m_pAccess(access), m_modalUi(modalUi)
{
    BuildTemplate();
    OnInitDialog();
}

CECamFuncSetDlg::~CECamFuncSetDlg() = default;

void CECamFuncSetDlg::BuildTemplate()
{
    setWindowTitle(tr("功能码设置"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    QFont f = font();
    f.setPointSize(9);
    setFont(f);
    setFixedSize(Dlu(0, 0, 377, 185).size());

    m_list = new CMyListCtrl(m_pAccess, m_modalUi, this);
    m_list->setObjectName(QStringLiteral("idc%1").arg(IDC_LIST_FUNCODE));
    m_list->setGeometry(Dlu(15, 15, 348, 136));

    m_checkAll = new QCheckBox(tr("全选"), this);
    m_checkAll->setObjectName(QStringLiteral("idc%1").arg(IDC_CHECK_ALL));
    m_checkAll->setGeometry(Dlu(17, 156, 32, 10));
    connect(m_checkAll, &QCheckBox::clicked, this, &CECamFuncSetDlg::OnBtnSelectAll);

    auto* read = new QPushButton(tr("读取参数"), this);
    read->setObjectName(QStringLiteral("idc%1").arg(IDC_BTN_READ_PARAM));
    read->setGeometry(Dlu(111, 157, 62, 14));
    read->setAutoDefault(false);
    connect(read, &QPushButton::clicked, this, &CECamFuncSetDlg::OnBtnRead);

    auto* write = new QPushButton(tr("写入参数"), this);
    write->setObjectName(QStringLiteral("idc%1").arg(IDC_BTN_WRITE_PARAM));
    write->setGeometry(Dlu(190, 157, 62, 14));
    write->setAutoDefault(false);
    connect(write, &QPushButton::clicked, this, &CECamFuncSetDlg::OnBtnWrite);
    ApplyPanelLook(this);
}

void CECamFuncSetDlg::OnInitDialog()
{
    InitFunCodeArray();
    InitListCtrl();
}

void CECamFuncSetDlg::InitFunCodeArray()
{
    m_rows.clear();
    CFunCodeInterface* catalogue = m_pAccess ? m_pAccess->FunCodeInterface() : nullptr;
    if (!catalogue)
        return;
    for (const wchar_t* number : camfuncodes::kNumbers) {
        if (CFunCode* p = catalogue->GetFunCodePtrByNum(number))
            m_rows.push_back(p);
    }
}

void CECamFuncSetDlg::InitListCtrl()
{
    m_list->setColumnCount(static_cast<int>(std::size(kColumns)));
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        auto* header = new QTableWidgetItem(tr(kColumns[c].heading));
        header->setTextAlignment(kColumns[c].align);
        m_list->setHorizontalHeaderItem(c, header);
        m_list->setColumnWidth(c, kColumns[c].width);
    }
    // The number shares column 0 with the check box; the classic 70 px fit
    // both with the classic font, so the column grows when ours needs more.
    const int numberWidth = m_list->fontMetrics().horizontalAdvance(QStringLiteral("H1B-00")) + 40;
    m_list->setColumnWidth(0, std::max(kColumns[0].width, numberWidth));
    m_list->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        const CFunCode& p = *m_rows[static_cast<std::size_t>(r)];
        const int32_t cur = static_cast<int32_t>(p.m_nCurValue);
        const QString cells[] = {
            QString::fromStdWString(p.m_strNum),
            FunCodeWord(p.m_strName),
            FunCodeValueText(p, cur),
            QString::fromStdWString(p.GetDefaultValue()),
            FunCodeWord(p.m_strUnit),
            QString::number(p.m_nMin),
            QString::number(p.m_nMax),
        };
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            m_list->SetItemText(r, c, cells[c]);
            m_list->item(r, c)->setTextAlignment(kColumns[c].align);
        }
    }
    FitColumnsToText();
    m_list->SetValueColumn(2);
    m_list->SetFunCodeArray(m_rows);
}

// The given widths suit the classic font and short values; limits such as
// -1073741824 and long names or units need more in ours, so a column grows
// to its longest cell or heading (never shrinks), as the item view draws them.
void CECamFuncSetDlg::FitColumnsToText()
{
    QStyle* style = m_list->style();
    // Text margins on both sides, and the grid line the cell gives up.
    const int cellMargin =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1) + (m_list->showGrid() ? 1 : 0);
    const int headerMargin = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, m_list->horizontalHeader());
    // Fractional advances, rounded up: the view elides a text whose exact
    // width exceeds the cell by a fraction of a pixel.
    const QFontMetricsF cellFm(m_list->font());
    const QFontMetricsF headerFm(m_list->horizontalHeader()->font());
    auto width = [](const QFontMetricsF& fm, const QString& text) {
        return static_cast<int>(std::ceil(fm.horizontalAdvance(text)));
    };
    for (int c = 1; c < m_list->columnCount(); ++c) {
        int needed = width(headerFm, m_list->horizontalHeaderItem(c)->text()) + headerMargin;
        for (int r = 0; r < m_list->rowCount(); ++r)
            needed = std::max(needed, width(cellFm, m_list->GetItemText(r, c)) + cellMargin);
        m_list->setColumnWidth(c, std::max(m_list->columnWidth(c), needed));
    }
    // The grown columns no longer fit the template's list, which pushed the
    // limits out of sight behind a scroll bar: list and dialog widen instead.
    int columns = 0;
    for (int c = 0; c < m_list->columnCount(); ++c)
        columns += m_list->columnWidth(c);
    const int chrome = 2 * m_list->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    const int grow = columns + chrome - m_list->width();
    if (grow > 0) {
        m_list->resize(m_list->width() + grow, m_list->height());
        setFixedSize(QWidget::width() + grow, QWidget::height());
    }
}

// Read and Write share this walk: connection first, then every checked row in
// order, stopping at the first row the drive refuses (failed); afterwards one
// message, which one depending on whether any row was checked.
void CECamFuncSetDlg::TransferCheckedRows(const std::function<bool(int row, CFunCode& p)>& step,
                                          const char* failed, const char* none, const char* done)
{
    if (!m_pAccess || !m_pAccess->CheckConnect()) {
        const LinkFailure why = m_pAccess ? m_pAccess->ConnectFailure() : LinkFailure();
        m_modalUi.Box(this, why.Under(tr("串口未连接!")));
        return;
    }
    int counted = 0;
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        if (!m_list->GetCheck(r))
            continue;
        if (!step(r, *m_rows[static_cast<std::size_t>(r)])) {
            m_modalUi.Box(this, tr(failed));
            return;
        }
        ++counted;
    }
    m_modalUi.Box(this, counted == 0 ? tr(none) : tr(done));
}

void CECamFuncSetDlg::OnBtnRead()
{
    TransferCheckedRows(
        [this](int r, CFunCode& p) {
            uint32_t value = 0;
            if (!m_pAccess->ReadFunCodeByNum(p.m_strNum, value))
                return false;
            p.m_nCurValue = value;
            m_list->SetItemText(r, 2, FunCodeValueText(p, static_cast<int32_t>(value)));
            return true;
        },
        QT_TR_NOOP("读取数据失败!"), QT_TR_NOOP("请选择要读取的参数!"), QT_TR_NOOP("读取成功!"));
}

void CECamFuncSetDlg::OnBtnWrite()
{
    // Worded like its reading counterpart.
    TransferCheckedRows(
        [this](int, CFunCode& p) {
            const uint32_t value = p.m_nAmendValue;
            if (!m_pAccess->WriteFunCodeByNum(p.m_strNum, value))
                return false;
            p.m_nCurValue = value;
            return true;
        },
        QT_TR_NOOP("写入数据失败!"), QT_TR_NOOP("请选择要写入的参数!"), QT_TR_NOOP("写入成功!"));
}

void CECamFuncSetDlg::OnBtnSelectAll()
{
    const bool checked = m_checkAll->isChecked();
    for (int r = 0; r < m_list->rowCount(); ++r)
        m_list->SetCheck(r, checked);
}

void CECamFuncSetDlg::keyPressEvent(QKeyEvent* e)
{
    // Neither Enter nor Escape ends this dialog.
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        e->accept();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}
