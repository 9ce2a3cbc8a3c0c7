// The exported panel API: one module-wide panel shared by every
// CDOVadAdiZOR object, each call guarded as the host expects.
#include "ui/export/dovadadizor.h"

#include "ui/panel/razuvavivezuzo_dlg.h"

#include <QPointer>
#include <QWidget>
#include <new>

namespace {

// The current panel; null while none exists. Owned through this pointer.
// Guarded, because Qt also deletes a child with its parent: a host that
// destroys its window before calling DestroyRuvIzoWnd leaves a null pointer
// here, not a dangling one.
QPointer<CRAZuvavivezUzoDlg> g_pPanel;

void MovePanel(const QRect& rect)
{
    // Taken as given, without any check: a rect smaller than the layout's
    // fixed offsets gives zero or negative child sizes.
    g_pPanel->MoveWindow(rect);
}

}  // namespace

CDOVadAdiZOR::CDOVadAdiZOR() : m_bCreated(0) {}

// The panel outlives any one API object; only DestroyRuvIzoWnd ends it.
CDOVadAdiZOR::~CDOVadAdiZOR() = default;

CDOVadAdiZOR& CDOVadAdiZOR::operator=(const CDOVadAdiZOR& other)
{
    m_bCreated = other.m_bCreated;
    return *this;
}

int CDOVadAdiZOR::CreateRuvIzoWnd(QRect& rect, QWidget* pParent)
{
    // Hosts create the panel once; a second create replaces the first panel
    // instead of leaving it alive and unreachable.
    DestroyRuvIzoWnd();
    auto* panel = new (std::nothrow) CRAZuvavivezUzoDlg;
    g_pPanel = panel;
    if (!panel)
        return 0;
    if (!g_pPanel->Create(pParent))
        return 0;  // the object stays until DestroyRuvIzoWnd
    MovePanel(rect);
    m_bCreated = 1;
    return 1;
}

int CDOVadAdiZOR::IsRuvIzoCreate() { return m_bCreated; }

void CDOVadAdiZOR::ShowRuvIzoWnd(int nCmdShow)
{
    if (!m_bCreated || !g_pPanel)
        return;
    g_pPanel->setVisible(nCmdShow != SW_HIDE);
}

void CDOVadAdiZOR::UpdateRuvIzoWnd()
{
    if (!m_bCreated || !g_pPanel)
        return;
    g_pPanel->update();
}

void CDOVadAdiZOR::UpdateRuvIzoWndSize(QRect& rect)
{
    if (!m_bCreated || !g_pPanel)
        return;
    MovePanel(rect);
}

void CDOVadAdiZOR::DestroyRuvIzoWnd()
{
    delete g_pPanel.data();
    g_pPanel = nullptr;
}

int CDOVadAdiZOR::IsRuvIzoBusy()
{
    return g_pPanel && g_pPanel->IsTransferRunning() ? 1 : 0;
}

int CDOVadAdiZOR::ShowRuvIzoMotionLaws()
{
    return m_bCreated && g_pPanel && g_pPanel->ShowMotionLawDialog() ? 1 : 0;
}

int CDOVadAdiZOR::ReadRuvIzoCamFromDrive()
{
    return m_bCreated && g_pPanel && g_pPanel->ReadCamFromDrive() ? 1 : 0;
}
