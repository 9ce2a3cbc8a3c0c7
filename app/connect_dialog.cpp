#include "app/connect_dialog.h"

#include "app/host_drive.h"
#include "host/device_url.h"
#include "host/modbus_data_srv.h"
#include "ui/modal_ui.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

enum Kind { kTcp = 0, kRtu = 1, kSim = 2 };

// Selects the item whose data is value; an editable box takes unknown values as text.
void SelectData(QComboBox* box, const QVariant& value)
{
    const int i = box->findData(value);
    if (i >= 0)
        box->setCurrentIndex(i);
    else if (box->isEditable())
        box->setEditText(value.toString());
}

QSpinBox* Spin(const char* name, int min, int max, int value)
{
    auto* s = new QSpinBox;
    s->setObjectName(QLatin1String(name));
    s->setRange(min, max);
    s->setValue(value);
    return s;
}

} // namespace

CConnectDialog::CConnectDialog(CHostDrive& drive, IModalUi& modalUi, QWidget* parent)
    : QDialog(parent), m_drive(drive), m_modalUi(modalUi)
{
    setObjectName(QStringLiteral("connectDialog"));
    setWindowTitle(tr("连接驱动器"));
    BuildLayout();
    ShowKind(kTcp);
}

CConnectDialog::~CConnectDialog()
{
    if (m_probeEnded.valid() && m_probeSrvOwned) {
        // A link of the test's own is cut short. A cancel that comes before
        // the request has started does not reach it, hence the repeat.
        while (m_probeEnded.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            m_probeSrv->CancelPending();
    }
    // The host's own link is left to finish its request: at most one
    // response timeout.
    JoinProbe();
}

void CConnectDialog::BuildLayout()
{
    m_kindTcp = new QRadioButton(QStringLiteral("Modbus TCP"));
    m_kindTcp->setObjectName(QStringLiteral("kindTcp"));
    m_kindRtu = new QRadioButton(tr("Modbus RTU (串口)"));
    m_kindRtu->setObjectName(QStringLiteral("kindRtu"));
    m_kindSim = new QRadioButton(tr("内置模拟驱动器"));
    m_kindSim->setObjectName(QStringLiteral("kindSim"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_kindTcp, kTcp);
    kinds->addButton(m_kindRtu, kRtu);
    kinds->addButton(m_kindSim, kSim);
    connect(kinds, &QButtonGroup::idClicked, this, &CConnectDialog::ShowKind);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(m_kindTcp);
    kindRow->addWidget(m_kindRtu);
    kindRow->addWidget(m_kindSim);
    kindRow->addStretch(1);

    // Modbus TCP.
    auto* tcpPage = new QWidget;
    auto* tcpForm = new QFormLayout(tcpPage);
    m_tcpHost = new QLineEdit(QStringLiteral("127.0.0.1"));
    m_tcpHost->setObjectName(QStringLiteral("tcpHost"));
    m_tcpPort = Spin("tcpPort", 1, 65535, 502);
    m_tcpUnit = Spin("tcpUnit", 0, 255, 1);
    tcpForm->addRow(tr("主机地址:"), m_tcpHost);
    tcpForm->addRow(tr("端口:"), m_tcpPort);
    tcpForm->addRow(tr("站号:"), m_tcpUnit);

    // Modbus RTU: the ports present now, and any path the user types (a
    // drive plugged in later, a pseudo-terminal).
    auto* rtuPage = new QWidget;
    auto* rtuForm = new QFormLayout(rtuPage);
    m_rtuPort = new QComboBox;
    m_rtuPort->setObjectName(QStringLiteral("rtuPort"));
    m_rtuPort->setEditable(true);
    m_rtuPort->setInsertPolicy(QComboBox::NoInsert);
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        m_rtuPort->addItem(port.systemLocation(), port.systemLocation());
        m_rtuPort->setItemData(m_rtuPort->count() - 1, port.description(), Qt::ToolTipRole);
    }
    m_rtuPort->lineEdit()->setPlaceholderText(tr("例如 /dev/ttyUSB0"));
    m_rtuBaud = new QComboBox;
    m_rtuBaud->setObjectName(QStringLiteral("rtuBaud"));
    m_rtuBaud->setEditable(true);
    m_rtuBaud->setInsertPolicy(QComboBox::NoInsert);
    m_rtuBaud->setValidator(new QIntValidator(1, 4000000, m_rtuBaud));
    for (int baud : {9600, 19200, 38400, 57600, 115200, 230400})
        m_rtuBaud->addItem(QString::number(baud), baud);
    SelectData(m_rtuBaud, 115200);
    m_rtuParity = new QComboBox;
    m_rtuParity->setObjectName(QStringLiteral("rtuParity"));
    m_rtuParity->addItem(tr("无 (N)"), QStringLiteral("N"));
    m_rtuParity->addItem(tr("偶 (E)"), QStringLiteral("E"));
    m_rtuParity->addItem(tr("奇 (O)"), QStringLiteral("O"));
    m_rtuData = new QComboBox;
    m_rtuData->setObjectName(QStringLiteral("rtuData"));
    for (int bits : {8, 7, 6, 5})
        m_rtuData->addItem(QString::number(bits), bits);
    m_rtuStop = new QComboBox;
    m_rtuStop->setObjectName(QStringLiteral("rtuStop"));
    for (int bits : {1, 2})
        m_rtuStop->addItem(QString::number(bits), bits);
    m_rtuUnit = Spin("rtuUnit", 0, 247, 1);
    rtuForm->addRow(tr("串口:"), m_rtuPort);
    rtuForm->addRow(tr("波特率:"), m_rtuBaud);
    rtuForm->addRow(tr("校验:"), m_rtuParity);
    rtuForm->addRow(tr("数据位:"), m_rtuData);
    rtuForm->addRow(tr("停止位:"), m_rtuStop);
    rtuForm->addRow(tr("站号:"), m_rtuUnit);

    auto* simPage = new QWidget;
    auto* simLayout = new QVBoxLayout(simPage);
    auto* simText = new QLabel(tr("主机程序内运行的模拟驱动器 (Modbus TCP, 本机回环地址)，无需连接硬件。"));
    simText->setWordWrap(true);
    simLayout->addWidget(simText);
    simLayout->addStretch(1);

    m_pages = new QStackedWidget;
    m_pages->addWidget(tcpPage);
    m_pages->addWidget(rtuPage);
    m_pages->addWidget(simPage);

    m_timeout = Spin("timeout", 0, 60000, 0);
    m_timeout->setSingleStep(100);
    m_timeout->setSuffix(QStringLiteral(" ms"));
    m_timeout->setSpecialValueText(tr("默认 (1000 ms)"));
    auto* timeoutForm = new QFormLayout;
    timeoutForm->addRow(tr("应答超时:"), m_timeout);

    m_testButton = new QPushButton(tr("测试连接"));
    m_testButton->setObjectName(QStringLiteral("testButton"));
    m_testButton->setAutoDefault(false);
    connect(m_testButton, &QPushButton::clicked, this, &CConnectDialog::TestConnection);
    m_testResult = new QLabel;
    m_testResult->setObjectName(QStringLiteral("testResult"));
    m_testResult->setWordWrap(true);
    m_testResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(m_testButton);
    testRow->addWidget(m_testResult, 1);

    auto* note = new QLabel(tr("更换驱动器时凸轮编辑面板将重新打开，未保存的凸轮数据会丢失。"));
    note->setObjectName(QStringLiteral("reconnectNote"));
    note->setWordWrap(true);
    note->setEnabled(false);   // greyed: a remark, not a field

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CConnectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CConnectDialog::reject);

    auto* top = new QVBoxLayout(this);
    top->addLayout(kindRow);
    top->addWidget(m_pages);
    top->addLayout(timeoutForm);
    top->addLayout(testRow);
    top->addWidget(note);
    top->addWidget(buttons);
    setMinimumWidth(420);
}

