#include "app/host_drive.h"

#include "app/drive_text.h"
#include "app/host_settings.h"
#include "host/device_info.h"
#include "host/device_manage.h"

#include <QCoreApplication>

CHostDrive::CHostDrive(IDeviceManage* devices, SimOptions simOptions)
    : m_devices(devices), m_simOptions(std::move(simOptions))
{
}

CHostDrive::~CHostDrive()
{
    SetExchangeObserver({});
    if (m_srv)
        m_srv->Disconnect();
    if (m_sim)
        m_sim->Stop();
}

QString CHostDrive::Canonical(const QString& choice)
{
    if (choice == Simulated())
        return choice;
    DeviceUrl url;
    if (!DeviceUrl::Parse(choice.toStdString(), url))
        return QString();
    return QString::fromStdString(url.ToString());
}

bool CHostDrive::Resolve(const QString& choice, DeviceUrl& url, QString* why)
{
    std::string error;
    if (choice == Simulated()) {
        if (!m_sim || !m_sim->Running()) {
            m_sim = std::make_unique<CDriveSimulator>(m_simOptions);
            if (!m_sim->Start(&error)) {
                m_sim.reset();
                if (why)
                    *why = QCoreApplication::translate("CHostDrive", "内置模拟驱动器未能启动: ") + QString::fromStdString(error);
                return false;
            }
        }
        return DeviceUrl::Parse(m_sim->Url(), url);
    }
    if (!DeviceUrl::Parse(choice.toStdString(), url, &error)) {
        if (why)
            *why = QString::fromStdString(error);
        return false;
    }
    return true;
}

CModbusDataSrv* CHostDrive::ServiceOf(const std::string& url)
{
    auto* info = dynamic_cast<CDeviceInfo*>(m_devices->CreateIGetDeviceInfo(QString::fromStdString(url).toStdWString()));
    return info ? info->ModbusSrv() : nullptr;
}

bool CHostDrive::Select(const QString& choice, QString* why)
{
    DeviceUrl url;
    if (!Resolve(choice, url, why))
        return false;
    const std::string name = url.ToString();
    std::string error;
    if (!m_devices->SelectDevice(name, &error)) {
        if (why)
            *why = QString::fromStdString(error);
        return false;
    }
    CModbusDataSrv* srv = ServiceOf(name);
    if (srv != m_srv) {
        if (m_srv) {
            m_srv->SetExchangeObserver({});
            // Nothing talks to the old drive any more; free its port.
            m_srv->Disconnect();
        }
        if (srv)
            srv->SetExchangeObserver(m_observer);
        m_srv = srv;
    }
    m_choice = choice == Simulated() ? choice : QString::fromStdString(name);
    m_url = url;
    return true;
}

void CHostDrive::SelectNone()
{
    m_devices->SelectNone();
    if (m_srv) {
        m_srv->SetExchangeObserver({});
        m_srv->Disconnect();
    }
    m_srv = nullptr;
    m_choice.clear();
}

QString CHostDrive::Describe() const
{
    if (m_choice.isEmpty())
        return QCoreApplication::translate("CHostDrive", "无");
    if (m_choice == Simulated())
        return QCoreApplication::translate("CHostDrive", "内置模拟驱动器 (%1)").arg(DescribeDeviceUrl(m_url));
    return DescribeDeviceUrl(m_url);
}

std::shared_ptr<CModbusDataSrv> CHostDrive::ProbeService(const DeviceUrl& url)
{
    if (m_srv && !m_choice.isEmpty() && url.ToString() == m_url.ToString())
        return std::shared_ptr<CModbusDataSrv>(std::shared_ptr<void>(), m_srv);   // not owned
    return std::make_shared<CModbusDataSrv>(url);
}

void CHostDrive::SetExchangeObserver(CModbusDataSrv::ExchangeObserver observer)
{
    m_observer = std::move(observer);
    if (m_srv)
        m_srv->SetExchangeObserver(m_observer);
}

bool SelectStartupDrive(CHostDrive& drive, const QString& commandLine, QString* why)
{
    if (!commandLine.isEmpty())
        return drive.Select(commandLine, why);
    const QString remembered = RememberedDevice();
    QString error;
    if (!remembered.isEmpty() && !drive.Select(remembered, &error) && why)
        *why = QCoreApplication::translate("CHostDrive", "上次的驱动器 %1 不可用: %2").arg(remembered, error);
    if (drive.Choice().isEmpty() && !drive.Select(CHostDrive::Simulated(), &error) && why)
        *why = error;
    return true;
}
