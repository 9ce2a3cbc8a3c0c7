// CListOperDlg: the small modal row-range dialog (template 6004) used by the
// hidden range delete/insert buttons of the cam panel.
//
// It asks for a first row number (field 6030, "起始行号：", default "2") and a
// row count (field 6031, "行数：", default "1"). DoModal() returns the id of
// the closing button: 1 for "确定", 2 for "取消". Only OK copies the field
// texts into StartRowText() / RowCountText(). Created on the stack by the
// caller, GUI thread only.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

class CListOperDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    CListOperDlg(const QString& title, QWidget* parent = nullptr);

    // Shows the dialog modally; 1 after OK, 2 after Cancel or close.
    int DoModal();

    // The field texts as they were when OK was pressed.
    const QString& StartRowText() const { return m_strStartRow; }
    const QString& RowCountText() const { return m_strRowCount; }

protected:
    // Puts the title and the default texts in place each time it is shown.
    void OnInitDialog();
    void OnOK();

private:
    void BuildTemplate();
    QLineEdit* m_editStartRow = nullptr;   // control 6030
    QLineEdit* m_editRowCount = nullptr;   // control 6031
    QString m_strTitle;
    QString m_strStartRow;                 // text of 6030 when OK was pressed
    QString m_strRowCount;                 // text of 6031 when OK was pressed
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
