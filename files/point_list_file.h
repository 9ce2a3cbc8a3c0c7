#pragma once
// Loading and saving a list of key points by file name, for the command-line
// tool: .ecam profiles, CSV point lists ("master,slave,speed,type" per line,
// an optional header line of non-numbers ignored) and special-point
// workbooks (.xls, .xlsx, .ods: first two columns, imported the way the
// panel imports them). Callable from any thread; no shared state.
#include "cam/ecam_point.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ecam {

enum class PointFileKind { Unknown, ECam, Csv, Workbook };

PointFileKind PointFileKindOf(const std::filesystem::path& path);

// On failure `error` receives a readable reason (UTF-8) and false is returned.
bool LoadPointList(const std::filesystem::path& path, std::vector<ECamPoint>& points,
                   std::string* error = nullptr);
// Workbooks are written as the panel saves special points (sheet "ECamInfo",
// "%.2f" texts); an .ecam file gets default scaling texts around the points.
bool SavePointList(const std::filesystem::path& path, const std::vector<ECamPoint>& points,
                   std::string* error = nullptr);

// The panel's special-point import rule applied to two columns of cell texts:
// origin point first unless row 1 is (0, 0), rows with an empty cell skipped,
// only complete rows read, the last row of column 1 the one Poly point.
std::vector<ECamPoint> SpecialPointsFromColumns(const std::vector<std::wstring>& first,
                                                const std::vector<std::wstring>& second);

} // namespace ecam
