#pragma once
// CDataSrvBase: the data service of one device: reads and writes single drive
// parameters. Owned by the device's IGetDeviceInfo; callers never free it.
//
// Both operations complete before they return and may be called from any
// thread; an implementation serialises calls on one connection itself.
// Answers: 0 success, otherwise a DriveError code (see host/drive_error.h).
#include "host/fun_code.h"
#include "host/host_api.h"

#include <cstddef>
#include <cstdint>

// A run of consecutive holding registers.
struct RegSpan {
    uint16_t address = 0;
    uint16_t count = 0;
};

class ECAM_HOST_API CDataSrvBase {
public:
    virtual ~CDataSrvBase();
    // Writes p->m_nAmendValue. timeoutMs: response timeout in milliseconds.
    // waitAnswer: wait for the drive's answer (always done here);
    // checkRange: refuse locally a value that does not fit the width.
    // On success the caller stores the value as current (the data service
    // does not touch m_nCurValue on writes).
    virtual int WriteFunCode(CFunCode* p, unsigned timeoutMs, bool waitAnswer, bool checkRange) = 0;
    // Reads the drive's value into p->m_nCurValue (16-bit values widened by
    // the parameter's signedness). On failure m_nCurValue is unchanged.
    virtual int ReadFunCode(CFunCode* p, unsigned timeoutMs, bool waitAnswer) = 0;
    // Any thread: a request waiting for its answer (or for its turn) gives up
    // promptly with DriveError::Cancelled. Requests started after this returns
    // are not affected. Default: nothing to cancel.
    virtual void CancelPending() {}
    // One checked pass over several register runs (function 03, 1 to 125
    // registers each, every run a different length): `out` receives the
    // words of all runs in order, and only when the whole pass was clean.
    // Default: not supported (BadArgument).
    virtual int ReadSpans(const RegSpan* spans, std::size_t n, uint16_t* out, unsigned timeoutMs);
};
