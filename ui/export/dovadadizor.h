// CDOVadAdiZOR: the plug-in's only exported class, through which a host
// creates, shows, repaints, resizes and destroys the cam editor panel.
//
// The class holds only a created flag; the panel itself is module-wide (one
// panel pointer shared by every CDOVadAdiZOR object), allocated by
// CreateRuvIzoWnd and deleted by DestroyRuvIzoWnd. Destroying or copying a
// CDOVadAdiZOR never touches the panel. Show, update and resize act only when
// the object's created flag is set and a panel exists. Every call runs on the
// thread that owns the parent widget (the host's GUI thread).
#pragma once

#include <QRect>

class QWidget;

// Show commands accepted by ShowRuvIzoWnd (the usual window show codes).
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

class __attribute__((visibility("default"))) CDOVadAdiZOR {
public:
    CDOVadAdiZOR();
    ~CDOVadAdiZOR();
    CDOVadAdiZOR& operator=(const CDOVadAdiZOR& other);

    // Creates the panel as a hidden child of pParent occupying rect (parent
    // client coordinates). 1 on success, 0 on failure. A panel that already
    // exists is destroyed first, so there is never a panel the API cannot
    // reach.
    int CreateRuvIzoWnd(QRect& rect, QWidget* pParent);
    // The created flag (set by a successful create, never reset).
    int IsRuvIzoCreate();
    // SW_HIDE hides the panel; any other command shows it.
    void ShowRuvIzoWnd(int nCmdShow);
    // Schedules a full repaint of the panel.
    void UpdateRuvIzoWnd();
    // Moves the panel to rect and lays its children out again.
    void UpdateRuvIzoWndSize(QRect& rect);
    // Deletes the panel (and all its child windows) if one exists.
    void DestroyRuvIzoWnd();
    // 1 while the panel runs a drive transfer (from its start to its final
    // report), else 0: a host must not switch drives or destroy the panel
    // under a running write. An addition for hosts that want to know.
    int IsRuvIzoBusy();
    // Opens the panel's motion-law dialog ("运动规律..."); 1 when the user
    // accepted a design and it replaced the cam, else 0. An addition for
    // hosts that offer it in their menus.
    int ShowRuvIzoMotionLaws();
    // Reads the cam table from the drive the host selected ("从驱动器读取凸轮
    // 表..."), asking first about unsaved changes; 1 when the read started
    // (it replaces the cam when it ends cleanly), else 0. An addition for
    // hosts that offer it in their menus.
    int ReadRuvIzoCamFromDrive();

private:
    int m_bCreated;
};
