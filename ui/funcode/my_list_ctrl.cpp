#include "ui/funcode/my_list_ctrl.h"

#include "drive/fun_code_access.h"
#include "ui/lang/fun_code_texts.h"
#include "ui/funcode/my_combo_box.h"
#include "host/fun_code_interface.h"
#include "ui/modal_ui.h"
#include "ui/module_message.h"
#include "ui/spec_edit.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>

CMyListCtrl::CMyListCtrl(CFunCodeAccess* access, IModalUi& modalUi, QWidget* parent)
    : QTableWidget(parent), m_pAccess(access), m_modalUi(modalUi)
{
    if (access && access->FunCodeInterface()) {
        CFunCodeInterface* catalogue = access->FunCodeInterface();
        for (unsigned i = 0; i < catalogue->GetFunCodeCount(); ++i)
            m_funCodes.push_back(catalogue->GetFunCodePtrByIndex(i));
    }
    // Cells are edited only through the editors opened on a double-click.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
}

CMyListCtrl::~CMyListCtrl() = default;

QString CMyListCtrl::GetItemText(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void CMyListCtrl::SetItemText(int row, int col, const QString& text)
{
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | (col == 0 ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
        if (col == 0)
            it->setCheckState(Qt::Unchecked);
        setItem(row, col, it);
    }
    it->setText(text);
}

bool CMyListCtrl::GetCheck(int row) const
{
    const QTableWidgetItem* it = item(row, 0);
    return it && it->checkState() == Qt::Checked;
}

void CMyListCtrl::SetCheck(int row, bool checked)
{
    if (!item(row, 0))
        SetItemText(row, 0, QString());
    item(row, 0)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CMyListCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QModelIndex index = indexAt(e->position().toPoint());
    if (!index.isValid()) {
        // A click on no cell only forgets the last cell; the default
        // double-click handling is skipped.
        OnCellDoubleClick(-1, -1);
        return;
    }
    OnCellDoubleClick(index.row(), index.column());
    QTableWidget::mouseDoubleClickEvent(e);
}

void CMyListCtrl::OnCellDoubleClick(int row, int col)
{
    m_nEditRow = row;
    m_nEditCol = col;
    if (row < 0 || col < 0)
        return;
    m_strPrevText = GetItemText(row, col);
    // Cell bounds in the list's own coordinates (the editors are children of
    // the list, above its viewport).
    m_rcCell = visualRect(model()->index(row, col)).translated(viewport()->geometry().topLeft());
    const std::wstring number = GetItemText(row, m_nValueCol - 2).toStdWString();
    m_pCurFunCode = nullptr;
    for (CFunCode* p : m_funCodes) {
        if (p && p->m_strNum == number)
            m_pCurFunCode = p;   // the last one with that number
    }
    if (!m_pCurFunCode)
        return;
    if (m_pCurFunCode->m_nKind == 0)
        OpenEdit(row, col);
    else if (m_pCurFunCode->m_nKind == 1)
        OpenCombo(row, col);
}

void CMyListCtrl::OpenEdit(int, int col)
{
    if (col != m_nValueCol)
        return;
    if (!m_edit) {
        m_edit = new CSpecEdit(this);
        m_edit->setObjectName(QStringLiteral("idc%1").arg(IDC_CELL_EDIT));
        m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_edit->hide();
    }
    m_edit->setGeometry(m_rcCell);
    m_edit->show();
    m_edit->raise();
    m_edit->setText(m_strPrevText);
    m_edit->selectAll();
    m_edit->setFocus(Qt::OtherFocusReason);
}

void CMyListCtrl::OpenCombo(int, int col)
{
    if (col != m_nValueCol)
        return;
    if (!m_combo) {
        m_combo = new CMyComboBox(this);
        m_combo->setObjectName(QStringLiteral("idc%1").arg(IDC_CELL_COMBO));
        m_combo->setMaxVisibleItems(8);
    }
    {
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        for (const FunCodeOption& o : m_pCurFunCode->m_options)
            m_combo->addItem(FunCodeOptionText(o));
        m_combo->setCurrentIndex(m_combo->findText(m_strPrevText));
    }
    // The classic combo is 150 high including its list; here the list drops
    // down by itself, so the box keeps its natural height, 5 px above the cell.
    m_combo->setGeometry(m_rcCell.left(), m_rcCell.top() - 5, m_rcCell.width(), m_combo->sizeHint().height());
    m_combo->show();
    m_combo->raise();
    m_combo->setFocus(Qt::OtherFocusReason);
    QMetaObject::invokeMethod(m_combo, &QComboBox::showPopup, Qt::QueuedConnection);
}

void CMyListCtrl::CloseEditor(QWidget* editor)
{
    editor->hide();
    editor->setGeometry(QRect());
    viewport()->update();
}

void CMyListCtrl::OnEditEnd()
{
    if (!m_edit || !m_edit->isVisible())
        return;
    const QString text = m_edit->text();
    // Hidden before any message box: the box takes the focus, and the edit's
    // focus-out report must then find the edit closed, not open a second box.
    CloseEditor(m_edit);
    if (m_pCurFunCode && m_nEditRow >= 0) {
        int32_t value = 0;
        const QString problem =
            FunCodeInputProblem(text.toStdWString(), m_pCurFunCode->m_nMin, m_pCurFunCode->m_nMax, &value);
        if (!problem.isEmpty()) {
            m_modalUi.Box(this, problem, tr("输入错误"), MB_OK, MB_ICONERROR);
            SetItemText(m_nEditRow, m_nEditCol, m_strPrevText);
        } else if (text != m_strPrevText) {
            SetItemText(m_nEditRow, m_nEditCol, text);
            m_pCurFunCode->SetAmendValue(static_cast<uint32_t>(value));
            SetCheck(m_nEditRow, true);
        }
    }
}

void CMyListCtrl::OnComboEnd(int wParam)
{
    if (!m_combo)
        return;
    if (wParam == 1 && m_pCurFunCode && m_nEditRow >= 0) {
        const QString text = m_combo->currentText();
        if (text != m_strPrevText) {
            for (const FunCodeOption& o : m_pCurFunCode->m_options) {
                if (FunCodeOptionText(o) == text) {
                    m_pCurFunCode->SetAmendValue(static_cast<uint32_t>(o.value));
                    break;
                }
            }
            SetItemText(m_nEditRow, m_nEditCol, text);
            SetCheck(m_nEditRow, true);
        }
    }
    m_combo->hidePopup();
    CloseEditor(m_combo);
}

bool CMyListCtrl::event(QEvent* e)
{
    if (CModuleMessageEvent* m = CModuleMessageEvent::From(e)) {
        if (m->Message() == WM_EDIT_END) {
            OnEditEnd();
            m->SetResult(0);
            return true;
        }
        if (m->Message() == WM_COMBO_END) {
            OnComboEnd(static_cast<int>(m->WParam()));
            m->SetResult(0);
            return true;
        }
    }
    return QTableWidget::event(e);
}

void CMyListCtrl::scrollContentsBy(int dx, int dy)
{
    viewport()->update();
    QTableWidget::scrollContentsBy(dx, dy);
}
