#pragma once
// Reader and writer of .ecam cam profile files (format: docs/ecam-format.md).
//
// Pure code: bytes in, bytes out. ECamProfile carries what the main dialog
// stores in a file: the six texts of its "PUU设定" fields and the key points.
// Encoding never fails; decoding accepts any bytes (a damaged file yields what
// can be read, never a crash). The file reader is stricter: it refuses what
// is not a file, not a profile or beyond the caps of read_limits.h, and it
// reads no further than the rows the count line announces. Callable from
// any thread; no shared state.
#include "cam/ecam_point.h"
#include "files/read_limits.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ecam {

struct ECamProfile {
    std::wstring hostVersion;   // line 1, e.g. L"1.0.0.0"
    std::wstring saveTime;      // line 2, e.g. L"2026年12月05日14:38:36"
    std::wstring masterLength;  // line 3: master length text as typed (6008)
    std::wstring unit;          // line 4: unit name (6009)
    std::wstring slavePulse;    // line 5 before "/" (6012)
    std::wstring slaveUnits;    // line 5 after "/"  (6010)
    std::wstring masterPulse;   // line 6 before "/" (6013)
    std::wstring masterUnits;   // line 6 after "/"  (6011)
    std::vector<ECamPoint> points;
    // Read only: the count line's value. More than points.size() when the
    // file was cut short (the rows that are there are loaded).
    long announcedPoints = 0;
};

// The reader's view of line 3: the leading integer of the master length text.
long ECamMasterLengthValue(const ECamProfile& profile);

// The file's bytes: GBK text, CR LF line ends, no BOM, no trailing empty line.
std::string EncodeECamProfile(const ECamProfile& profile);

// Reads what the bytes hold. Lines 1 and 2 are kept for information only.
// Data rows stop at the count of line 7 or at the end of the bytes, whichever
// comes first; LF and CR LF line ends are both accepted, and a file a text
// editor re-saved as UTF-8 (with or without a byte order mark) reads as the
// GBK original did.
ECamProfile DecodeECamProfile(std::string_view bytes);

// Host version text for line 1: "1, 0, 2, 5" -> "1.0.2.5" ("," to ".", blanks removed).
std::wstring ECamVersionText(std::string_view fileVersion);
// The version text of the running application (from ecam_version.h).
std::wstring ECamHostVersionText();
// Local time formatted "%Y年%m月%d日%H:%M:%S"; empty when formatting fails.
std::wstring ECamSaveTimeText(std::time_t when);

// File access. On failure `error` (if given) receives a readable description
// of the file error (UTF-8), and the functions return false. A failed write
// leaves the file that was there as it was (safe_file.h).
bool WriteECamProfileFile(const std::filesystem::path& path, const ECamProfile& profile,
                          std::string* error = nullptr);
// Reads a regular file only (ReadFailure::NotRegular otherwise); a file whose
// line 7 is not the count line is no profile (NotAProfile, no words in
// `error`); more than kMaxFilePoints rows is TooManyPoints; the read ends
// with TimedOut after `limit`. `kind` (if given) receives the kind of
// failure. `profile` is only written on success.
bool ReadECamProfileFile(const std::filesystem::path& path, ECamProfile& profile,
                         std::string* error = nullptr, ReadFailure* kind = nullptr,
                         std::chrono::milliseconds limit = kReadTimeLimit);

} // namespace ecam
