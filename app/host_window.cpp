#include "app/host_window.h"

#include "ecam_version.h"
#include "ui/panel_settings.h"
#include "ui/qt_modal_ui.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

CHostWindow::CHostWindow(const QString& deviceText, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QString::fromUtf8("电子凸轮编辑器"));
    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("panelFrame"));
    setCentralWidget(m_frame);

    QMenu* file = menuBar()->addMenu(QString::fromUtf8("文件(&F)"));
    file->addAction(QString::fromUtf8("退出(&X)"), this, &QWidget::close);
    QMenu* settings = menuBar()->addMenu(QString::fromUtf8("设置(&S)"));
    QAction* verify = settings->addAction(QString::fromUtf8("写入后校验(&V)"));
    verify->setObjectName(QStringLiteral("verifyAfterWrite"));
    verify->setCheckable(true);
    verify->setChecked(VerifyAfterWriteSetting());
    // The panel asks the setting at every write, so a change applies to the next one.
    connect(verify, &QAction::toggled, this, [](bool on) { SetVerifyAfterWriteSetting(on); });
    QMenu* help = menuBar()->addMenu(QString::fromUtf8("帮助(&H)"));
    help->addAction(QString::fromUtf8("关于(&A)..."), this, &CHostWindow::ShowAbout);

    m_status = new QLabel(QString::fromUtf8("设备: ") + deviceText, this);
    m_status->setObjectName(QStringLiteral("deviceStatus"));
    statusBar()->addWidget(m_status, 1);

    resize(1280, 800);
    QRect rect(QPoint(0, 0), m_frame->size());
    m_panelAlive = m_panel.CreateRuvIzoWnd(rect, m_frame) != 0;
    if (m_panelAlive)
        m_panel.ShowRuvIzoWnd(SW_SHOW);
    // Every frame resize is passed on to the panel.
    m_frame->installEventFilter(this);
}

CHostWindow::~CHostWindow() { DestroyPanel(); }

QString CHostWindow::StatusText() const { return m_status->text(); }

void CHostWindow::SetPanelSize(const QSize& size)
{
    // The frame gets what the window has left after menu and status bars.
    const QSize chrome = this->size() - m_frame->size();
    resize(size + chrome);
    if (m_frame->size() != size) {
        // A window manager or the platform may not honour the request;
        // give the frame the size directly so the panel still gets it.
        m_frame->resize(size);
    }
}

bool CHostWindow::SavePanelPicture(const QString& path)
{
    QApplication::processEvents();
    return m_frame->grab().save(path, "PNG");
}

QString CHostWindow::AboutText()
{
    // The version as the panel records it in its files: "1.0.0.0".
    QString version = QStringLiteral(ECAM_VERSION_STRING);
    version.replace(QLatin1Char(','), QLatin1Char('.')).remove(QLatin1Char(' '));
    return QString::fromUtf8("电子凸轮编辑器\n版本 ") + version;
}

void CHostWindow::ShowAbout()
{
    CQtModalUi().Box(this, AboutText(), QString::fromUtf8("关于"), MB_OK, MB_ICONINFORMATION);
}

bool CHostWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_frame && e->type() == QEvent::Resize && m_panelAlive) {
        QRect rect(QPoint(0, 0), m_frame->size());
        m_panel.UpdateRuvIzoWndSize(rect);
    }
    return QMainWindow::eventFilter(watched, e);
}

void CHostWindow::closeEvent(QCloseEvent* e)
{
    DestroyPanel();
    QMainWindow::closeEvent(e);
}

void CHostWindow::DestroyPanel()
{
    if (!m_panelAlive)
        return;
    m_frame->removeEventFilter(this);
    m_panel.DestroyRuvIzoWnd();
    m_panelAlive = false;
}
