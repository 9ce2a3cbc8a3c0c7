#include "grid/grid_list_ctrl_ex.h"

#include "grid/grid_column_trait.h"
#include "grid/grid_edit_result.h"
#include "grid/grid_editor.h"
#include "grid/grid_item_delegate.h"
#include "grid/grid_model.h"
#include "grid/grid_row_trait_text.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace {
// Space a row needs beyond its font: the text margins and the grid line.
constexpr int kRowPadding = 4;
}  // namespace

CGridListCtrlEx::CGridListCtrlEx(QWidget* parent)
    : QTableView(parent),
      m_model(new CGridModel(this)),
      m_rowTrait(std::make_unique<CGridRowTraitText>()),
      m_emptyText(QStringLiteral("There are no items to show in this view."))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Only the column traits open editors; the table's own editing is off.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    // Tab leaves the grid, as in any list; inside an editor it accepts.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);  // the user may reorder columns
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(horizontalHeader(), horizontalHeader()->mapToGlobal(pos)); });
    // A moved or resized column would leave an open editor over the wrong
    // place: accept it first.
    connect(header, &QHeaderView::sectionResized, this, [this] { EndActiveEdit(true); });
    connect(header, &QHeaderView::sectionMoved, this, [this] { EndActiveEdit(true); });
    setItemDelegate(new CGridItemDelegate(this));

    // The selection stays visible while another control has the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);

    m_cellFont = font();
    ApplyRowHeight();
}

CGridListCtrlEx::~CGridListCtrlEx()
{
    // An editor still open dies with the grid, silently: the parent is
    // going away too.
    m_destroying = true;
    if (QWidget* editor = m_activeEditor.data()) {
        m_activeEditor = nullptr;
        m_activeEnd = nullptr;
        delete editor;
    }
}

// ---- columns -----------------------------------------------------------

int CGridListCtrlEx::AddHiddenLabelColumn()
{
    auto* trait = new CGridColumnTrait;
    trait->SetAlwaysHidden(true);
    trait->SetEditable(false);
    return AddTraitColumn(0, QString(), Qt::AlignLeft, 0, 0, trait);
}

int CGridListCtrlEx::AddTraitColumn(int position, const QString& heading, Qt::Alignment format,
                                    int width, int /*subItem*/, CGridColumnTrait* trait)
{
    std::unique_ptr<CGridColumnTrait> owned(trait);
    if (!trait || position < 0)
        return -1;
    EndActiveEdit(true);
    position = std::min(position, GetColumnCount());
    m_model->InsertColumn(position, heading, format);
    m_fit.InsertColumn(position);
    m_columnTraits.insert(m_columnTraits.begin() + position, std::move(owned));
    setColumnWidth(position, std::max(width, 0));
    setColumnHidden(position, trait->IsAlwaysHidden());
    return position;
}

CGridColumnTrait* CGridListCtrlEx::GetColumnTrait(int col) const
{
    if (col < 0 || col >= static_cast<int>(m_columnTraits.size()))
        return nullptr;
    return m_columnTraits[static_cast<size_t>(col)].get();
}

int CGridListCtrlEx::GetColumnCount() const
{
    return m_model->columnCount();
}

void CGridListCtrlEx::SetColumnFormat(int col, CGridColumnFormat format)
{
    m_model->SetColumnFormat(col, std::move(format));
    m_fit.Clear();
    if (m_redraw)
        FitColumn(col);
}

// The cell as drawn: a text margin on each side and the grid line.
int CGridListCtrlEx::CellMargins() const
{
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
}

void CGridListCtrlEx::FitColumn(int col)
{
    if (isColumnHidden(col))
        return;
    const int text = m_fit.WidestText(*m_model, col, QFontMetrics(m_cellFont));
    if (text > 0 && text + CellMargins() > columnWidth(col))
        setColumnWidth(col, text + CellMargins());
}

void CGridListCtrlEx::FitCell(int row, int col)
{
    if (!m_redraw || isColumnHidden(col))
        return;  // the whole column is fitted when drawing resumes
    const int text = m_fit.CellText(*m_model, row, col, QFontMetrics(m_cellFont));
    if (text > 0 && text + CellMargins() > columnWidth(col))
        setColumnWidth(col, text + CellMargins());
}

// ---- rows --------------------------------------------------------------

int CGridListCtrlEx::GetItemCount() const
{
    return m_model->rowCount();
}

void CGridListCtrlEx::SetItemCount(int count)
{
    m_model->ResetRows(count);
}

int CGridListCtrlEx::InsertItem(int row, const QString& label)
{
    row = std::clamp(row, 0, GetItemCount());
    m_model->InsertRow(row);
    SetItemText(row, 0, label);
    return row;
}

bool CGridListCtrlEx::DeleteItem(int row)
{
    return m_model->RemoveRow(row);
}

