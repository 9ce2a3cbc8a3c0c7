#pragma once
// CFunCodeAccess: the panel's single doorway to the drive. Binds (Init) to
// the device the host selected, keeps the host service objects it got
// (none owned), and offers one-shot reads and writes of a single drive
// parameter by number text or by address and width. One attempt each, no
// pauses, no messages: the callers choose retries and words.
//
// Values cross this interface as unsigned 32-bit; a 16-bit value arrives
// already widened (sign- or zero-extended) and is never truncated here.
//
// Threads: used from the GUI thread and one transfer worker at the same time.
// Init runs on the GUI thread before any worker, and again (to follow the
// host's selection) only while no worker runs. After it, the object's
// own state changes only in CheckConnect (an atomic store of the data-service
// pointer the host answers), but every read and write also stores the value
// in the catalogue's CFunCode object it goes through (amended and current
// value). Those objects are shared per parameter, so two threads must not
// use the same parameter at once: the panel's worker touches only cam table
// addresses, and the GUI thread's parameter commands are locked out while a
// transfer runs. The data service serialises the exchanges themselves. The optional DriveError out-parameters
// tell the command-line tool and the tests why a call failed.
#include "host/data_srv_base.h"
#include "host/drive_error.h"
#include "host/link_failure.h"

#include <atomic>
#include <cstdint>
#include <string>

class IDeviceManage;
class IGetDeviceInfo;
class CFunCodeInterface;
class CFunCode;

class CFunCodeAccess {
public:
    CFunCodeAccess() = default;
    CFunCodeAccess(const CFunCodeAccess&) = delete;
    CFunCodeAccess& operator=(const CFunCodeAccess&) = delete;

    // True when the catalogue was obtained. Not retried by callers.
    bool Init();
    // True when a data service is held after the call (asks the host again
    // each time none is held).
    bool CheckConnect();
    // Why the last CheckConnect found no data service (None when unknown).
    LinkFailure ConnectFailure() const;

    bool WriteFunCodeByNum(const std::wstring& number, uint32_t value, DriveError* why = nullptr);
    bool WriteFunCodeByAddr(uint32_t address, uint32_t width, uint32_t value, DriveError* why = nullptr);
    // out is set only when true is returned.
    bool ReadFunCodeByAddr(uint32_t address, uint32_t width, uint32_t& out, DriveError* why = nullptr);
    bool ReadFunCodeByNum(const std::wstring& number, uint32_t& out, DriveError* why = nullptr);
    // One checked read pass of several register runs (CDataSrvBase::ReadSpans);
    // out (the words of all runs in order) is filled only when true is returned.
    bool ReadSpans(const RegSpan* spans, std::size_t n, uint16_t* out, DriveError* why = nullptr);

    // Any thread: a read or write waiting for the drive's answer gives up
    // promptly (DriveError::Cancelled); later calls are not affected. Does
    // nothing while no data service is held.
    void CancelPending();

    // Borrowed service objects, for callers that need the catalogue itself
    // (the function-code dialog lists parameters by number).
    CFunCodeInterface* FunCodeInterface() const { return m_pFunCodeIf; }
    const std::wstring& DeviceName() const { return m_strDevName; }

private:
    bool Write(CFunCode* p, uint32_t value, DriveError* why);
    bool Read(CFunCode* p, uint32_t& out, DriveError* why);

    std::wstring m_strDevName;
    IDeviceManage* m_pDevManage = nullptr;
    IGetDeviceInfo* m_pDevInfo = nullptr;
    CFunCodeInterface* m_pFunCodeIf = nullptr;
    std::atomic<CDataSrvBase*> m_pDataSrv{nullptr};
};
