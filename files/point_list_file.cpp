#include "files/point_list_file.h"

#include "files/ecam_file.h"
#include "files/file_extension.h"
#include "files/gbk.h"
#include "cam/c_number.h"
#include "files/ms_excel_helper.h"
#include "files/safe_file.h"
#include "cam/ecam_point_set.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <utility>

namespace ecam {
namespace {

std::string trim(std::string_view s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

// Whole-field numbers: a point list given on the command line is checked
// strictly, so a typo is reported rather than read as 0.
bool parseFinite(const std::string& field, double& v)
{
    const std::string t = trim(field);
    if (t.empty())
        return false;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() && end == t.data() + t.size() && std::isfinite(v);
}

// The next line of `text` from `pos`: LF, CR LF and a lone CR (old Mac
// programs) all end a line.
bool nextLine(std::string_view text, size_t& pos, std::string_view& line)
{
    if (pos >= text.size())
        return false;
    const size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    line = text.substr(pos, end - pos);
    pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    return true;
}

std::vector<std::string> splitFields(std::string_view line, char sep)
{
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t at = line.find(sep, start);
        fields.emplace_back(line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return fields;
        start = at + 1;
    }
}

bool loadCsv(const std::filesystem::path& path, std::vector<ECamPoint>& points, std::string& error)
{
    std::string bytes;
    ReadBudget budget;
    ReadFailure kind = ReadFailure::None;
    if (!ReadRegularFile(path, kMaxWorkbookFileBytes, bytes, budget, kind, error)) {
        error = path.string() + ": " + error;
        return false;
    }
    return ParsePointLines(bytes, path.string(), points, error, false);
}

bool saveCsv(const std::filesystem::path& path, const std::vector<ECamPoint>& points,
             std::string& error)
{
    std::string text = "# master,slave,speed,type\n";
    char buf[128];
    for (const ECamPoint& p : points) {
        // %.17g keeps every bit of the value, so a conversion loses nothing.
        std::snprintf(buf, sizeof buf, "%.17g,%.17g,%.17g,%d\n", p.master, p.slave, p.speed,
                      p.type == kECamPoly ? 1 : 0);
        text += buf;
    }
    if (!SaveFile(path, text, error)) {
        error = path.string() + ": " + error;
        return false;
    }
    return true;
}

} // namespace

bool ParsePointLines(std::string_view text, const std::string& name, std::vector<ECamPoint>& points,
                     std::string& error, bool strictlyIncreasing)
{
    points.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::string_view raw;
    size_t pos = 0;
    int lineNo = 0;
    char sep = 0;
    bool firstData = true;
    while (nextLine(text, pos, raw)) {
        ++lineNo;
        std::string line(raw.substr(0, raw.find('#')));
        if (trim(line).empty())
            continue;
        if (points.size() >= kMaxFilePoints) {
            error = name + ": " + ReadFailureText(ReadFailure::TooManyPoints);
            return false;
        }
        // The first line fixes the separator: a semicolon, else a tab, else
        // a comma.
        if (!sep)
            sep = line.find(';') != std::string::npos ? ';' : line.find('\t') != std::string::npos ? '\t' : ',';
        const std::vector<std::string> fields = splitFields(line, sep);
        const std::string where = name + ":" + std::to_string(lineNo) + ": ";
        double first = 0;
        // A first line of column names ("master,slave,...") is a header.
        if (std::exchange(firstData, false) && !parseFinite(fields[0], first))
            continue;
        if (fields.size() != 4 && fields.size() != 2) {
            error = where + "应有4个字段 (主轴,从轴,速度,类型), 实有" + std::to_string(fields.size()) + "个";
            return false;
        }
        ECamPoint p{0, 0, 0, kECamLinear};
        double type = 0;
        if (!parseFinite(fields[0], p.master) || !parseFinite(fields[1], p.slave)
            || (fields.size() == 4 && !parseFinite(fields[2], p.speed))) {
            error = where + "主轴、从轴和速度须为有限数";
            return false;
        }
        if (fields.size() == 4
            && (!parseFinite(fields[3], type) || (type != kECamLinear && type != kECamPoly))) {
            error = where + "类型须为 0 (Linear) 或 1 (Poly)";
            return false;
        }
        if (strictlyIncreasing && !points.empty() && !(p.master > points.back().master)) {
            error = where + "主轴位置须严格递增";
            return false;
        }
        p.type = static_cast<int32_t>(type);
        points.push_back(p);
    }
    return true;
}

PointFileKind PointFileKindOf(const std::filesystem::path& path)
{
    const std::string ext = LowerExtension(path);
    if (ext == ".ecam")
        return PointFileKind::ECam;
    if (ext == ".csv")
        return PointFileKind::Csv;
    if (ext == ".xls" || ext == ".xlsx" || ext == ".ods")
        return PointFileKind::Workbook;
    return PointFileKind::Unknown;
}

std::vector<ECamPoint> SpecialPointsFromColumns(const std::vector<std::wstring>& first,
                                                const std::vector<std::wstring>& second)
{
    std::vector<ECamPoint> points;
    // An empty first column, or a second column shorter than the first, is
    // read as far as its rows are complete; a missing cell counts as empty.
    auto cell = [](const std::vector<std::wstring>& col, size_t i) -> const std::wstring* {
        return i < col.size() ? &col[i] : nullptr;
    };
    const double m0 = first.empty() ? 0.0 : LeadingDouble(first[0]);
    const double s0 = second.empty() ? 0.0 : LeadingDouble(second[0]);
    if (!first.empty() && !(m0 == 0.0 && s0 == 0.0))
        points.push_back({0.0, 0.0, 0.0, kECamLinear});
    points.reserve(points.size() + first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        const std::wstring* m = cell(first, i);
        const std::wstring* s = cell(second, i);
        if (!m || !s || m->empty() || s->empty())
            continue;
        const int32_t type = i + 1 == first.size() ? kECamPoly : kECamLinear;
        // "nan" and "inf" are no positions: 0, like any other non-number.
        const double mv = LeadingDouble(*m), sv = LeadingDouble(*s);
        points.push_back({std::isfinite(mv) ? mv : 0.0, std::isfinite(sv) ? sv : 0.0, 0.0, type});
    }
    return points;
}

std::string ShortProfileWarning(const std::filesystem::path& path, size_t rows, long announced)
{
    if (announced <= static_cast<long>(rows))
        return {};
    return path.string() + ": 只有" + std::to_string(rows) + "行点数据, 少于点数行所写的"
           + std::to_string(announced) + "个 (文件被截断?)";
}

bool LoadPointList(const std::filesystem::path& path, std::vector<ECamPoint>& points,
                   std::string* error, std::string* warning)
{
    if (warning)
        warning->clear();
    std::string err;
    bool ok = false;
    points.clear();
    switch (PointFileKindOf(path)) {
    case PointFileKind::ECam: {
        ECamProfile profile;
        ok = ReadECamProfileFile(path, profile, &err);
        if (ok && warning)
            *warning = ShortProfileWarning(path, profile.points.size(), profile.announcedPoints);
        if (ok)
            points = std::move(profile.points);
        else
            err = path.string() + ": " + err;
        break;
    }
    case PointFileKind::Csv:
        ok = loadCsv(path, points, err);
        break;
    case PointFileKind::Workbook: {
        CMSExcelHelper excel;
        ok = ImportSpecialPointsWorkbook(excel, path, points, nullptr, &err);
        if (!ok)
            err = path.string() + ": " + (err.empty() ? "无法读取表格文件" : err);
        break;
    }
    case PointFileKind::Unknown:
        err = path.string() + ": 未知的文件类型 (可用 .ecam, .csv, .xls, .xlsx 或 .ods)";
        break;
    }
    if (!ok && error)
        *error = err;
    return ok;
}

bool SavePointList(const std::filesystem::path& path, const std::vector<ECamPoint>& points,
                   std::string* error)
{
    std::string err;
    bool ok = false;
    // Never write what could not be opened again.
    if (points.size() > kMaxFilePoints) {
        if (error)
            *error = path.string() + ": " + ReadFailureText(ReadFailure::TooManyPoints);
        return false;
    }
    switch (PointFileKindOf(path)) {
    case PointFileKind::ECam: {
        // A file made outside the panel carries the panel's default scaling:
        // the master length is the last point's position.
        ECamProfile profile;
        profile.hostVersion = ECamHostVersionText();
        profile.saveTime = ECamSaveTimeText(std::time(nullptr));
        const double last = points.empty() ? 1000.0 : points.back().master;
        profile.masterLength = std::to_wstring(static_cast<long>(std::lround(last)));
        profile.unit = L"";
        profile.slavePulse = L"1";
        profile.slaveUnits = L"1";
        profile.masterPulse = L"1";
        profile.masterUnits = L"1";
        profile.points = points;
        ok = WriteECamProfileFile(path, profile, &err);
        if (!ok)
            err = path.string() + ": " + err;
        break;
    }
    case PointFileKind::Csv:
        ok = saveCsv(path, points, err);
        break;
    case PointFileKind::Workbook: {
        CMSExcelHelper excel;
        const SpecialSaveResult r = LowerExtension(path) == ".ods"
                                        ? SpecialSaveResult::CannotCreate
                                        : SaveSpecialPointsWorkbook(excel, path, points, &err);
        ok = r == SpecialSaveResult::Saved;
        if (r == SpecialSaveResult::CannotCreate)
            err = path.string() + ": 无法创建表格文件 (.xls 或 .xlsx)";
        else if (r == SpecialSaveResult::CannotWrite)
            err = path.string() + ": 无法写入表格文件: " + err;
        break;
    }
    case PointFileKind::Unknown:
        err = path.string() + ": 未知的文件类型 (可用 .ecam, .csv, .xls 或 .xlsx)";
        break;
    }
    if (!ok && error)
        *error = err;
    return ok;
}

bool ImportSpecialPointsWorkbook(CMSExcelHelper& excel, const std::filesystem::path& path,
                                 std::vector<ECamPoint>& points, ReadFailure* kind, std::string* error,
                                 std::chrono::milliseconds limit)
{
    auto fail = [&](ReadFailure k, const std::string& words) {
        if (kind)
            *kind = k;
        if (error)
            *error = words;
        return false;
    };
    if (!excel.OpenExcel(path, limit))
        return fail(excel.LastFailure(), excel.LastError());
    std::vector<std::wstring> first, second;
    excel.ReadColumnFromBegin(1, 1, first);
    excel.ReadColumnFromBegin(1, 2, second);
    excel.CloseExcel();
    // At most a sheet's rows (a million): small enough to build, then check.
    // The cap counts the rows the file holds, not the origin point the
    // import adds, so a workbook of kMaxFilePoints rows opens again.
    std::vector<ECamPoint> list = SpecialPointsFromColumns(first, second);
    const bool addedOrigin = !first.empty()
                             && !(LeadingDouble(first[0]) == 0.0 && (second.empty() || LeadingDouble(second[0]) == 0.0));
    if (list.size() - (addedOrigin ? 1 : 0) > kMaxFilePoints)
        return fail(ReadFailure::TooManyPoints, ReadFailureText(ReadFailure::TooManyPoints));
    // A workbook without a single complete row holds no cam.
    if (list.empty())
        return fail(ReadFailure::Damaged, "没有一行有完整的两个单元格");
    DeriveImportSpeeds(list);
    points = std::move(list);
    return true;
}

void DeriveImportSpeeds(std::vector<ECamPoint>& points)
{
    // The point set's own rule, so the panel and the tool agree.
    CECamPointSet set;
    set.SetPoints(points);
    set.RelinkLinearSpeeds();
    set.GetPoints(points);
}

std::string SpecialSaveLosses(const std::vector<ECamPoint>& points)
{
    std::vector<std::wstring> first, second;
    for (const ECamPoint& p : points) {
        first.push_back(SpecialPointText(p.master));
        second.push_back(SpecialPointText(p.slave));
    }
    // Read back exactly as the import reads it.
    std::vector<ECamPoint> back = SpecialPointsFromColumns(first, second);
    DeriveImportSpeeds(back);
    if (back.size() != points.size())
        return "点列表 (导入时会加入原点 0, 0)";
    bool kinds = false, places = false;
    for (size_t i = 0; i < points.size(); ++i) {
        kinds = kinds || back[i].type != points[i].type || std::fabs(back[i].speed - points[i].speed) > 1e-9;
        places = places || back[i].master != points[i].master || back[i].slave != points[i].slave;
    }
    // Whole phrases, so the UI can translate each as one text.
    if (kinds && places)
        return "速度、段类型和两位小数以外的位置";
    return kinds ? "速度和段类型" : places ? "两位小数以外的位置" : "";
}

std::wstring SpecialPointText(double v)
{
    return FixedText(v, 2);
}

SpecialSaveResult SaveSpecialPointsWorkbook(CMSExcelHelper& excel, const std::filesystem::path& path,
                                            const std::vector<ECamPoint>& points, std::string* error)
{
    if (!excel.InitExcel(path))
        return SpecialSaveResult::CannotCreate;
    excel.AddSheet(L"ECamInfo");
    int row = 1;
    for (const ECamPoint& p : points)
        excel.WriteLine(1, row++, {SpecialPointText(p.master), SpecialPointText(p.slave)});
    // A workbook that could not be written (full disk, more rows than a
    // legacy workbook holds) is reported apart from one that could not start.
    if (excel.CloseAndSaveExcel())
        return SpecialSaveResult::Saved;
    if (error)
        *error = excel.LastError();
    return SpecialSaveResult::CannotWrite;
}

} // namespace ecam