void CGridListCtrlEx::DeleteAllItems()
{
    m_model->ResetRows(0);
}

bool CGridListCtrlEx::SetItemText(int row, int col, const QString& text)
{
    if (!m_model->SetText(row, col, text))
        return false;
    FitCell(row, col);
    return true;
}

QString CGridListCtrlEx::GetItemText(int row, int col) const
{
    return m_model->Text(row, col);
}

bool CGridListCtrlEx::SetItemValue(int row, int col, const QVariant& value)
{
    if (!m_model->SetValue(row, col, value))
        return false;
    FitCell(row, col);
    return true;
}

QVariant CGridListCtrlEx::GetItemValue(int row, int col) const
{
    return m_model->Value(row, col);
}

bool CGridListCtrlEx::SetItemData(int row, quintptr data)
{
    return m_model->SetRowData(row, data);
}

quintptr CGridListCtrlEx::GetItemData(int row) const
{
    return m_model->RowData(row);
}

void CGridListCtrlEx::SetRedraw(bool redraw)
{
    if (redraw == m_redraw)
        return;
    m_redraw = redraw;
    setUpdatesEnabled(redraw);
    m_model->SetQuiet(!redraw);
    if (!redraw)
        return;
    for (int col = 0; col < GetColumnCount(); ++col)
        FitColumn(col);
    viewport()->update();
}

// ---- selection and focus cell --------------------------------------------

QList<int> CGridListCtrlEx::GetSelectedRows() const
{
    QSet<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.insert(index.row());
    QList<int> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

int CGridListCtrlEx::GetFirstSelectedRow() const
{
    const QList<int> rows = GetSelectedRows();
    return rows.isEmpty() ? -1 : rows.front();
}

int CGridListCtrlEx::GetFocusRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int CGridListCtrlEx::GetFocusColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void CGridListCtrlEx::SetFocusCell(int row, int col)
{
    // Moving the focus cell leaves the selection alone, as a click with
    // Ctrl would.
    selectionModel()->setCurrentIndex(model()->index(row, col), QItemSelectionModel::NoUpdate);
}

QPoint CGridListCtrlEx::FocusCellScreenPos() const
{
    QModelIndex index = currentIndex();
    if (!index.isValid()) {
        const int row = GetFirstSelectedRow();
        if (row < 0)
            return QPoint(-1, -1);
        const int col = horizontalHeader()->logicalIndexAt(0);
        index = model()->index(row, std::max(col, 0));
    }
    return viewport()->mapToGlobal(visualRect(index).center());
}

// ---- look ----------------------------------------------------------------

void CGridListCtrlEx::SetRowHeightFactor(double factor)
{
    if (!(factor > 0.0))
        return;  // a zero or negative height makes no rows at all
    m_rowHeightFactor = factor;
    ApplyRowHeight();
}

void CGridListCtrlEx::ApplyRowHeight()
{
    const int fontHeight = QFontMetrics(m_cellFont).height();
    const int rowHeight = static_cast<int>(fontHeight * m_rowHeightFactor) + kRowPadding;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int row = 0; row < GetItemCount(); ++row)
        setRowHeight(row, rowHeight);
}

void CGridListCtrlEx::SetRowTrait(CGridRowTrait* trait)
{
    if (!trait)
        return;
    m_rowTrait.reset(trait);
    viewport()->update();
}

// ---- editing -------------------------------------------------------------

QWidget* CGridListCtrlEx::EditCell(int row, int col)
{
    if (m_activeEditor)
        EndActiveEdit(true);
    // The parent may have rebuilt the rows while the old edit ended.
    if (!m_model->Contains(row, col))
        return nullptr;
    CGridColumnTrait* trait = GetColumnTrait(col);
    if (!trait || !trait->IsEditable())
        return nullptr;
    const QModelIndex index = model()->index(row, col);
    scrollTo(index);
    QWidget* editor = trait->CreateEditor(*this, row, col, visualRect(index));
    if (!editor)
        return nullptr;
    auto* end = dynamic_cast<CGridEditor*>(editor);
    if (!end) {
        // Such an editor could never be ended; refuse it before anyone
        // hears of an edit.
        delete editor;
        return nullptr;
    }
    m_activeEditor = editor;
    m_activeEnd = end;
    int result = 0;
    emit BeginLabelEdit(row, col, &result);
    if (result == 1 || m_activeEditor.data() != editor) {
        // Refused: the edit completes as cancelled.
        if (m_activeEditor.data() == editor)
            end->EndEdit(false);
        return nullptr;
    }
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    return editor;
}

void CGridListCtrlEx::EndActiveEdit(bool accept)
{
    if (m_activeEditor)
        m_activeEnd->EndEdit(accept);
}

