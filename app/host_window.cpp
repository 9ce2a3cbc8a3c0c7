#include "app/host_window.h"

#include "app/connect_dialog.h"
#include "app/drive_text.h"
#include "app/host_drive.h"
#include "app/host_settings.h"
#include "ecam_version.h"
#include "host/drive_error.h"
#include "ui/panel_settings.h"
#include "ui/qt_modal_ui.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

CHostWindow::CHostWindow(CHostDrive& drive, std::shared_ptr<IModalUi> modalUi, QWidget* parent)
    : QMainWindow(parent), m_drive(drive), m_modalUi(modalUi ? std::move(modalUi) : std::make_shared<CQtModalUi>())
{
    setWindowTitle(DisplayName());
    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("panelFrame"));
    setCentralWidget(m_frame);

    QMenu* file = menuBar()->addMenu(tr("文件(&F)"));
    file->addAction(tr("退出(&X)"), this, &QWidget::close);
    QMenu* driveMenu = menuBar()->addMenu(tr("驱动器(&D)"));
    QAction* connectDrive = driveMenu->addAction(tr("连接驱动器(&C)..."), this, &CHostWindow::OnConnectDrive);
    connectDrive->setObjectName(QStringLiteral("connectDrive"));
    QAction* readCam = driveMenu->addAction(tr("从驱动器读取凸轮表..."), this, [this] {
        if (m_panelAlive)
            m_panel.ReadRuvIzoCamFromDrive();
    });
    readCam->setObjectName(QStringLiteral("readCamFromDrive"));
    QMenu* cam = menuBar()->addMenu(tr("凸轮(&M)"));
    QAction* motionLaws = cam->addAction(tr("运动规律..."), this, [this] {
        if (m_panelAlive)
            m_panel.ShowRuvIzoMotionLaws();
    });
    motionLaws->setObjectName(QStringLiteral("motionLaws"));
    QMenu* settings = menuBar()->addMenu(tr("设置(&S)"));
    QAction* verify = settings->addAction(tr("写入后校验(&V)"));
    verify->setObjectName(QStringLiteral("verifyAfterWrite"));
    verify->setCheckable(true);
    verify->setChecked(VerifyAfterWriteSetting());
    // The panel asks the setting at every write, so a change applies to the next one.
    connect(verify, &QAction::toggled, this, [](bool on) { SetVerifyAfterWriteSetting(on); });
    QMenu* help = menuBar()->addMenu(tr("帮助(&H)"));
    help->addAction(tr("关于(&A)..."), this, &CHostWindow::ShowAbout);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("deviceStatus"));
    statusBar()->addWidget(m_status, 1);
    m_link = new QLabel(this);
    m_link->setObjectName(QStringLiteral("linkStatus"));
    statusBar()->addPermanentWidget(m_link);
    ShowDrive();

    setWindowIcon(QIcon(QStringLiteral(":/icons/org.ecameditor.ECamEditor.svg")));
    resize(FirstWindowSize(screen() ? screen()->availableGeometry().size() : QSize()));
    const QByteArray geometry = RememberedWindowGeometry();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    m_drive.SetExchangeObserver([this](DriveError outcome) { OnExchange(outcome); });
    CreatePanel();
    // Every frame resize is passed on to the panel.
    m_frame->installEventFilter(this);
}

CHostWindow::~CHostWindow()
{
    // After this no exchange report runs or comes, so none can reach a
    // window that is gone.
    m_drive.SetExchangeObserver({});
    DestroyPanel();
}

QSize CHostWindow::FirstWindowSize(const QSize& available)
{
    // 1280 x 800 where it fits; on a smaller screen (a 1366 x 768 laptop
    // offers about 1366 x 728) the window and its title bar stay on it.
    const QSize wanted(1280, 800);
    if (!available.isValid())
        return wanted;
    constexpr int kFrameRoom = 40;   // title bar and borders the window manager adds
    return wanted.boundedTo(available - QSize(kFrameRoom / 2, kFrameRoom));
}

QString CHostWindow::StatusText() const { return m_status->text(); }

QString CHostWindow::LinkText() const { return m_link->text(); }

void CHostWindow::CreatePanel()
{
    QRect rect(QPoint(0, 0), m_frame->size());
    m_panelAlive = m_panel.CreateRuvIzoWnd(rect, m_frame) != 0;
    if (m_panelAlive)
        m_panel.ShowRuvIzoWnd(SW_SHOW);
}

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

QString CHostWindow::DisplayName()
{
    return tr("电子凸轮编辑器");
}

QString CHostWindow::AboutText()
{
    // The package's version, as apt and --version show it (the panel's
    // files carry a fourth field of their own).
    return tr("电子凸轮编辑器\n版本 ") + QStringLiteral("%1.%2.%3").arg(ECAM_VERSION_MAJOR).arg(ECAM_VERSION_MINOR).arg(ECAM_VERSION_PATCH);
}

void CHostWindow::ShowAbout()
{
    m_modalUi->Box(this, AboutText(), tr("关于"), MB_OK, MB_ICONINFORMATION);
}

void CHostWindow::OnConnectDrive()
{
    CConnectDialog dlg(m_drive, *m_modalUi, this);
    dlg.SetChoice(m_drive.Choice());
    if (dlg.exec() == QDialog::Accepted)
        Reconnect(dlg.Choice());
}

bool CHostWindow::PanelBusy()
{
    return m_panelAlive && m_panel.IsRuvIzoBusy() != 0;
}

bool CHostWindow::Reconnect(const QString& choice)
{
    const QString wanted = CHostDrive::Canonical(choice);
    if (!wanted.isEmpty() && wanted == m_drive.Choice()) {
        // The same drive: the panel keeps its binding and the user's cam.
        RememberDevice(wanted);
        return true;
    }
    if (PanelBusy()) {
        m_modalUi->Box(this, tr("凸轮数据正在传输, 不能更换驱动器。\n请等传输结束后再连接。"), tr("连接驱动器"),
                       MB_OK, MB_ICONWARNING);
        return false;
    }
    QString why;
    if (!m_drive.Select(choice, &why)) {
        m_modalUi->Box(this, tr("无法连接该驱动器:\n") + why, tr("连接驱动器"), MB_OK, MB_ICONWARNING);
        return false;
    }
    RememberDevice(m_drive.Choice());
    m_lastOutcome.store(-1);
    // The panel binds to the selected drive at its next drive command; the
    // user's cam and its undo history stay as they are.
    ShowDrive();
    return true;
}

void CHostWindow::ShowDrive()
{
    m_status->setText(tr("驱动器: ") + m_drive.Describe());
    ShowLinkState();
}

void CHostWindow::OnExchange(const DriveError& outcome)
{
    m_lastOutcome.store(outcome.code());
    // One queued update at a time, however fast the exchanges come: it
    // shows the latest outcome when it runs.
    if (!m_linkUpdateQueued.exchange(true))
        QMetaObject::invokeMethod(this, [this] { ShowLinkState(); }, Qt::QueuedConnection);
}

void CHostWindow::ShowLinkState()
{
    m_linkUpdateQueued.store(false);
    const int code = m_lastOutcome.load();
    if (code < 0)
        m_link->setText(m_drive.Choice().isEmpty() ? QString() : tr("未通信"));
    else if (code == DriveError::Ok)
        m_link->setText(tr("通信正常"));
    else
        m_link->setText(tr("通信失败: ") + DescribeDriveError(DriveError(code)));
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
    if (m_rememberGeometry)
        RememberWindowGeometry(saveGeometry());
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
