#pragma once
// CSpecEdit: a plain one-line edit that tells its parent when editing ends.
// Enter posts WM_EDIT_END to the parent and is consumed (the edit never sees
// it); losing the focus posts WM_EDIT_END as well, so one edit session can
// produce two messages and receivers treat a second one as a no-op.
// Owned by its parent widget; GUI thread only.
#include <QLineEdit>

class CSpecEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CSpecEdit(QWidget* parent = nullptr);
    ~CSpecEdit() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