void CConnectDialog::ShowKind(int kind)
{
    QRadioButton* radio = kind == kRtu ? m_kindRtu : kind == kSim ? m_kindSim : m_kindTcp;
    radio->setChecked(true);
    m_pages->setCurrentIndex(kind);
    // The stack takes the size of the page shown, not of its largest page.
    for (int i = 0; i < m_pages->count(); ++i) {
        const auto policy = i == kind ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_pages->widget(i)->setSizePolicy(policy, policy);
    }
    m_pages->adjustSize();
    adjustSize();
    m_timeout->setEnabled(kind != kSim);
    // A result said about other fields would mislead.
    if (!TestRunning())
        m_testResult->clear();
}

bool CConnectDialog::SetChoice(const QString& choice)
{
    if (choice == CHostDrive::Simulated()) {
        ShowKind(kSim);
        return true;
    }
    DeviceUrl url;
    if (!DeviceUrl::Parse(choice.toStdString(), url))
        return false;
    m_timeout->setValue(url.timeoutMs);
    if (url.rtu) {
        SelectData(m_rtuPort, QString::fromStdString(url.device));
        SelectData(m_rtuBaud, url.baud);
        SelectData(m_rtuParity, QString(QChar::fromLatin1(url.parity)));
        SelectData(m_rtuData, url.dataBits);
        SelectData(m_rtuStop, url.stopBits);
        m_rtuUnit->setValue(url.unit);
        ShowKind(kRtu);
    } else {
        m_tcpHost->setText(QString::fromStdString(url.host));
        m_tcpPort->setValue(url.port);
        m_tcpUnit->setValue(url.unit);
        ShowKind(kTcp);
    }
    return true;
}

