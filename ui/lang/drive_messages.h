#pragma once
// The drive layer's words for the user (the axis-scaling checks of
// drive/puu_params.h and the read-back differences of drive/cam_verify.h)
// in the UI's language. The drive layer writes them in Chinese and knows
// nothing of Qt, so they are translated where the panel shows them; in
// Chinese the texts are the drive layer's own, byte for byte.
// GUI thread, after the translators are installed.
#include "drive/cam_read_back.h"
#include "drive/cam_verify.h"

#include <QString>

#include <cstddef>
#include <vector>

// A message of puu::CheckInput / puu::CheckRanges; one the panel does not
// know is shown as it came.
QString PuuMessage(const char* message);

// camverify::Describe and camverify::DescribeList.
QString MismatchLine(const camverify::Mismatch& m);
QString MismatchList(const std::vector<camverify::Mismatch>& mismatches, std::size_t max);

// Why camreadback::ReadStandardCam refused the drive's table (empty for kOk).
QString CamReadBackMessage(const camreadback::Outcome& outcome);
