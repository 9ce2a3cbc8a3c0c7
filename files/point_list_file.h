#pragma once
// Loading and saving a list of key points by file name, for the command-line
// tool: .ecam profiles, CSV point lists ("master,slave,speed,type" per line,
// an optional header line of non-numbers ignored) and special-point
// workbooks (.xls, .xlsx, .ods: first two columns, imported the way the
// panel imports them). Callable from any thread; no shared state.
#include "cam/ecam_point.h"
#include "files/read_limits.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CMSExcelHelper;

namespace ecam {

enum class PointFileKind { Unknown, ECam, Csv, Workbook };

PointFileKind PointFileKindOf(const std::filesystem::path& path);

// Point lines as the tool writes and reads them: "master,slave,speed,type"
// or "master,slave" (speed 0, Linear) per line; '#' starts a comment; LF,
// CR LF or CR end lines; a UTF-8 byte order mark and a first line of column
// names are skipped; the first line's semicolon or tab, if any, separates
// the fields instead of the comma. False with "name:line: why" in `error`,
// also for a master position that does not increase if so asked.
bool ParsePointLines(std::string_view text, const std::string& name, std::vector<ECamPoint>& points,
                     std::string& error, bool strictlyIncreasing);

// On failure `error` receives a readable reason (UTF-8) and false is returned.
// A load that succeeded but lost something (a profile cut short) says so in
// `warning`; it is cleared otherwise.
bool LoadPointList(const std::filesystem::path& path, std::vector<ECamPoint>& points,
                   std::string* error = nullptr, std::string* warning = nullptr);
// The warning for a profile with fewer rows than its count line, or empty.
std::string ShortProfileWarning(const std::filesystem::path& path, size_t rows, long announced);
// Workbooks are written as the panel saves special points (sheet "ECamInfo",
// "%.2f" texts); an .ecam file gets default scaling texts around the points.
bool SavePointList(const std::filesystem::path& path, const std::vector<ECamPoint>& points,
                   std::string* error = nullptr);

// The panel's special-point import rule applied to two columns of cell texts:
// origin point first unless row 1 is (0, 0), rows with an empty cell skipped,
// only complete rows read, the last row of column 1 the one Poly point.
std::vector<ECamPoint> SpecialPointsFromColumns(const std::vector<std::wstring>& first,
                                                const std::vector<std::wstring>& second);

// The panel's special-point import and save, shared with the command-line
// tool so that both read and write the same way.
//
// Import: the first two columns of sheet 1 through SpecialPointsFromColumns,
// then the speeds at the ends of linear segments derived as the point set
// derives them. Fails (with `kind`) when the workbook cannot be read, holds
// no complete row (Damaged) or more than kMaxFilePoints points.
bool ImportSpecialPointsWorkbook(CMSExcelHelper& excel, const std::filesystem::path& path,
                                 std::vector<ECamPoint>& points, ReadFailure* kind = nullptr,
                                 std::string* error = nullptr,
                                 std::chrono::milliseconds limit = kReadTimeLimit);
// Speeds of the imported points: each Linear point gets the slope to the
// next point, and a Poly point after a line the line's slope.
void DeriveImportSpeeds(std::vector<ECamPoint>& points);

// Save: sheet "ECamInfo", one row per point, master and slave as "%.2f"
// texts (C rounding of the exact binary value: 0.125 gives "0.12").
enum class SpecialSaveResult { Saved, CannotCreate, CannotWrite };
// CannotWrite leaves the file that was there untouched, and `error` (if
// given) receives the reason.
SpecialSaveResult SaveSpecialPointsWorkbook(CMSExcelHelper& excel, const std::filesystem::path& path,
                                            const std::vector<ECamPoint>& points,
                                            std::string* error = nullptr);
// What a special-point workbook of `points` would not give back when it is
// imported again: "speeds and segment types", "positions beyond two
// decimals", both joined by " and ", or empty when nothing is lost.
std::string SpecialSaveLosses(const std::vector<ECamPoint>& points);
// The cell text of a saved position.
std::wstring SpecialPointText(double v);

} // namespace ecam
