#pragma once
// CECamFuncSetDlg: the modal "功能码设置" dialog (template 6003). Lists the
// fixed cam parameters of the selected device's catalogue, lets the user edit
// values in place (CMyListCtrl) and reads or writes the ticked rows through
// the main dialog's CFunCodeAccess, one attempt per parameter, on the GUI
// thread. Enter and Escape do not close it; only the caption's close box does.
//
// Borrows the access object and the catalogue's CFunCode objects; exists only
// for one modal run (OnFunCodeSet). GUI thread only.
#include "host/fun_code.h"

#include <QDialog>
#include <functional>
#include <vector>

class CFunCodeAccess;
class IModalUi;
class CMyListCtrl;
class QCheckBox;
class QPushButton;

class CECamFuncSetDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 6003;
    enum ControlId : int {
        IDC_BTN_READ_PARAM = 6019,
        IDC_BTN_WRITE_PARAM = 6020,
        IDC_CHECK_ALL = 6022,
        IDC_LIST_FUNCODE = 6023,
    };

    // Builds the template and runs OnInitDialog (rows from the catalogue).
    // Its message boxes go through modalUi.
    CECamFuncSetDlg(CFunCodeAccess* access, IModalUi& modalUi, QWidget* parent = nullptr);
    ~CECamFuncSetDlg() override;

    void OnBtnRead();
    void OnBtnWrite();
    void OnBtnSelectAll();

    CMyListCtrl* List() const { return m_list; }
    QCheckBox* SelectAllBox() const { return m_checkAll; }
    const std::vector<CFunCode*>& Rows() const { return m_rows; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void TransferCheckedRows(const std::function<bool(int row, CFunCode& p)>& step, const char* failed,
                             const char* none, const char* done);
    void BuildTemplate();
    void OnInitDialog();
    void InitFunCodeArray();
    void InitListCtrl();
    void FitColumnsToText();

    CMyListCtrl* m_list = nullptr;
    QCheckBox* m_checkAll = nullptr;
    std::vector<CFunCode*> m_rows;
    CFunCodeAccess* m_pAccess;
    IModalUi& m_modalUi;
};
