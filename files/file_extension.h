#pragma once
// The extension of a file name in lower case (".xlsx" for "Cam.XLSX"), so
// that the choice of format never depends on how the user typed it. Only
// ASCII letters are folded; file names are bytes here, not text.
// Pure function, callable from any thread.
#include <filesystem>
#include <string>

namespace ecam {

inline std::string LowerExtension(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return ext;
}

} // namespace ecam
