#include "files/ms_excel_helper.h"

#include "files/file_extension.h"
#include "files/gbk.h"
#include "files/csv_reader.h"
#include "files/ods_reader.h"
#include "files/safe_file.h"
#include "files/xls_reader.h"
#include "files/xls_writer.h"
#include "files/xlsx_reader.h"
#include "files/zip_reader.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using ecam::ReadFailure;

// Reads what the bytes are, whatever the file is called.
void readWorkbook(std::string_view bytes, ecam::CellSink& sink)
{
    if (bytes.empty()) {
        ecam::FailRead(ReadFailure::Damaged); // nothing is no workbook
    } else if (ecam::LooksLikeCompoundDocument(bytes)) {
        ecam::ReadXls(bytes, sink);
    } else if (ecam::ZipReader::LooksLikeZip(bytes)) {
        ecam::ZipReader zip(bytes, sink.Budget());
        if (ecam::IsOdsPackage(zip))
            ecam::ReadOds(zip, sink);
        else if (ecam::IsXlsxPackage(zip))
            ecam::ReadXlsx(zip, sink);
        else
            ecam::FailRead(ReadFailure::Damaged);
    } else if (ecam::LooksLikeText(bytes)) {
        // Markup is no list of values: a web page saved as .xls would read
        // as rows of tags and give wrong points.
        const ecam::ReadFailure markup = ecam::MarkupKind(bytes);
        if (markup != ReadFailure::None)
            ecam::FailRead(markup);
        ecam::ReadCsv(bytes, sink);
    } else {
        ecam::FailRead(ReadFailure::Damaged);
    }
}

// libxlsxwriter writes each sheet into a temporary file of its own before it
// zips them: those go into the target's folder, not the system's, and a
// failure among them shows only in workbook_close's result.
bool writeXlsx(const std::filesystem::path& path, const std::vector<ecam::XlsSheetData>& sheets,
               std::string& error)
{
    std::filesystem::path dir = path.parent_path();
    if (dir.empty())
        dir = ".";
    std::string tmpdir = dir.string();
    auto content = [&](int, const std::filesystem::path& temp, std::string& why) {
        lxw_workbook_options options{};
        options.tmpdir = tmpdir.data();
        errno = 0;
        lxw_workbook* wb = workbook_new_opt(temp.c_str(), &options);
        if (!wb) {
            why = std::strerror(errno ? errno : EIO);
            return false;
        }
        for (const ecam::XlsSheetData& sh : sheets) {
            const std::string name = ecam::WideToUtf8(sh.name);
            lxw_worksheet* ws = workbook_add_worksheet(wb, name.empty() ? nullptr : name.c_str());
            if (!ws)
                ws = workbook_add_worksheet(wb, nullptr); // a name the format refuses
            if (!ws)
                continue;
            for (const auto& [rc, text] : sh.cells)
                worksheet_write_string(ws, static_cast<lxw_row_t>(rc.first),
                                       static_cast<lxw_col_t>(rc.second),
                                       ecam::WideToUtf8(text).c_str(), nullptr);
        }
        errno = 0;
        const lxw_error result = workbook_close(wb);
        if (result == LXW_NO_ERROR)
            return true;
        why = errno ? std::strerror(errno) : lxw_strerror(result);
        return false;
    };
    return ecam::SaveFile(path, content, error);
}

} // namespace

CMSExcelHelper::CMSExcelHelper() = default;
CMSExcelHelper::~CMSExcelHelper() = default;

int CMSExcelHelper::CheckHasExcel()
{
    return 1; // readers and writers are linked in
}

