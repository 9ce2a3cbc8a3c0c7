#pragma once
// A fresh directory for one test, named after the running test and the
// process (tests of one binary may run in parallel under ctest), removed with
// everything in it when the test ends. Plain C++: cam and file tests use it.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace ecamtest {

class TempDir {
public:
    explicit TempDir(const std::string& prefix)
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path()
                 / (prefix + "_" + (info ? info->name() : "") + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    // Writes `bytes` as file `name`; returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_path / name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return m_path / name;
    }

private:
    std::filesystem::path m_path;
};

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace ecamtest
