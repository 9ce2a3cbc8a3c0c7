#pragma once
// Template 6000 of the cam panel: BuildPanelTemplate creates its controls as
// children of the panel (object names "idc<id>"), LayoutPanel runs the
// layout arithmetic for the panel's current size. GUI thread only.
class CECamCurveWnd;
class CSpecListCtrl;
class CUniECamEdit;
class CVelaEdit;
class IModalUi;
class QWidget;

// The controls the panel keeps typed pointers to (all children of the panel).
struct PanelControls {
    CUniECamEdit* masterLength = nullptr;  // 6008, commit id 6008
    CUniECamEdit* unit = nullptr;          // 6009, commit id 6009
    CVelaEdit* slavePulse = nullptr;       // 6012
    CVelaEdit* slaveUnits = nullptr;       // 6010
    CVelaEdit* masterPulse = nullptr;      // 6013
    CVelaEdit* masterUnits = nullptr;      // 6011
    CSpecListCtrl* table = nullptr;        // 6018, its menu shown through modalUi
};

PanelControls BuildPanelTemplate(QWidget* panel, IModalUi& modalUi);

// curves: position, speed, acceleration.
void LayoutPanel(QWidget* panel, const PanelControls& c, CECamCurveWnd* const curves[3]);