void CGridListCtrlEx::OnEditorEnd(QWidget* editor, const CGridEditResult& result, bool editorHadFocus)
{
    if (m_destroying || editor != m_activeEditor.data())
        return;
    const int row = result.row;
    const int col = result.col;
    // The cell shows the new text before the parent hears of it, so the
    // parent reads the row as the user left it.
    if (m_model->Contains(row, col)) {
        CGridColumnTrait* trait = GetColumnTrait(col);
        if (trait && trait->AcceptEditResult(*this, result) && result.HasText())
            SetItemText(row, col, result.text);
    }
    if (editorHadFocus && !hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_activeEditor = nullptr;
    m_activeEnd = nullptr;
    const QString text = result.text;
    emit EndLabelEdit(row, col, result.HasText() ? &text : nullptr, result.choiceValue);
}

bool CGridListCtrlEx::edit(const QModelIndex&, EditTrigger, QEvent*)
{
    // The table's own item editing (F2, any key, double click) is refused;
    // only the column traits edit, and the parent always hears of it.
    return false;
}

// ---- mouse and keyboard ------------------------------------------------------

void CGridListCtrlEx::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(e);
        return;
    }
    // The second press of a double click reaches widgets only as the double
    // click itself; the view may pass that on as a press (m_inDoubleClick).
    const bool doubleClick = m_inDoubleClick;
    const QPoint pos = e->position().toPoint();
    if (!indexAt(pos).isValid()) {
        QTableView::mousePressEvent(e);
        return;
    }
    // Taking the focus ends an open editor (it loses the focus) before the
    // click is judged.
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        QTableView::mousePressEvent(e);
        return;
    }
    const int row = index.row();
    const int col = index.column();
    const CGridColumnTrait* trait = GetColumnTrait(col);
    const bool startEdit = trait && trait->StartsEditOnClick(*this, row, col, e->modifiers(), doubleClick);
    // The default handling moves the focus cell here and selects the row.
    QTableView::mousePressEvent(e);
    if (startEdit)
        EditCell(row, col);
}

void CGridListCtrlEx::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The view turns a double click on a cell other than the pressed one
    // into a press; that press must not edit either.
    m_inDoubleClick = true;
    QTableView::mouseDoubleClickEvent(e);
    m_inDoubleClick = false;
}

void CGridListCtrlEx::keyPressEvent(QKeyEvent* e)
{
    // F2 and Enter are the keyboard's second click on the focus cell.
    const int key = e->key();
    const bool editKey = key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (editKey && !m_activeEditor && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const int row = GetFocusRow();
        const int col = GetFocusColumn();
        const CGridColumnTrait* trait = GetColumnTrait(col);
        // A column without an editor (text, hidden) lets the key pass on.
        if (row >= 0 && trait && trait->IsEditable() && !trait->IsAlwaysHidden() && EditCell(row, col)) {
            e->accept();
            return;
        }
    }
    QTableView::keyPressEvent(e);
}

void CGridListCtrlEx::contextMenuEvent(QContextMenuEvent* e)
{
    if (e->reason() == QContextMenuEvent::Keyboard)
        ShowContextMenu(this, QPoint(-1, -1));
    else
        ShowContextMenu(this, e->globalPos());
    e->accept();
}

void CGridListCtrlEx::ShowContextMenu(QWidget* window, const QPoint& point)
{
    if (point == QPoint(-1, -1)) {
        OnContextMenuKeyboard(window);
        return;
    }
    if (window == horizontalHeader()) {
        const int col = horizontalHeader()->logicalIndexAt(horizontalHeader()->mapFromGlobal(point));
        OnContextMenuHeader(window, point, col);
        return;
    }
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(point));
    if (index.isValid())
        OnContextMenuCell(window, point, index.row(), index.column());
    else
        OnContextMenuGrid(window, point);
}

void CGridListCtrlEx::OnContextMenuKeyboard(QWidget*) {}
void CGridListCtrlEx::OnContextMenuHeader(QWidget*, const QPoint&, int) {}
void CGridListCtrlEx::OnContextMenuCell(QWidget*, const QPoint&, int, int) {}
void CGridListCtrlEx::OnContextMenuGrid(QWidget*, const QPoint&) {}

// ---- painting and housekeeping ---------------------------------------------

void CGridListCtrlEx::paintEvent(QPaintEvent* e)
{
    QTableView::paintEvent(e);
    if (GetItemCount() != 0 || m_emptyText.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QRect area = viewport()->rect().adjusted(4, 8, -4, 0);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_emptyText);
}

void CGridListCtrlEx::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        m_cellFont = font();
        m_fit.Clear();
        ApplyRowHeight();
        for (int col = 0; col < GetColumnCount(); ++col)
            FitColumn(col);
    }
}

void CGridListCtrlEx::scrollContentsBy(int dx, int dy)
{
    // The editor does not scroll with the rows: accept it first.
    EndActiveEdit(true);
    QTableView::scrollContentsBy(dx, dy);
}
