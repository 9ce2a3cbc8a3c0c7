#include "host/data_location.h"

#include "ecam_install_paths.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace ecam {

std::string ProgramDir()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return {};
    return exe.parent_path().string();
}

std::string InstalledDataDir(const std::string& programDir)
{
    if (programDir.empty())
        return {};
    return (fs::path(programDir) / ECAM_DATA_FROM_BIN).lexically_normal().string();
}

std::string FindDataFile(const std::string& name, const std::string& programDir, const std::string& fallbackDir)
{
    std::error_code ec;
    const std::string installedDir = InstalledDataDir(programDir);
    const std::string installed = installedDir.empty() ? std::string() : (fs::path(installedDir) / name).string();
    if (!installed.empty() && fs::exists(installed, ec))
        return installed;
    if (!fallbackDir.empty()) {
        const std::string local = (fs::path(fallbackDir) / name).string();
        if (fs::exists(local, ec) || installed.empty())
            return local;
    }
    return installed;
}

std::string FindDataFile(const std::string& name)
{
    return FindDataFile(name, ProgramDir(), ECAM_DATA_FALLBACK_DIR);
}

} // namespace ecam
