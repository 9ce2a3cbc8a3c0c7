#pragma once
// CMyListCtrl: the parameter list of the function-code settings dialog. One
// row per parameter with a check box in front, grid lines and whole-row
// selection. A double-click on a value cell opens an in-place editor: a
// CSpecEdit (id 25001) for plain numbers, a CMyComboBox (id 25002) for option
// parameters. A finished edit changes only the parameter's amended value,
// the cell text and the row's check box; the dialog writes ticked rows.
//
// The CFunCode objects belong to the catalogue; the list holds borrowed
// pointers (the same objects as the dialog's rows). The editors are created
// on first use and live as long as the list. GUI thread only.
#include "host/fun_code.h"

#include <QRect>
#include <QString>
#include <QTableWidget>
#include <vector>

class CFunCodeAccess;
class IModalUi;
class CSpecEdit;
class CMyComboBox;

class CMyListCtrl : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int IDC_CELL_EDIT = 25001;
    static constexpr int IDC_CELL_COMBO = 25002;

    // Starts with every parameter of the access object's catalogue.
    // A refused value is reported through modalUi.
    CMyListCtrl(CFunCodeAccess* access, IModalUi& modalUi, QWidget* parent = nullptr);
    ~CMyListCtrl() override;

    void SetFunCodeArray(const std::vector<CFunCode*>& codes) { m_funCodes = codes; }
    const std::vector<CFunCode*>& FunCodeArray() const { return m_funCodes; }
    void SetValueColumn(int col) { m_nValueCol = col; }
    int ValueColumn() const { return m_nValueCol; }

    // Cell text and row check box, as the classic list offers them.
    QString GetItemText(int row, int col) const;
    void SetItemText(int row, int col, const QString& text);
    bool GetCheck(int row) const;
    void SetCheck(int row, bool checked);

    // The double-click rules on a cell (what mouseDoubleClickEvent runs after
    // its hit test); row/col -1 for a click on no cell.
    void OnCellDoubleClick(int row, int col);
    void OnEditEnd();
    void OnComboEnd(int wParam);

    // Editors, null until first opened.
    CSpecEdit* CellEdit() const { return m_edit; }
    CMyComboBox* CellCombo() const { return m_combo; }
    int EditRow() const { return m_nEditRow; }
    int EditCol() const { return m_nEditCol; }

protected:
    bool event(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OpenEdit(int row, int col);
    void OpenCombo(int row, int col);
    void CloseEditor(QWidget* editor);

    int m_nValueCol = 3;
    int m_nEditRow = -1;
    int m_nEditCol = -1;
    CSpecEdit* m_edit = nullptr;
    CMyComboBox* m_combo = nullptr;
    std::vector<CFunCode*> m_funCodes;
    CFunCode* m_pCurFunCode = nullptr;
    QRect m_rcCell;
    QString m_strPrevText;
    CFunCodeAccess* m_pAccess;
    IModalUi& m_modalUi;
};
