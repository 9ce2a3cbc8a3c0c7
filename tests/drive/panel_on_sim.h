#pragma once
// The panel harness bound to a simulated drive: the link is up before the
// panel binds to the host's selected device.
#include "tests/support/sim_link.h"
#include "tests/support/panel_harness.h"

class PanelOnSim : public PanelHarness {
protected:
    explicit PanelOnSim(int timeoutMs = 150) : PanelHarness(QSize(1000, 720), Show::kShown), link(timeoutMs) {}

    void SetPuu(const char* slavePulse, const char* slaveUnits, const char* masterPulse, const char* masterUnits)
    {
        dlg->SetDlgItemText(IDC_EDIT_SLAVE_PULSE, QString::fromUtf8(slavePulse));
        dlg->SetDlgItemText(IDC_EDIT_SLAVE_UNITS, QString::fromUtf8(slaveUnits));
        dlg->SetDlgItemText(IDC_EDIT_MASTER_PULSE, QString::fromUtf8(masterPulse));
        dlg->SetDlgItemText(IDC_EDIT_MASTER_UNITS, QString::fromUtf8(masterUnits));
    }
    // A unit name enables the scaling fields and the standard write.
    void CommitUnit(const char* unit)
    {
        dlg->SetDlgItemText(IDC_EDIT_UNIT, QString::fromUtf8(unit));
        SendModuleMessage(dlg, WM_UNI_EDIT_ENTER, IDC_EDIT_UNIT, 0);
    }
    void SetProfile(int n, double masterStep, double slaveStep)
    {
        std::vector<ECamPoint> pts;
        for (int i = 0; i < n; ++i)
            pts.push_back({i * masterStep, i * slaveStep, 0.25 * i, i % 2 ? kECamLinear : kECamPoly});
        LoadCam(pts);
    }
    bool LastBoxIs(const char* text) const { return boxes.LastIs(QString::fromUtf8(text)); }
    // Waits (bounded) for the running transfer to end; returns the last message shown.
    QString WaitForEnd()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !dlg->IsTransferRunning(); }, 20000)) << "the transfer runs on";
        return boxes.Calls().empty() ? QString() : boxes.Calls().back().text;
    }
    QString ClickToEnd(int id)
    {
        Click(id);
        return WaitForEnd();
    }

    SimLink link;
};
