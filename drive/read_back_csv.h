#pragma once
// The read-back CSV file: one "%d , %d\r\n" line (master, slave) per table
// entry, 8-bit text, no byte-order mark, no header. Plain functions.
#include "drive/cam_table.h"

#include <string>
#include <vector>

namespace camtable {

std::string FormatReadBackCsv(const std::vector<CamTable_Info>& table);
// Creates (or replaces) the file and writes the lines; false when it cannot
// be created or written completely.
bool WriteReadBackCsv(const std::string& path, const std::vector<CamTable_Info>& table);

} // namespace camtable