QString CConnectDialog::Choice(QString* why) const
{
    auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return QString();
    };
    if (m_kindSim->isChecked())
        return CHostDrive::Simulated();
    // Characters that would end the address part of the URL.
    static const QRegularExpression bad(QStringLiteral("[\\s?&]"));
    DeviceUrl url;
    url.timeoutMs = m_timeout->value();
    if (m_kindRtu->isChecked()) {
        url.rtu = true;
        const QString device = m_rtuPort->currentText().trimmed();
        if (device.isEmpty())
            return fail(tr("请选择或输入串口设备。"));
        if (device.contains(bad))
            return fail(tr("串口设备名无效: %1").arg(device));
        url.device = device.toStdString();
        bool ok = false;
        url.baud = m_rtuBaud->currentText().trimmed().toInt(&ok);
        if (!ok || url.baud <= 0)
            return fail(tr("波特率无效: %1").arg(m_rtuBaud->currentText()));
        url.parity = m_rtuParity->currentData().toString().at(0).toLatin1();
        url.dataBits = m_rtuData->currentData().toInt();
        url.stopBits = m_rtuStop->currentData().toInt();
        url.unit = m_rtuUnit->value();
    } else {
        const QString host = m_tcpHost->text().trimmed();
        if (host.isEmpty())
            return fail(tr("请输入驱动器的主机地址。"));
        if (host.contains(bad) || host.contains(QLatin1Char('/')))
            return fail(tr("主机地址无效: %1").arg(host));
        url.host = host.toStdString();
        url.port = m_tcpPort->value();
        url.unit = m_tcpUnit->value();
    }
    // What the fields allow always parses; the check keeps the two in step.
    DeviceUrl parsed;
    std::string error;
    if (!DeviceUrl::Parse(url.ToString(), parsed, &error))
        return fail(QString::fromStdString(error));
    return QString::fromStdString(url.ToString());
}

void CConnectDialog::TestConnection()
{
    if (TestRunning())
        return;
    QString why;
    const QString choice = Choice(&why);
    DeviceUrl url;
    if (choice.isEmpty() || !m_drive.Resolve(choice, url, &why)) {
        m_testResult->setText(why);
        return;
    }
    JoinProbe();   // the previous test has reported; its thread has ended or is about to
    m_probeSrv = m_drive.ProbeService(url);
    m_probeSrvOwned = m_probeSrv.get() != m_drive.SelectedService();
    m_probeDone = false;
    const quint64 run = ++m_probeRun;
    m_testButton->setEnabled(false);
    m_testResult->setText(tr("正在测试连接..."));
    std::promise<void> ended;
    m_probeEnded = ended.get_future();
    m_probe = std::thread([this, srv = m_probeSrv, run, ended = std::move(ended)]() mutable {
        const ProbeResult result = ProbeDrive(*srv);
        // Posted, not called: the dialog's widgets belong to the GUI thread.
        QMetaObject::invokeMethod(this, [this, result, run] { OnProbeDone(result, run); }, Qt::QueuedConnection);
        ended.set_value();
    });
}

void CConnectDialog::OnProbeDone(ProbeResult result, quint64 run)
{
    if (run != m_probeRun)
        return;
    m_probeDone = true;
    m_testButton->setEnabled(true);
    m_testResult->setText(ProbeText(result));
}

QString CConnectDialog::TestResult() const
{
    return m_testResult->text();
}

void CConnectDialog::JoinProbe()
{
    if (m_probe.joinable())
        m_probe.join();
}

void CConnectDialog::accept()
{
    QString why;
    if (Choice(&why).isEmpty()) {
        m_modalUi.Box(this, why, windowTitle(), MB_OK, MB_ICONWARNING);
        return;
    }
    QDialog::accept();
}
