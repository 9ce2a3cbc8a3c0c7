#pragma once
// The standard cam table back from the drive: the point count (0x1B08), then
// the table from 0x1E00 in checked block passes (CBlockReader), turned back
// into key points: positions / 1000, speed / 100, segment code 1 -> Linear,
// 0 -> Poly. The speed comes back with two decimals (the drive holds it x 100).
// Used by ecamctl read-cam and the panel's "从驱动器读取凸轮表".
//
// Runs on one thread at a time; borrows the field access and the stop object.
// Messages are UTF-8, in the panel's words.
#include "cam/ecam_point.h"
#include "drive/cam_field_io.h"
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"

#include <string>
#include <vector>

class CTransferStop;

namespace camreadback {

enum Result {
    kOk,
    kStopped,
    kNoAnswer,      // "驱动器无响应"
    kReadFailed,    // the answers could not be read cleanly
    kBadCount,      // 0, 1 or more than 272 points
    kBadSegment,    // a segment code other than 0 or 1
};

struct Outcome {
    Result result = kOk;
    std::string message;   // empty on success
};

// Reads count and table; on success `points` holds the key points.
Outcome ReadStandardCam(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop, std::vector<ECamPoint>& points);

// The key points of a standard table as the drive holds it.
Outcome PointsFromTable(const std::vector<CamTable_Info>& table, std::vector<ECamPoint>& points);

} // namespace camreadback
