#pragma once
// CMyComboBox: the drop-down list that CMyListCtrl opens over an option
// parameter's value cell. It only reports: a user selection posts
// WM_COMBO_END with wParam 1 to its parent, losing the focus (other than to
// its own drop-down list) posts WM_COMBO_END with wParam 0.
// Owned by its parent list; GUI thread only.
#include <QComboBox>

class CMyComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CMyComboBox(QWidget* parent = nullptr);
    ~CMyComboBox() override;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
