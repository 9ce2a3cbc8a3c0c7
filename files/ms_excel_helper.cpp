#include "files/ms_excel_helper.h"

#include "files/file_extension.h"
#include "files/gbk.h"
#include "files/isolated_read.h"
#include "files/xls_writer.h"

#include <freexl.h>
#include <orcus/csv_parser.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <ixion/address.hpp>
#include <ixion/cell.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/model_context.hpp>
#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

using CellMap = std::map<std::pair<int, int>, std::wstring>;

// Shortest text that reads back as the same number: 0, 10.5, 1e+20.
std::wstring numberText(double v)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    if (ec != std::errc())
        return {};
    return ecam::Utf8ToWide(std::string_view(buf, static_cast<size_t>(end - buf)));
}

// CSV through the library's low-level parser, so a cell's text stays exactly
// as written ("0.00" stays "0.00").
class CsvHandler {
public:
    explicit CsvHandler(CellMap& cells) : m_cells(cells) {}
    void begin_parse() {}
    void end_parse() {}
    // Rows are counted at their ends: the parser reports a row's beginning
    // only once its first cell has been read.
    void begin_row() {}
    void end_row()
    {
        ++m_row;
        m_col = 1;
    }
    void cell(const char* p, size_t n, bool /*transient*/)
    {
        if (n > 0)
            m_cells[{m_row, m_col}] = ecam::Utf8ToWide(std::string_view(p, n));
        ++m_col;
    }

private:
    CellMap& m_cells;
    int m_row = 1;
    int m_col = 1;
};

bool readCsv(const std::string& raw, std::vector<CellMap>& sheets)
{
    // The parser takes LF as the row end and refuses a CR right after a
    // quoted cell, so CR LF line ends become LF first.
    std::string bytes;
    bytes.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i)
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n'))
            bytes += raw[i];
    sheets.assign(1, {});
    CsvHandler handler(sheets[0]);
    orcus::csv::parser_config config;
    config.delimiters.push_back(',');
    config.text_qualifier = '"';
    orcus::csv_parser<CsvHandler> parser(bytes.data(), bytes.size(), handler, config);
    parser.parse();
    return true;
}

// A formula cell reads as its cached result, as a spreadsheet shows it;
// a formula that was saved without a result reads as an empty cell.
std::wstring formulaText(const ixion::model_context& cxt, const ixion::abs_address_t& addr)
{
    const ixion::formula_cell* cell = cxt.get_formula_cell(addr);
    if (!cell)
        return {};
    try {
        const ixion::formula_result r =
            cell->get_result_cache(ixion::formula_result_wait_policy_t::throw_exception);
        if (r.get_type() == ixion::formula_result::result_type::value)
            return numberText(r.get_value());
        if (r.get_type() == ixion::formula_result::result_type::string)
            return ecam::Utf8ToWide(r.get_string());
    } catch (...) {
    }
    return {};
}

bool readDocument(orcus::iface::import_filter& filter, const std::string& bytes,
                  orcus::spreadsheet::document& doc, std::vector<CellMap>& sheets)
{
    filter.read_stream(bytes);
    const ixion::model_context& cxt = doc.get_model_context();
    for (size_t s = 0; s < doc.get_sheet_count(); ++s) {
        CellMap cells;
        const orcus::spreadsheet::sheet* sh = doc.get_sheet(static_cast<orcus::spreadsheet::sheet_t>(s));
        if (sh) {
            const ixion::abs_range_t range = sh->get_data_range();
            if (range.valid()) {
                for (ixion::row_t r = range.first.row; r <= range.last.row; ++r) {
                    for (ixion::col_t c = range.first.column; c <= range.last.column; ++c) {
                        const ixion::abs_address_t addr(static_cast<ixion::sheet_t>(s), r, c);
                        std::wstring text;
                        switch (cxt.get_celltype(addr)) {
                        case ixion::celltype_t::string:
                            text = ecam::Utf8ToWide(cxt.get_string_value(addr));
                            break;
                        case ixion::celltype_t::numeric:
                            text = numberText(cxt.get_numeric_value(addr));
                            break;
                        case ixion::celltype_t::boolean:
                            text = cxt.get_boolean_value(addr) ? L"1" : L"0";
                            break;
                        case ixion::celltype_t::formula:
                            text = formulaText(cxt, addr);
                            break;
                        default:
                            break;
                        }
                        if (!text.empty())
                            cells[{r + 1, c + 1}] = std::move(text);
                    }
                }
            }
        }
        sheets.push_back(std::move(cells));
    }
    return true;
}

bool readOrcusSized(const std::string& ext, const std::string& bytes, std::vector<CellMap>& sheets,
                    orcus::spreadsheet::col_t columns)
{
    // The document model (not a custom factory): the ODS importer needs the
    // styles that only the model provides.
    orcus::spreadsheet::document doc({1048576, columns});
    orcus::spreadsheet::import_factory factory(doc);
    if (ext == ".ods") {
        orcus::orcus_ods filter(&factory);
        return readDocument(filter, bytes, doc, sheets);
    }
    orcus::orcus_xlsx filter(&factory);
    return readDocument(filter, bytes, doc, sheets);
}

bool readOrcus(const std::string& ext, const std::string& bytes, std::vector<CellMap>& sheets)
{
    // The model's cost grows with the sheet's column count, and point lists
    // are narrow: try a narrow sheet first, and the full width only for a
    // workbook that does not fit it.
    try {
        return readOrcusSized(ext, bytes, sheets, 64);
    } catch (...) {
        sheets.clear();
    }
    return readOrcusSized(ext, bytes, sheets, 16384);
}

