#pragma once
// What a cam write puts into the drive for a profile file, and the read-back
// that checks it. write and verify both build their target here, so verify
// compares with exactly the table, count and scaling write would send.
// Single-threaded use from a command.
#include "drive/cam_field_io.h"
#include "drive/cam_verify.h"

#include <string>

class CTransferStop;

namespace ecamctl {

// Reads the profile and builds what the write sends: with `special` the
// resampled special table of at most V points (specialText) and its count,
// otherwise the standard table, its count and the axis scaling checked as
// the panel checks it. False with the user's message (a usage-class error).
bool PrepareCamWrite(const std::string& file, bool special, const std::string& specialText,
                     camverify::Expected& out, std::string& error);

// Reads everything back with a progress bar. Prints "凸轮点校验成功! N points"
// to stdout and returns 0 when all matches; otherwise prints the headline and
// one line per mismatch (all of them) to stderr, prefixed by "ecamctl CMD: ",
// and returns 3; 1 when stopped.
int VerifyCamWrite(ICamFieldIo& io, const camverify::Expected& expected, CTransferStop& stop, const char* command);

} // namespace ecamctl
