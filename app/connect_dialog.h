// CConnectDialog: "连接驱动器", where the user names the drive the host talks
// to: Modbus TCP (host, port, unit), Modbus RTU (serial port, baud, parity,
// data and stop bits, unit) or the built-in simulated drive, with an
// optional response timeout. "测试连接" reads one register of the drive the
// fields describe on a worker thread and says what it found; the dialog
// stays responsive meanwhile.
//
// The dialog is the view of a choice ("sim" or a device URL, as CHostDrive
// takes it): SetChoice fills the fields from one, Choice builds one from
// them. It borrows the host's drive (to start the simulated drive and to
// share the selected device's link) and the modal UI for its messages. Its
// destruction waits for a running test (cut short when the link is the
// test's own). GUI thread only, except the test's worker.
#pragma once

#include "app/drive_probe.h"

#include <QDialog>
#include <QString>
#include <future>
#include <memory>
#include <thread>

class CHostDrive;
class CModbusDataSrv;
class IModalUi;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

class CConnectDialog : public QDialog {
    Q_OBJECT
public:
    CConnectDialog(CHostDrive& drive, IModalUi& modalUi, QWidget* parent = nullptr);
    ~CConnectDialog() override;

    // Shows a choice in the fields. False when it is neither "sim" nor a
    // device URL; the fields then keep what they held.
    bool SetChoice(const QString& choice);
    // The choice the fields describe; empty (and why) when they do not make
    // a valid one.
    QString Choice(QString* why = nullptr) const;

    // Starts a connection test of what the fields describe (ignored while
    // one runs); the result appears in the line below the button.
    void TestConnection();
    bool TestRunning() const { return m_probe.joinable() && !m_probeDone; }
    QString TestResult() const;

public slots:
    void accept() override;

private:
    void BuildLayout();
    void ShowKind(int kind);
    void OnProbeDone(ProbeResult result, quint64 run);
    void JoinProbe();

    CHostDrive& m_drive;
    IModalUi& m_modalUi;

    QRadioButton* m_kindTcp = nullptr;
    QRadioButton* m_kindRtu = nullptr;
    QRadioButton* m_kindSim = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_tcpHost = nullptr;
    QSpinBox* m_tcpPort = nullptr;
    QSpinBox* m_tcpUnit = nullptr;
    QComboBox* m_rtuPort = nullptr;
    QComboBox* m_rtuBaud = nullptr;
    QComboBox* m_rtuParity = nullptr;
    QComboBox* m_rtuData = nullptr;
    QComboBox* m_rtuStop = nullptr;
    QSpinBox* m_rtuUnit = nullptr;
    QSpinBox* m_timeout = nullptr;
    QPushButton* m_testButton = nullptr;
    QLabel* m_testResult = nullptr;

    std::thread m_probe;
    std::future<void> m_probeEnded;   // ready when the worker has its result
    std::shared_ptr<CModbusDataSrv> m_probeSrv;
    bool m_probeSrvOwned = false;     // a link of the test's own, not the host's
    bool m_probeDone = true;
    quint64 m_probeRun = 0;
};
