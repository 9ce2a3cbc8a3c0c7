#pragma once
// The read-back CSV file: one "%d , %d\r\n" line (master, slave) per table
// entry, 8-bit text, no byte-order mark, no header. Plain functions.
#include "drive/cam_table.h"

#include <string>
#include <vector>

namespace camtable {

std::string FormatReadBackCsv(const std::vector<CamTable_Info>& table);
// Creates (or replaces) the file with the lines, in one step; false, with the
// reason in `error` (if given) and the old file untouched, when it cannot be
// written completely.
bool WriteReadBackCsv(const std::string& path, const std::vector<CamTable_Info>& table,
                      std::string* error = nullptr);

} // namespace camtable
