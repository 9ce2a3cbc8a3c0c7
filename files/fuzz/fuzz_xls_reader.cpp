// Any bytes as a legacy workbook (compound document with BIFF8 records):
// the reader ends with ReadFailed or with cells inside the caps.
#include "files/fuzz/fuzz_cells.h"
#include "files/xls_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ecam::ReadBudget budget;
    ecam::CellSink sink(budget);
    try {
        ecam::ReadXls(std::string_view(reinterpret_cast<const char*>(data), size), sink);
    } catch (const ecam::ReadFailed&) {
        return 0;
    }
    FuzzCheckCells(sink.TakeSheets());
    return 0;
}
