// CHostWindow: the host application's main window. It embeds the cam panel
// only through the plug-in's exported CDOVadAdiZOR: creates it in the
// central frame, shows it, resizes it on every frame resize and destroys it
// when the window closes. The menus hold what the panel lets its host
// decide: the drive (驱动器 › 连接驱动器...), the read-back after a write, and
// the cam laid out from motion laws (凸轮 › 运动规律...).
// The status line names the drive and whether the last exchange with it
// worked.
//
// Connecting another drive selects it; the panel follows the selection at
// its next drive command and keeps the cam and its undo history. A running
// transfer refuses the change. Window geometry and the chosen drive are remembered.
//
// The window owns its frame widget and the API object; the panel belongs to
// the plug-in, the drive to the caller (it must outlive the window). GUI
// thread only, except that the drive's exchange reports may come from any
// thread.
#pragma once

#include "ui/export/dovadadizor.h"

#include <QMainWindow>
#include <QString>
#include <atomic>
#include <memory>

class CHostDrive;
class DriveError;
class IModalUi;
class QLabel;

class CHostWindow : public QMainWindow {
    Q_OBJECT
public:
    // modalUi: the host's own boxes (null: the real Qt ones).
    explicit CHostWindow(CHostDrive& drive, std::shared_ptr<IModalUi> modalUi = nullptr, QWidget* parent = nullptr);
    ~CHostWindow() override;

    // The frame the panel lives in (its whole client area is the panel).
    QWidget* Frame() const { return m_frame; }
    // The drive part of the status line, and the link part.
    QString StatusText() const;
    QString LinkText() const;
    // Resizes the window so that the frame (and so the panel) gets `size`.
    void SetPanelSize(const QSize& size);
    // Renders the frame with the panel into a PNG file.
    bool SavePanelPicture(const QString& path);
    // The About box text (version included).
    static QString AboutText();
    // The size of a first window (none remembered) on a screen offering
    // `available` (invalid: unknown).
    static QSize FirstWindowSize(const QSize& available);
    // The application's name in the UI's language: window and message box titles.
    static QString DisplayName();
    // Whether closing the window stores its geometry (off for pictures).
    void SetRememberGeometry(bool on) { m_rememberGeometry = on; }

    // Shows the connect dialog and connects what the user chose.
    void OnConnectDrive();
    // Connects a choice ("sim" or a URL): selects it, gives the panel the
    // new drive and remembers it. False (after telling the user why) while
    // a transfer runs or when the choice cannot be selected.
    bool Reconnect(const QString& choice);
    // True while the panel transfers the cam table.
    bool PanelBusy();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ShowAbout();
    void CreatePanel();
    void DestroyPanel();
    void ShowDrive();
    void OnExchange(const DriveError& outcome);   // any thread
    void ShowLinkState();

    CHostDrive& m_drive;
    std::shared_ptr<IModalUi> m_modalUi;
    CDOVadAdiZOR m_panel;
    QWidget* m_frame = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_link = nullptr;
    bool m_panelAlive = false;
    bool m_rememberGeometry = true;

    // The last exchange's outcome (-1: none yet) and whether a status update
    // is already queued; written by the exchanging thread.
    std::atomic<int> m_lastOutcome{-1};
    std::atomic<bool> m_linkUpdateQueued{false};
};
