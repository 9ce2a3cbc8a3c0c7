// Data file lookup: the copy installed beside the program wins, the source
// tree's stands in when there is none, and the parameter catalogue follows
// the same rule unless ECAM_FUNCODES names one.
#include "host/data_location.h"
#include "host/fun_code_interface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(DataLocation, InstalledCopyWinsThenTheSourceTreesThenTheInstalledPathIsNamedForDataAndCatalogue)
{
    const fs::path root = fs::temp_directory_path() / ("ecam-data-location-" + std::to_string(::getpid()));
    const fs::path bin = root / "prefix" / "bin", source = root / "src" / "resources";
    fs::create_directories(bin);
    fs::create_directories(source);
    const fs::path installed = ecam::InstalledDataDir(bin.string());
    // The data folder sits under the prefix beside bin/, not inside it.
    EXPECT_EQ(*installed.lexically_relative(root / "prefix").begin(), "share");
    auto find = [&](const char* name) { return fs::path(ecam::FindDataFile(name, bin.string(), source.string())); };
    auto touch = [](const fs::path& p) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "{}";
    };

    EXPECT_EQ(find("funcodes.json"), installed / "funcodes.json");  // nowhere: where it belongs
    touch(source / "funcodes.json");
    EXPECT_EQ(find("funcodes.json"), source / "funcodes.json");
    touch(installed / "funcodes.json");
    EXPECT_EQ(find("funcodes.json"), installed / "funcodes.json");
    // Folders are found like files, each name on its own.
    fs::create_directories(source / "translations");
    EXPECT_EQ(find("translations"), source / "translations");
    fs::create_directories(installed / "translations");
    EXPECT_EQ(find("translations"), installed / "translations");
    // A program whose location is unknown takes the source tree's copy.
    EXPECT_EQ(fs::path(ecam::FindDataFile("funcodes.json", "", source.string())), source / "funcodes.json");
    fs::remove_all(root);

    // The test binary lives in the program folder the lookup starts from.
    ASSERT_TRUE(fs::exists(fs::path(ecam::ProgramDir()) / "host_tests"));

    ASSERT_EQ(::unsetenv("ECAM_FUNCODES"), 0);
    const std::string found = CFunCodeInterface::DefaultPath();
    EXPECT_EQ(found, ecam::FindDataFile("funcodes.json"));
    EXPECT_TRUE(fs::is_regular_file(found)) << found;

    ASSERT_EQ(::setenv("ECAM_FUNCODES", "/elsewhere/cat.json", 1), 0);
    EXPECT_EQ(CFunCodeInterface::DefaultPath(), "/elsewhere/cat.json");
    ASSERT_EQ(::unsetenv("ECAM_FUNCODES"), 0);
}
