#include "grid/grid_editor_combo_box.h"

#include "grid/grid_editor_keys.h"
#include "grid/grid_edit_result.h"
#include "grid/grid_editor_combo_box_edit.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

CGridEditorComboBox::CGridEditorComboBox(CGridListCtrlEx* owner, int row, int col,
                                         const QString& initialText, bool editable,
                                         const std::vector<Choice>& choices, int maxItems)
    : QComboBox(owner->viewport()), m_owner(owner), m_row(row), m_col(col)
{
    if (editable) {
        setEditable(true);
        m_edit = new CGridEditorComboBoxEdit(this);
        setLineEdit(m_edit);
        // Enter ends the edit; it must not also add the text to the list.
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
    for (const auto& [value, text] : choices)
        addItem(text, value);
    setMaxVisibleItems(maxItems);
    // A cell text that is none of the choices leaves nothing selected.
    setCurrentIndex(findText(initialText, Qt::MatchExactly));
    if (editable) {
        setEditText(initialText);
        m_edit->selectAll();
    }
    // Connected after the initial state, so only the user's changes count.
    connect(this, &QComboBox::currentIndexChanged, this, [this] { m_modified = true; });
    if (editable)
        connect(this, &QComboBox::editTextChanged, this, [this] { m_modified = true; });
    hide();  // the grid shows it once the parent has agreed to the edit
}

CGridEditorComboBox::~CGridEditorComboBox() = default;

void CGridEditorComboBox::EndEdit(bool accept)
{
    if (m_completed)
        return;
    m_completed = true;
    const bool hadFocus = hasFocus() || (m_edit && m_edit->hasFocus());
    CGridEditResult result;
    result.row = m_row;
    result.col = m_col;
    result.accepted = accept;
    result.changed = m_modified;
    result.text = currentText();
    // The selected choice, provided the shown text is still that choice's.
    int index = currentIndex();
    if (index < 0 || itemText(index) != result.text)
        index = findText(result.text, Qt::MatchExactly);
    result.choiceValue = index >= 0 ? itemData(index).toInt() : -1;
    if (view() && view()->isVisible())
        hidePopup();
    if (hadFocus && m_owner)
        m_owner->setFocus(Qt::OtherFocusReason);
    hide();
    if (m_owner)
        m_owner->OnEditorEnd(this, result, hadFocus);
    deleteLater();
}

void CGridEditorComboBox::OnPartFocusOut(QWidget* newFocus)
{
    if (!OwnsWidget(newFocus))
        EndEdit(true);
}

void CGridEditorComboBox::showPopup()
{
    // Wide enough for the longest choice, tall enough for all choices up to
    // the trait's maximum (maxVisibleItems).
    if (QAbstractItemView* list = view())
        list->setMinimumWidth(qMax(width(), list->sizeHintForColumn(0) + 8));
    QComboBox::showPopup();
}

bool CGridEditorComboBox::event(QEvent* e)
{
    if (GridEditorEvent(e, [this](bool ok) { EndEdit(ok); }))
        return true;
    return QComboBox::event(e);
}

void CGridEditorComboBox::keyPressEvent(QKeyEvent* e)
{
    if (GridEditorEndKey(e, [this](bool ok) { EndEdit(ok); }))
        return;
    if (!e->text().isEmpty() && e->text().at(0).isPrint())
        m_modified = true;
    QComboBox::keyPressEvent(e);
}

void CGridEditorComboBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    // Opening the drop-down list moves the focus into the popup: the edit
    // goes on.
    if (e->reason() == Qt::PopupFocusReason)
        return;
    OnPartFocusOut(QApplication::focusWidget());
}

bool CGridEditorComboBox::OwnsWidget(const QWidget* w) const
{
    if (!w)
        return false;
    if (w == this || isAncestorOf(w))
        return true;
    const QAbstractItemView* list = view();
    return list && (w == list || list->isAncestorOf(w) || list->window()->isAncestorOf(w) ||
                    w == list->window());
}
