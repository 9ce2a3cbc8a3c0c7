#include "drive/read_back_csv.h"

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

bool WriteReadBackCsv(const std::string& path, const std::vector<CamTable_Info>& table)
{
    // Binary mode: the CR LF pairs are part of the format. (Other writers are
    // not locked out as on the original platform; nothing here shares files.)
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const std::string text = FormatReadBackCsv(table);
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool flushed = std::fflush(f) == 0;
    return (std::fclose(f) == 0) && written && flushed;
}

} // namespace camtable
