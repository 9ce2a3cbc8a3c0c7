#pragma once
// The cam a command works on, named on the command line the way
// "ecamctl curve" takes it: "-" (or nothing) for "master,slave,speed,type"
// lines on standard input, a profile (.ecam) or workbook loaded as the panel
// loads it, any other file read as point lines ('#' comments). Shared by
// curve, peaks and render. Single-threaded use from a command.
#include "cam/ecam_point.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ecamctl {

// Whole-field conversions: a command-line file is checked strictly, so a
// typo is reported instead of silently read as 0.
bool ParseDouble(const std::string& field, double& value);
bool ParseLong(const std::string& field, long& value);

// Reads "master,slave,speed,type" lines; on failure fills error with a
// message naming the line (name:line: ...).
bool ReadPointLines(std::istream& in, const std::string& name, std::vector<ECamPoint>& points,
                    std::string& error);

// Loads the key points of `arg`; false with the message to print after
// "ecamctl CMD: " (a usage-class error, status 2).
bool LoadCamPoints(const std::string& arg, std::vector<ECamPoint>& points, std::string& error);

} // namespace ecamctl
