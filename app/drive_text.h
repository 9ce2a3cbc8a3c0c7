// How the host names a drive and a drive error to the user: a device URL in
// readable words ("Modbus TCP 192.168.1.10:502 站号 1") and a DriveError as
// one phrase, both in the UI's language. Plain functions, any thread.
#pragma once

#include <QString>

struct DeviceUrl;
class DriveError;

QString DescribeDeviceUrl(const DeviceUrl& url);
QString DescribeDriveError(const DriveError& error);
