// CHostWindow: the host application's main window. It embeds the cam panel
// only through the plug-in's exported CDOVadAdiZOR: creates it in the
// central frame, shows it, resizes it on every frame resize and destroys it
// when the window closes. The status line names the selected drive; the
// settings menu holds what the panel lets its host decide (read-back after
// a write).
//
// The window owns its frame widget and the API object; the panel belongs to
// the plug-in. GUI thread only.
#pragma once

#include "ui/export/dovadadizor.h"

#include <QMainWindow>
#include <QString>

class QLabel;

class CHostWindow : public QMainWindow {
    Q_OBJECT
public:
    // deviceText: what the status line says about the selected drive.
    explicit CHostWindow(const QString& deviceText, QWidget* parent = nullptr);
    ~CHostWindow() override;

    // The frame the panel lives in (its whole client area is the panel).
    QWidget* Frame() const { return m_frame; }
    QString StatusText() const;
    // Resizes the window so that the frame (and so the panel) gets `size`.
    void SetPanelSize(const QSize& size);
    // Renders the frame with the panel into a PNG file.
    bool SavePanelPicture(const QString& path);
    // The About box text (version included).
    static QString AboutText();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ShowAbout();
    void DestroyPanel();

    CDOVadAdiZOR m_panel;
    QWidget* m_frame = nullptr;
    QLabel* m_status = nullptr;
    bool m_panelAlive = false;
};
