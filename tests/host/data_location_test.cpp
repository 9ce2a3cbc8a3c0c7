// Data file lookup: the copy installed beside the program wins, the build's
// resources/ folder stands in when there is none, and the parameter
// catalogue follows the same rule unless ECAM_FUNCODES names one.
#include "host/data_location.h"
#include "host/fun_code_interface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A scratch install prefix and a scratch source resources folder.
struct Trees {
    fs::path root;
    fs::path bin, fallback;
    Trees()
    {
        root = fs::temp_directory_path() / ("ecam-data-location-" + std::to_string(::getpid()));
        fs::remove_all(root);
        bin = root / "prefix" / "bin";
        fallback = root / "src" / "resources";
        fs::create_directories(bin);
        fs::create_directories(fallback);
    }
    ~Trees() { fs::remove_all(root); }
    fs::path Installed() const { return ecam::InstalledDataDir(bin.string()); }
    static void Touch(const fs::path& p)
    {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "{}";
    }
};

} // namespace

TEST(DataLocation, InstalledCopyWinsThenTheBuildsResourcesThenTheInstalledPathIsNamed)
{
    Trees t;
    const fs::path installedDir = t.Installed();
    // The data folder sits under the prefix, beside bin/, not inside it.
    ASSERT_FALSE(installedDir.empty());
    EXPECT_EQ(fs::path(installedDir).lexically_relative(t.root / "prefix").begin()->string(), "share");

    const std::string bin = t.bin.string(), fallback = t.fallback.string();
    // Nothing anywhere: the installed path, where the error should point.
    EXPECT_EQ(ecam::FindDataFile("funcodes.json", bin, fallback), (installedDir / "funcodes.json").string());
    // Only the build's copy: that one.
    Trees::Touch(t.fallback / "funcodes.json");
    EXPECT_EQ(ecam::FindDataFile("funcodes.json", bin, fallback), (t.fallback / "funcodes.json").string());
    // Both: the installed one.
    Trees::Touch(installedDir / "funcodes.json");
    EXPECT_EQ(ecam::FindDataFile("funcodes.json", bin, fallback), (installedDir / "funcodes.json").string());
    // Folders are found like files (translations), each name on its own.
    fs::create_directories(t.fallback / "translations");
    EXPECT_EQ(ecam::FindDataFile("translations", bin, fallback), (t.fallback / "translations").string());
    fs::create_directories(installedDir / "translations");
    EXPECT_EQ(ecam::FindDataFile("translations", bin, fallback), (installedDir / "translations").string());
    // A program whose location is unknown uses the build's copy.
    EXPECT_EQ(ecam::FindDataFile("funcodes.json", "", fallback), (t.fallback / "funcodes.json").string());
}

TEST(DataLocation, RunningProgramAndCatalogue)
{
    // The test binary lives in the program folder the lookup starts from.
    const std::string dir = ecam::ProgramDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(fs::exists(fs::path(dir) / "host_tests"));

    ASSERT_EQ(::unsetenv("ECAM_FUNCODES"), 0);
    const std::string found = CFunCodeInterface::DefaultPath();
    EXPECT_EQ(fs::path(found).filename(), "funcodes.json");
    EXPECT_TRUE(fs::exists(found)) << found;
    EXPECT_EQ(found, ecam::FindDataFile("funcodes.json"));

    ASSERT_EQ(::setenv("ECAM_FUNCODES", "/elsewhere/cat.json", 1), 0);
    EXPECT_EQ(CFunCodeInterface::DefaultPath(), "/elsewhere/cat.json");
    ASSERT_EQ(::unsetenv("ECAM_FUNCODES"), 0);
}
