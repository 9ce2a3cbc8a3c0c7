#pragma once
// CMSExcelHelper: reads and writes the special-point workbooks.
//
// Reading: a path named .xls, .xlsx, .xlsm, .ods or .csv is read as what its
// content is (legacy .xls, .xlsx, .ods or comma-separated text), by the
// readers of this folder, in this process, bounded in time and memory
// (read_limits.h): a damaged or hostile file fails, within about 2 s,
// never crashes or blocks. Writing: .xlsx, and legacy .xls through a small
// writer of our own (one sheet of text cells); the format is chosen by the
// extension of the path given to InitExcel, and a path with any other
// extension is refused, so a file never holds a format other than its
// extension says.
// One object handles one workbook at a time (open/read/close, or
// init/add sheet/write/close-and-save). The owner (the main dialog) calls it
// from one thread; separate objects are independent. Nonzero results mean
// success, as the callers expect.
#include "files/read_limits.h"
#include "files/sheet_cells.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CMSExcelHelper {
public:
    CMSExcelHelper();
    ~CMSExcelHelper();
    CMSExcelHelper(const CMSExcelHelper&) = delete;
    CMSExcelHelper& operator=(const CMSExcelHelper&) = delete;

    // Whether workbooks can be read and written (always, in this build).
    static int CheckHasExcel();

    // Loads the cell texts of an existing workbook; nonzero when it was read.
    // On failure LastFailure() says why and LastError() has the words.
    int OpenExcel(const std::filesystem::path& path, std::chrono::milliseconds limit = ecam::kReadTimeLimit);
    ecam::ReadFailure LastFailure() const { return m_failure; }
    const std::string& LastError() const { return m_error; }
    // Texts of `column` (from 1) of sheet `sheet` (from 1), from row 1 down to
    // the last non-empty cell of that column; empty cells give empty strings,
    // numbers their shortest text ("0", "10.5"). Returns the number of cells.
    int ReadColumnFromBegin(int sheet, int column, std::vector<std::wstring>& cells);
    void CloseExcel();

    // Starts a new workbook to be saved at `path` (.xls or .xlsx).
    int InitExcel(const std::filesystem::path& path);
    // Adds a sheet; the following WriteLine calls with its number land there.
    int AddSheet(const std::wstring& name);
    // Writes `cells` as texts into columns 1, 2, ... of row `row` (from 1).
    int WriteLine(int sheet, int row, const std::vector<std::wstring>& cells);
    // Writes the workbook to the path given to InitExcel; nonzero on success.
    // The file is replaced in one step or not at all; on failure LastError()
    // has the reason.
    int CloseAndSaveExcel();

private:
    struct Sheet {
        std::wstring name;
        std::map<std::pair<int, int>, std::wstring> cells; // (row, col) from 1
    };
    std::vector<ecam::SheetCells> m_read; // sheets of the open workbook
    std::vector<Sheet> m_write;           // sheets of the workbook being built
    ecam::ReadFailure m_failure = ecam::ReadFailure::None;
    std::string m_error;
    std::filesystem::path m_savePath;
    bool m_open = false;
    bool m_building = false;
};
