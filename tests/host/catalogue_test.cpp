// Parameter catalogue: the shipped file, malformed files, by-address objects;
// and where data files are found: the copy installed beside the program wins,
// the source tree's stands in when there is none, and the catalogue follows
// the same rule unless ECAM_FUNCODES names one.
#include "host/data_location.h"
#include "host/fun_code_interface.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>

namespace fs = std::filesystem;

namespace {

std::string Entry(const std::string& fields)
{
    return R"({"funcodes":[)" + fields + "]}";
}

std::string LoadError(const std::string& json)
{
    std::string error;
    EXPECT_EQ(CFunCodeInterface::LoadJson(json, "cat.json", &error), nullptr) << json;
    return error;
}

} // namespace

TEST(Catalogue, ShippedFileFindsParametersByRegisterAndMakesByAddressObjects)
{
    std::string error;
    auto cat = CFunCodeInterface::LoadFile(CFunCodeInterface::DefaultPath(), &error);
    ASSERT_TRUE(cat) << error;
    // Its parameters, their names, limits and options are pinned where the
    // user sees them (the settings dialog in the language walk); the loader
    // refuses limits that do not hold.
    EXPECT_EQ(cat->GetFunCodePtrByNum(L"H1B-13"), nullptr);
    // The axis-scaling and point-count registers the cam transfer uses.
    EXPECT_EQ(cat->FindByRegister(0x1B08)->m_strNum, L"H1B-08");
    EXPECT_EQ(cat->FindByRegister(0x1B02)->m_strNum, L"H1B-01");  // high word of a 32-bit parameter
    EXPECT_EQ(cat->GetFunCodePtrByIndex(cat->GetFunCodeCount()), nullptr);

    // By-address objects: one per address and width, per thread.
    CFunCode* a = cat->CreateFunCodePtrByAddr(0x1E00, 32);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(cat->CreateFunCodePtrByAddr(0x1E00, 32), a);
    EXPECT_NE(cat->CreateFunCodePtrByAddr(0x1E00, 16), a);
    EXPECT_EQ(std::tuple(a->m_nAddr, a->m_nWidth), std::tuple(0x1E00, 32));
    EXPECT_EQ(cat->CreateFunCodePtrByAddr(0x1E00, 8), nullptr);
    EXPECT_EQ(cat->CreateFunCodePtrByAddr(0xFFFF, 32), nullptr);
    EXPECT_NE(cat->CreateFunCodePtrByAddr(0xFFFF, 16), nullptr);
    CFunCode* other = nullptr;
    std::thread([&] { other = cat->CreateFunCodePtrByAddr(0x1E00, 32); }).join();
    EXPECT_NE(other, nullptr);
    EXPECT_NE(other, a);
    // An address of a catalogue entry carries its description and signedness.
    CFunCode* phase = cat->CreateFunCodePtrByAddr(0x1B0A, 16);
    EXPECT_EQ(phase->m_strNum, L"H1B-10");
    EXPECT_TRUE(phase->IsSigned());
    EXPECT_NE(phase, cat->GetFunCodePtrByNum(L"H1B-10"));
}

