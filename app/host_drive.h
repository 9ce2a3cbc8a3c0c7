// CHostDrive: the drive the host hands to the panel. A choice is either
// "sim", the simulated drive the host runs in its own process (started on
// first use, kept until the host ends), or a device URL. Selecting a choice
// makes it the device manager's selected device, which the panel binds to
// when it is created; the previous device's link is closed.
//
// The selected device's data service reports every exchange to one observer
// (SetExchangeObserver), which is moved along when the selection changes.
//
// Owns the simulator; the device objects belong to the device manager.
// GUI thread only, except that the observer is called on whatever thread
// talked to the drive.
#pragma once

#include "host/device_url.h"
#include "host/modbus_data_srv.h"
#include "sim/drive_simulator.h"

#include <QString>
#include <memory>

class IDeviceManage;

class CHostDrive {
public:
    static QString Simulated() { return QStringLiteral("sim"); }

    // simOptions: how the built-in drive is started (tests shorten nothing
    // here; the product uses the defaults).
    explicit CHostDrive(IDeviceManage* devices, SimOptions simOptions = {});
    ~CHostDrive();
    CHostDrive(const CHostDrive&) = delete;
    CHostDrive& operator=(const CHostDrive&) = delete;

    // The URL a choice stands for ("sim": the built-in drive's, which is
    // started here if it does not run). False and why otherwise.
    bool Resolve(const QString& choice, DeviceUrl& url, QString* why);
    // Selects a choice. False and why when it does not resolve; the current
    // selection then stays.
    bool Select(const QString& choice, QString* why);
    void SelectNone();

    // "sim", the selected URL in its canonical form, or empty (none).
    QString Choice() const { return m_choice; }
    // The same choice in canonical form (a URL as DeviceUrl writes it), so
    // two spellings of one drive compare equal; empty when it does not parse.
    static QString Canonical(const QString& choice);
    // The selection in readable words, the simulated drive marked as such.
    QString Describe() const;

    // The data service a connection test of url uses: the selected device's
    // own when it is that drive (one link per port), otherwise a new one
    // that the caller alone holds.
    std::shared_ptr<CModbusDataSrv> ProbeService(const DeviceUrl& url);

    void SetExchangeObserver(CModbusDataSrv::ExchangeObserver observer);
    // The selected device's data service (null: none selected).
    CModbusDataSrv* SelectedService() const { return m_srv; }

    // The built-in drive, null until a choice of "sim" started it.
    CDriveSimulator* Simulator() const { return m_sim.get(); }

private:
    CModbusDataSrv* ServiceOf(const std::string& url);

    IDeviceManage* m_devices;
    SimOptions m_simOptions;
    std::unique_ptr<CDriveSimulator> m_sim;
    QString m_choice;
    DeviceUrl m_url;
    CModbusDataSrv* m_srv = nullptr;   // the selected device's, owned by the device manager
    CModbusDataSrv::ExchangeObserver m_observer;
};

// The drive a run starts on: the one given on the command line (for this
// run only, nothing is remembered), else the one remembered from the last
// connect, else the simulated drive. False (and why) only when the command
// line names a drive that cannot be selected; a remembered drive that no
// longer works gives way to the simulated one (noted in why).
bool SelectStartupDrive(CHostDrive& drive, const QString& commandLine, QString* why);
