#include "drive/fun_code_access.h"

#include "host/data_srv_base.h"
#include "host/device_manage.h"
#include "host/fun_code.h"
#include "host/fun_code_interface.h"
#include "host/logic_manage.h"

namespace {
// Arguments the data service expects: the response timeout in milliseconds,
// wait for the answer, and check the value against the width.
constexpr unsigned kTimeoutMs = 1000;

bool Report(DriveError* why, int code)
{
    if (why)
        *why = DriveError(code);
    return code == DriveError::Ok;
}
} // namespace

bool CFunCodeAccess::Init()
{
    // Binding again (the host selected another drive) forgets the old link.
    m_pDataSrv.store(nullptr);
    m_pDevInfo = nullptr;
    m_pFunCodeIf = nullptr;
    CLogicManage* logic = CSingleton<CLogicManage>::Instance();
    m_pDevManage = logic ? logic->GetDeviceManage() : nullptr;
    if (!m_pDevManage)
        return false;
    if (m_pDevManage->GetSelectDeviceName(m_strDevName) == 0)
        return false;
    m_pDevInfo = m_pDevManage->CreateIGetDeviceInfo(m_strDevName);
    if (!m_pDevInfo)
        return false;
    m_pFunCodeIf = m_pDevInfo->GetFunCodeInterface(m_strDevName, 0);
    return m_pFunCodeIf != nullptr;
}

bool CFunCodeAccess::CheckConnect()
{
    if (m_pDataSrv.load())
        return true;
    if (!m_pDevInfo)
        return false;
    // A null answer is stored too, so the next call asks the host again.
    CDataSrvBase* srv = m_pDevInfo->GetDataSrv(m_strDevName);
    m_pDataSrv.store(srv);
    return srv != nullptr;
}

LinkFailure CFunCodeAccess::ConnectFailure() const
{
    return m_pDevInfo ? m_pDevInfo->GetConnectFailure(m_strDevName) : LinkFailure();
}

bool CFunCodeAccess::Write(CFunCode* p, uint32_t value, DriveError* why)
{
    if (!p)
        return Report(why, DriveError::BadArgument);
    p->SetAmendValue(value);
    const int rc = m_pDataSrv.load()->WriteFunCode(p, kTimeoutMs, true, true);
    if (rc == 0)
        p->m_nCurValue = value;
    return Report(why, rc);
}

bool CFunCodeAccess::Read(CFunCode* p, uint32_t& out, DriveError* why)
{
    if (!p)
        return Report(why, DriveError::BadArgument);
    const int rc = m_pDataSrv.load()->ReadFunCode(p, kTimeoutMs, true);
    if (rc == 0)
        out = p->m_nCurValue;
    return Report(why, rc);
}

bool CFunCodeAccess::WriteFunCodeByNum(const std::wstring& number, uint32_t value, DriveError* why)
{
    if (!CheckConnect())
        return Report(why, m_pDevInfo ? DriveError::NotConnected : DriveError::NotSelected);
    if (!m_pFunCodeIf)
        return Report(why, DriveError::NotSelected);
    return Write(m_pFunCodeIf->GetFunCodePtrByNum(number), value, why);
}

bool CFunCodeAccess::WriteFunCodeByAddr(uint32_t address, uint32_t width, uint32_t value, DriveError* why)
{
    if (!CheckConnect())
        return Report(why, m_pDevInfo ? DriveError::NotConnected : DriveError::NotSelected);
    if (!m_pFunCodeIf)
        return Report(why, DriveError::NotSelected);
    return Write(m_pFunCodeIf->CreateFunCodePtrByAddr(address, width), value, why);
}

bool CFunCodeAccess::ReadFunCodeByAddr(uint32_t address, uint32_t width, uint32_t& out, DriveError* why)
{
    if (!CheckConnect())
        return Report(why, m_pDevInfo ? DriveError::NotConnected : DriveError::NotSelected);
    if (!m_pFunCodeIf)
        return Report(why, DriveError::NotSelected);
    return Read(m_pFunCodeIf->CreateFunCodePtrByAddr(address, width), out, why);
}

bool CFunCodeAccess::ReadFunCodeByNum(const std::wstring& number, uint32_t& out, DriveError* why)
{
    if (!CheckConnect())
        return Report(why, m_pDevInfo ? DriveError::NotConnected : DriveError::NotSelected);
    if (!m_pFunCodeIf)
        return Report(why, DriveError::NotSelected);
    return Read(m_pFunCodeIf->GetFunCodePtrByNum(number), out, why);
}

bool CFunCodeAccess::ReadSpans(const RegSpan* spans, std::size_t n, uint16_t* out, DriveError* why)
{
    if (!CheckConnect())
        return Report(why, m_pDevInfo ? DriveError::NotConnected : DriveError::NotSelected);
    return Report(why, m_pDataSrv.load()->ReadSpans(spans, n, out, kTimeoutMs));
}

void CFunCodeAccess::CancelPending()
{
    if (CDataSrvBase* srv = m_pDataSrv.load())
        srv->CancelPending();
}
