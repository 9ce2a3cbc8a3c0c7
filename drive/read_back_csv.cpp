#include "drive/read_back_csv.h"

#include "files/safe_file.h"

#include <cstdio>

namespace camtable {

std::string FormatReadBackCsv(const std::vector<CamTable_Info>& table)
{
    std::string out;
    out.reserve(table.size() * 16);
    char line[260];
    for (const CamTable_Info& e : table) {
        const int n = std::snprintf(line, sizeof line, "%d , %d\r\n", static_cast<int>(e.master),
                                    static_cast<int>(e.slave));
        out.append(line, static_cast<std::size_t>(n));
    }
    return out;
}

bool WriteReadBackCsv(const std::string& path, const std::vector<CamTable_Info>& table, std::string* error)
{
    // Binary bytes: the CR LF pairs are part of the format. The file that was
    // there stays until the new one is complete.
    std::string why;
    if (ecam::SaveFile(path, FormatReadBackCsv(table), why))
        return true;
    if (error)
        *error = why;
    return false;
}

} // namespace camtable
