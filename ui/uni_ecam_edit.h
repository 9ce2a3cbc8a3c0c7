#pragma once
// CUniECamEdit: a CVelaEdit that reports Enter to its parent by sending
// WM_UNI_EDIT_ENTER with its control identifier (6008 master length,
// 6009 unit); the Enter key is consumed. Owned by the main dialog; GUI
// thread only.
#include "ui/vela_edit.h"

class CUniECamEdit : public CVelaEdit {
    Q_OBJECT
public:
    explicit CUniECamEdit(QWidget* parent = nullptr, int controlId = 0);
    ~CUniECamEdit() override;

    void SetControlId(int id) { m_controlId = id; }
    int ControlId() const { return m_controlId; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_controlId;
};