bool readXls(const std::filesystem::path& path, std::vector<CellMap>& sheets)
{
    const void* handle = nullptr;
    // A damaged file can be "opened" without a handle.
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK || !handle) {
        if (handle)
            freexl_close(handle);
        return false;
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        count = 0;
    for (unsigned int s = 0; s < count; ++s) {
        CellMap cells;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(handle, static_cast<unsigned short>(s)) == FREEXL_OK
            && freexl_worksheet_dimensions(handle, &rows, &cols) == FREEXL_OK) {
            for (unsigned int r = 0; r < rows; ++r) {
                for (unsigned short c = 0; c < cols; ++c) {
                    FreeXL_CellValue v;
                    if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK)
                        continue;
                    std::wstring text;
                    switch (v.type) {
                    case FREEXL_CELL_INT:
                        text = std::to_wstring(v.value.int_value);
                        break;
                    case FREEXL_CELL_DOUBLE:
                        text = numberText(v.value.double_value);
                        break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT:
                    case FREEXL_CELL_DATE:
                    case FREEXL_CELL_DATETIME:
                    case FREEXL_CELL_TIME:
                        if (v.value.text_value)
                            text = ecam::Utf8ToWide(v.value.text_value);
                        break;
                    default:
                        break;
                    }
                    if (!text.empty())
                        cells[{static_cast<int>(r) + 1, c + 1}] = std::move(text);
                }
            }
        }
        sheets.push_back(std::move(cells));
    }
    freexl_close(handle);
    return true;
}

bool readFile(const std::filesystem::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Cells travel from the reading child as: sheet count, then per sheet the
// cell count and per cell row, column, byte length and UTF-8 text.
void pack32(std::string& s, uint32_t v)
{
    s.append(reinterpret_cast<const char*>(&v), sizeof v);
}

std::string packSheets(const std::vector<CellMap>& sheets)
{
    std::string s;
    pack32(s, static_cast<uint32_t>(sheets.size()));
    for (const CellMap& cells : sheets) {
        pack32(s, static_cast<uint32_t>(cells.size()));
        for (const auto& [rc, text] : cells) {
            const std::string utf8 = ecam::WideToUtf8(text);
            pack32(s, static_cast<uint32_t>(rc.first));
            pack32(s, static_cast<uint32_t>(rc.second));
            pack32(s, static_cast<uint32_t>(utf8.size()));
            s += utf8;
        }
    }
    return s;
}

bool unpackSheets(const std::string& s, std::vector<CellMap>& sheets)
{
    size_t pos = 0;
    auto get = [&](uint32_t& v) {
        if (s.size() - pos < sizeof v)
            return false;
        std::memcpy(&v, s.data() + pos, sizeof v);
        pos += sizeof v;
        return true;
    };
    uint32_t count = 0;
    if (!get(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t cells = 0;
        if (!get(cells))
            return false;
        CellMap map;
        for (uint32_t c = 0; c < cells; ++c) {
            uint32_t row = 0, col = 0, len = 0;
            if (!get(row) || !get(col) || !get(len) || s.size() - pos < len)
                return false;
            map[{static_cast<int>(row), static_cast<int>(col)}] = ecam::Utf8ToWide(std::string_view(s.data() + pos, len));
            pos += len;
        }
        sheets.push_back(std::move(map));
    }
    return true;
}

bool writeXlsx(const std::filesystem::path& path, const std::vector<ecam::XlsSheetData>& sheets)
{
    lxw_workbook* wb = workbook_new(path.c_str());
    if (!wb)
        return false;
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
    return workbook_close(wb) == LXW_NO_ERROR;
}

} // namespace

CMSExcelHelper::CMSExcelHelper() = default;
CMSExcelHelper::~CMSExcelHelper() = default;

int CMSExcelHelper::CheckHasExcel()
{
    return 1; // readers and writers are linked in
}

int CMSExcelHelper::OpenExcel(const std::filesystem::path& path)
{
    CloseExcel();
    const std::string ext = ecam::LowerExtension(path);
    std::vector<CellMap> sheets;
    if (ext != ".xls" && ext != ".xlsx" && ext != ".xlsm" && ext != ".ods" && ext != ".csv")
        return 0;
    try {
        if (ext == ".csv") {
            // Our own parsing of plain text: read in this process.
            std::string bytes;
            if (!readFile(path, bytes) || !readCsv(bytes, sheets))
                return 0;
        } else {
            // Binary and zipped formats go through libraries that can crash
            // on damaged files: read them in a child process.
            std::string packed;
            const bool ok = ecam::RunIsolated(
                [&](std::string& out) {
                    std::vector<CellMap> result;
                    if (ext == ".xls") {
                        if (!readXls(path, result))
                            return false;
                    } else {
                        std::string bytes;
                        if (!readFile(path, bytes) || !readOrcus(ext, bytes, result))
                            return false;
                    }
                    out = packSheets(result);
                    return true;
                },
                packed);
            if (!ok || !unpackSheets(packed, sheets))
                return 0;
        }
    } catch (...) {
        // The readers throw on damaged files; to the caller that is simply
        // a workbook that cannot be opened.
        return 0;
    }
    for (CellMap& cells : sheets)
        m_read.push_back({L"", std::move(cells)});
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
            cells[static_cast<size_t>(rc.first) - 1] = text;
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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return 0;
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
    if (ecam::LowerExtension(m_savePath) == ".xlsx")
        return writeXlsx(m_savePath, sheets) ? 1 : 0;
    const std::string bytes = ecam::BuildXlsWorkbook(sheets);
    if (bytes.empty())
        return 0;
    std::ofstream out(m_savePath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out.fail() ? 0 : 1;
}
