#pragma once
// CFunCodeFieldIo: the cam transfers' field access (ICamFieldIo) on top of
// the panel's CFunCodeAccess, so the panel and ecamctl run one transfer
// implementation against the real host services. It remembers why the last
// failed call failed, for ecamctl's messages and for tests.
//
// Borrows the access object, which must outlive it. Same thread rules as
// CFunCodeAccess: one GUI thread and one worker may use the shared access
// object, each through its own CFunCodeFieldIo.
#include "drive/cam_field_io.h"
#include "host/drive_error.h"

class CFunCodeAccess;

class CFunCodeFieldIo : public ICamFieldIo {
public:
    explicit CFunCodeFieldIo(CFunCodeAccess& access) : m_access(access) {}

    bool CheckConnect() override;
    bool WriteField(uint16_t address, uint32_t width, uint32_t value) override;
    bool ReadField(uint16_t address, uint32_t width, uint32_t& out) override;
    bool ReadSpans(const std::vector<RegSpan>& spans, std::vector<uint16_t>& out) override;
    bool LastFailureWasSilence() const override
    {
        return m_lastError.kind() == DriveError::Timeout || m_lastError.kind() == DriveError::NotConnected;
    }

    // Why the most recent failed call failed (Ok when none failed yet).
    const DriveError& LastError() const { return m_lastError; }

private:
    CFunCodeAccess& m_access;
    DriveError m_lastError;
};
