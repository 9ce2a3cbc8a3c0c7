#include "host/data_srv_base.h"

#include "host/drive_error.h"

CDataSrvBase::~CDataSrvBase() = default;

int CDataSrvBase::ReadSpans(const RegSpan*, std::size_t, uint16_t*, unsigned)
{
    return DriveError::BadArgument;
}
