#include "host/data_srv_base.h"

CDataSrvBase::~CDataSrvBase() = default;