int CMSExcelHelper::OpenExcel(const std::filesystem::path& path, std::chrono::milliseconds limit)
{
    CloseExcel();
    m_failure = ReadFailure::None;
    m_error.clear();
    const std::string ext = ecam::LowerExtension(path);
    if (ext != ".xls" && ext != ".xlsx" && ext != ".xlsm" && ext != ".ods" && ext != ".csv") {
        m_failure = ReadFailure::Damaged;
        return 0;
    }
    ecam::ReadBudget budget(limit);
    std::string bytes;
    if (!ecam::ReadRegularFile(path, ecam::kMaxWorkbookFileBytes, bytes, budget, m_failure, m_error))
        return 0;
    ecam::CellSink sink(budget);
    try {
        readWorkbook(bytes, sink);
    } catch (const ecam::ReadFailed& f) {
        m_failure = f.Kind();
        m_error = ecam::ReadFailureText(m_failure);
        return 0;
    } catch (const std::bad_alloc&) {
        m_failure = ReadFailure::TooLarge;
        m_error = ecam::ReadFailureText(m_failure);
        return 0;
    }
    m_read = sink.TakeSheets();
    m_open = true;
    return 1;
}

int CMSExcelHelper::ReadColumnFromBegin(int sheet, int column, std::vector<std::wstring>& cells)
{
    cells.clear();
    if (!m_open || sheet < 1 || static_cast<size_t>(sheet) > m_read.size())
        return 0;
    const auto& map = m_read[static_cast<size_t>(sheet) - 1].cells;
    int last = 0;
    for (const auto& [rc, text] : map)
        if (rc.second == column)
            last = std::max(last, rc.first);
    cells.resize(static_cast<size_t>(last));
    for (const auto& [rc, text] : map)
        if (rc.second == column)
            cells[static_cast<size_t>(rc.first) - 1] = ecam::Utf8ToWide(text);
    return last;
}

void CMSExcelHelper::CloseExcel()
{
    m_read.clear();
    m_open = false;
}

int CMSExcelHelper::InitExcel(const std::filesystem::path& path)
{
    m_write.clear();
    m_building = false;
    const std::string ext = ecam::LowerExtension(path);
    if (ext != ".xls" && ext != ".xlsx")
        return 0; // never a file whose content differs from its extension
    // Never over a directory, a device or a FIFO: only a new file or a
    // regular one is replaced.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return 0;
    std::error_code ec;
    std::filesystem::path dir = path.parent_path();
    if (dir.empty())
        dir = ".";
    if (!std::filesystem::is_directory(dir, ec) || access(dir.c_str(), W_OK) != 0)
        return 0;
    m_savePath = path;
    m_building = true;
    return 1;
}

int CMSExcelHelper::AddSheet(const std::wstring& name)
{
    if (!m_building)
        return 0;
    m_write.push_back({name, {}});
    return 1;
}

int CMSExcelHelper::WriteLine(int sheet, int row, const std::vector<std::wstring>& cells)
{
    if (!m_building || sheet < 1 || static_cast<size_t>(sheet) > m_write.size() || row < 1)
        return 0;
    auto& map = m_write[static_cast<size_t>(sheet) - 1].cells;
    for (size_t c = 0; c < cells.size(); ++c)
        map[{row, static_cast<int>(c) + 1}] = cells[c];
    return 1;
}

int CMSExcelHelper::CloseAndSaveExcel()
{
    if (!m_building)
        return 0;
    m_building = false;
    std::vector<ecam::XlsSheetData> sheets;
    for (Sheet& sh : m_write) {
        ecam::XlsSheetData data{sh.name, {}};
        for (auto& [rc, text] : sh.cells)
            data.cells[{rc.first - 1, rc.second - 1}] = std::move(text);
        sheets.push_back(std::move(data));
    }
    m_write.clear();
    m_error.clear();
    if (ecam::LowerExtension(m_savePath) == ".xlsx")
        return writeXlsx(m_savePath, sheets, m_error) ? 1 : 0;
    const std::string bytes = ecam::BuildXlsWorkbook(sheets);
    if (bytes.empty()) {
        m_error = "more rows, columns or bytes than a legacy .xls workbook holds";
        return 0;
    }
    return ecam::SaveFile(m_savePath, bytes, m_error) ? 1 : 0;
}
