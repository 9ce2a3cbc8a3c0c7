// Any bytes as a zipped workbook: the zip reader, then the .ods or .xlsx
// reader with its XML tokenizer. Ends with ReadFailed or cells inside the caps.
#include "files/fuzz/fuzz_cells.h"
#include "files/ods_reader.h"
#include "files/xlsx_reader.h"
#include "files/zip_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ecam::ReadBudget budget;
    ecam::CellSink sink(budget);
    try {
        ecam::ZipReader zip(std::string_view(reinterpret_cast<const char*>(data), size), budget);
        if (ecam::IsOdsPackage(zip))
            ecam::ReadOds(zip, sink);
        else
            ecam::ReadXlsx(zip, sink);
    } catch (const ecam::ReadFailed&) {
        return 0;
    }
    FuzzCheckCells(sink.TakeSheets());
    return 0;
}
