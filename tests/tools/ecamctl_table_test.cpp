// ecamctl's parameter table on a terminal: the columns line up by display
// width although the names are Chinese (two columns per character). The
// width is measured with the C library's wcswidth under a UTF-8 locale,
// independently of the tool's own counting.
#include "run_ecamctl.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>
#include <sstream>

namespace {

int Columns(const std::string& utf8)
{
    std::mbstate_t state{};
    const char* from = utf8.c_str();
    std::wstring wide(utf8.size() + 1, L'\0');
    const std::size_t n = std::mbsrtowcs(wide.data(), &from, wide.size(), &state);
    EXPECT_NE(n, static_cast<std::size_t>(-1)) << utf8;
    return ::wcswidth(wide.c_str(), n);
}

} // namespace

TEST(EcamctlTable, ParamsListLinesUpByDisplayWidth)
{
    ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
    const auto r = ecamtest::RunEcamctl({"params", "--device", "sim", "list"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    int rows = 0, wideNames = 0, column = -1;
    while (std::getline(lines, line)) {
        const std::size_t at = line.find(" default ");
        ASSERT_NE(at, std::string::npos) << line;
        const std::string before = line.substr(0, at);
        wideNames += Columns(before) < static_cast<int>(before.size()) ? 1 : 0;
        if (column < 0)
            column = Columns(before);
        EXPECT_EQ(Columns(before), column) << line;
        ++rows;
    }
    EXPECT_GE(rows, 10);
    EXPECT_GT(wideNames, 0);   // the table does hold double-width names
    std::setlocale(LC_CTYPE, "C");
}