TEST(Catalogue, MalformedFilesNameTheFileAndTheEntry)
{
    const std::string good = R"({"number":"H1B-06","min":0,"max":2,"default":1,"address":"0x1B06","width":16})";
    ASSERT_TRUE(CFunCodeInterface::LoadJson(Entry(good), "cat.json"));

    const std::string badWidth = R"({"number":"H1B-07","min":0,"max":2,"default":1,"address":6919,"width":24})";
    const std::string a = R"({"number":"A","address":1,"width":16,)";
    // Two entries sharing a register (the second is the high word of the first).
    const std::string wide = R"({"number":"A","min":0,"max":9,"default":0,"address":"0x10","width":32})";
    const std::string overlap = R"({"number":"B","min":0,"max":9,"default":0,"address":"0x11","width":16})";
    // A negative minimum makes a 16-bit entry signed: its maximum ends at 32767.
    auto signed16 = [](const char* min, const char* max) {
        return Entry(std::string(R"({"number":"S","address":1,"width":16,"default":0,"min":)") + min + R"(,"max":)"
                     + max + "}");
    };
    EXPECT_TRUE(CFunCodeInterface::LoadJson(signed16("-1", "32767"), "cat.json"));
    EXPECT_TRUE(CFunCodeInterface::LoadJson(signed16("-32768", "\"0x7FFF\""), "cat.json"));
    EXPECT_TRUE(CFunCodeInterface::LoadJson(signed16("0", "65535"), "cat.json"));   // unsigned: the whole word
    // Each refused text and its whole message, which names the file and the entry.
    const std::string noFit = "cat.json: entry 0 (S): 'min'/'max' do not fit the width";
    const std::string signedMax = noFit + ": a negative 'min' makes the 16-bit entry signed, so 'max' must be at "
                                          "most 32767, not ";
    const std::string a0 = "cat.json: entry 0 (A): ";
    const std::pair<std::string, std::string> refused[] = {
        {R"({"list":[]})", "cat.json: expected an object with a \"funcodes\" list"},
        {Entry(good + "," + badWidth), "cat.json: entry 1 (H1B-07): 'width' must be 16 or 32"},
        {Entry(a + R"("min":5,"max":2,"default":3})"), a0 + "'min' is above 'max'"},
        {Entry(a + R"("min":0,"max":2,"default":3})"), a0 + "'default' is missing or outside min..max"},
        {Entry(a + R"("min":0,"max":70000,"default":3})"), a0 + "'min'/'max' do not fit the width"},
        {Entry(a + R"("min":0,"max":2,"default":0,"kind":1})"), a0 + "kind 1 needs a non-empty 'options' list"},
        {Entry(a + R"("min":0,"max":2,"default":0,"kind":1,"options":[{"value":9,"label":"x"}]})"),
         a0 + "option 0 needs a 'value' within min..max and a 'label'"},
        {Entry(wide + "," + overlap), "cat.json: entry 1 (B): register overlaps another entry"},
        {Entry(wide + "," + wide), "cat.json: entry 1 (A): number used twice"},
        {signed16("-1", "32768"), signedMax + "32768"},
        {signed16("-3600", "\"0xFFFF\""), signedMax + "65535"},
        {signed16("-32769", "0"), noFit},
        {signed16("0", "65536"), noFit},
    };
    for (const auto& [json, why] : refused)
        EXPECT_EQ(LoadError(json), why) << json;
    EXPECT_EQ(LoadError("{ not json").rfind("cat.json: JSON error at ", 0), 0u);   // the parser's words follow

    std::string missing;
    EXPECT_EQ(CFunCodeInterface::LoadFile("/nonexistent/funcodes.json", &missing), nullptr);
    EXPECT_NE(missing.find("/nonexistent/funcodes.json"), std::string::npos);
}

TEST(Catalogue, RangeFollowsWidthAndSign)
{
    auto cat = CFunCodeInterface::LoadJson(
        Entry(R"({"number":"S","min":-100,"max":100,"default":0,"address":1,"width":16},)"
              R"({"number":"U","min":0,"max":65535,"default":0,"address":2,"width":16},)"
              R"({"number":"L","min":-1000000,"max":1000000,"default":0,"address":4,"width":32})"),
        "t");
    ASSERT_TRUE(cat);
    // -100 sign-extended or as its 16 bits zero-extended; U is unsigned.
    const std::tuple<const wchar_t*, uint32_t, bool> cases[] = {
        {L"S", uint32_t(-100), true}, {L"S", 0xFF9Cu, true}, {L"S", uint32_t(-101), false}, {L"S", 101, false},
        {L"U", 0xFFFF, true}, {L"L", uint32_t(-1000000), true}, {L"L", uint32_t(-1000001), false},
        {L"L", 0x80000000u, false}};
    for (const auto& [num, v, in] : cases)
        EXPECT_EQ(cat->GetFunCodePtrByNum(num)->InRange(v), in) << v;
    EXPECT_FALSE(cat->GetFunCodePtrByNum(L"U")->IsSigned());
}

TEST(DataLocation, InstalledCopyWinsThenTheSourceTreesThenTheInstalledPathIsNamedForDataAndCatalogue)
{
    const ecamtest::TempDir root("ecam-data-location");
    const fs::path bin = root / "prefix/bin", source = root / "src/resources";
    fs::create_directories(bin);
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
