// CGridEditorComboBoxEdit: the edit part of an editable in-place combo box.
//
// Owned by its CGridEditorComboBox (a child widget). Reports typed
// characters and loss of focus to the combo so the combo decides how the edit
// ends. GUI thread only.
#pragma once

#include <QLineEdit>

class CGridEditorComboBox;

class CGridEditorComboBoxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CGridEditorComboBoxEdit(CGridEditorComboBox* combo);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    CGridEditorComboBox* m_combo;
};
