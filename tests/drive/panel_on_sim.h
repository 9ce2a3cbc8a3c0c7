#pragma once
// The cam panel inside a host window, bound to a simulated drive, with
// message boxes and file dialogs recorded instead of shown and the transfer
// pacing shortened.
#include "sim_link.h"
#include "ui/message_box.h"
#include "ui/panel/razuvavivezuzo_dlg.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <chrono>
#include <memory>

class PanelOnSim : public ::testing::Test {
protected:
    explicit PanelOnSim(int timeoutMs = 150) : link(timeoutMs) {}

    void SetUp() override
    {
        CRAZuvavivezUzoDlg::SetTransferTiming(std::chrono::milliseconds(0), 10);
        host.resize(1000, 720);
        dlg = new CRAZuvavivezUzoDlg;
        ASSERT_TRUE(dlg->Create(&host));
        dlg->MoveWindow(QRect(0, 0, 1000, 720));
        dlg->show();
        host.show();
    }
    void TearDown() override
    {
        delete dlg;   // stops a transfer still running
        CRAZuvavivezUzoDlg::SetTransferTiming(std::chrono::milliseconds(50), 10);
    }

    QWidget* Item(int id) { return dlg->GetDlgItem(id); }
    void Click(int id) { QTest::mouseClick(Item(id), Qt::LeftButton); }
    void SetPuu(const char* slavePulse, const char* slaveUnits, const char* masterPulse, const char* masterUnits)
    {
        dlg->SetDlgItemText(6012, QString::fromUtf8(slavePulse));
        dlg->SetDlgItemText(6010, QString::fromUtf8(slaveUnits));
        dlg->SetDlgItemText(6013, QString::fromUtf8(masterPulse));
        dlg->SetDlgItemText(6011, QString::fromUtf8(masterUnits));
    }
    // A unit name enables the scaling fields and the standard write.
    void CommitUnit(const char* unit)
    {
        dlg->SetDlgItemText(6009, QString::fromUtf8(unit));
        SendModuleMessage(dlg, WM_UNI_EDIT_ENTER, 6009, 0);
    }
    void SetProfile(int n, double masterStep, double slaveStep)
    {
        std::vector<ECamPoint> pts;
        for (int i = 0; i < n; ++i)
            pts.push_back({i * masterStep, i * slaveStep, 0.25 * i, i % 2 ? kECamLinear : kECamPoly});
        dlg->m_pointSet.SetPoints(pts);
    }
    bool LastBoxIs(const char* text) const
    {
        return !boxes.Calls().empty() && boxes.Calls().back().text == QString::fromUtf8(text);
    }

    SimLink link;
    CMessageBoxRecorder boxes;
    CFileDialogRecorder files;
    QWidget host;
    CRAZuvavivezUzoDlg* dlg = nullptr;
};
