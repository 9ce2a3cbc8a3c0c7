// What ecamctl says, in English: every command's refusals and results word
// for word, and not one Chinese character left in anything it prints but
// the catalogue's own words (parameter names, units and option labels stay
// data). Refused commands leave the drive untouched and write no file.
// The same texts in Chinese are what the other ecamctl tests see (they run
// under the C locale).
#include "ecamctl_fixture.h"

#include "host/fun_code_interface.h"

#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>
#include <filesystem>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// `text` without the catalogue's words.
std::string WithoutCatalogueWords(std::string text)
{
    static const auto catalogue = CFunCodeInterface::LoadFile(CFunCodeInterface::DefaultPath());
    EXPECT_TRUE(catalogue);
    for (unsigned i = 0; catalogue && i < catalogue->GetFunCodeCount(); ++i) {
        const CFunCode& p = *catalogue->GetFunCodePtrByIndex(i);
        std::vector<std::wstring> words{p.m_strName, p.m_strUnit};
        for (const FunCodeOption& o : p.m_options)
            words.push_back(o.label);
        for (const std::wstring& w : words)
            for (std::size_t at; !w.empty() && (at = text.find(QString::fromStdWString(w).toStdString())) != std::string::npos;)
                text.erase(at, QString::fromStdWString(w).toStdString().size());
    }
    return text;
}

class EcamctlMessages : public EcamctlOnSim {};

// A run and what it must print. `out` ending in "..." is a prefix; `err`
// not ending in a newline is a prefix.
struct Row {
    std::vector<std::string> args;
    int status;
    std::string out, err;
};

void Check(const Row& row, const ecamtest::ProcessResult& r)
{
    const std::string at = row.args[0] + " " + (row.args.size() > 1 ? row.args[1] : "");
    EXPECT_EQ(r.exitCode, row.status) << at << "\n" << r.err;
    const std::size_t out = row.out.ends_with("...") ? row.out.size() - 3 : std::string::npos;
    EXPECT_EQ(r.out.substr(0, out), row.out.substr(0, out)) << at;
    const std::size_t err = row.err.empty() || row.err.back() == '\n' ? std::string::npos : row.err.size();
    EXPECT_EQ(r.err.substr(0, err), row.err) << at;
    static const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{9fff}]"));
    EXPECT_FALSE(QString::fromStdString(WithoutCatalogueWords(r.out + r.err)).contains(han))
        << at << "\n" << r.out << r.err;
}

} // namespace

TEST_F(EcamctlMessages, EveryCommandSpeaksEnglishWordForWordWithNoChineseLeft)
{
    const std::string cam = Save("cam.ecam"), dev = Device(), bad = Write("bad.csv", "# m,s,v,t\n1,2,3,1\n4,5,x,0\n");
    const std::string one = Write("one.txt", "0,0,0,1\n"), folder = dir.Path().string();
    const std::string convert = "usage: ecamctl convert IN OUT   (.ecam, .csv, .xls, .xlsx; .ods read only)\n",
                      curve = "usage: ecamctl curve [FILE] | curve --length L\n", peaks = "usage: ecamctl peaks FILE\n",
                      render = "usage: ecamctl render FILE|--length L OUT.{png,svg,pdf} [--size WxH]\n",
                      param = "usage: ecamctl param get|set NUMBER|ADDR:WIDTH [VALUE] --device URL [--catalogue PATH]\n",
                      params = "usage: ecamctl params --device URL [list | read | write NUMBER=VALUE...]\n",
                      write = "usage: ecamctl write FILE.ecam --device URL [--special V] [--verify]\n",
                      verify = "usage: ecamctl verify FILE.ecam --device URL [--special V]\n",
                      count = "Invalid number of points! Please enter a whole number from 3 to 1500!\n",
                      whole = "Please enter a whole number!\n", options = "not one of the options: 0-";
    auto scaling = [](const char* problem, const char* field, const char* side) {
        return "ecamctl write: " + std::string(problem) + " (" + field + ": the number " + side + " \"/\" on the "
               + (field[0] == 's' ? "slave" : "master") + " unit ratio line)\n";
    };
    const Row refused[] = {
        {{"nope"}, 2, "", "ecamctl: unknown command 'nope'\nusage: ecamctl [--lang en|zh_CN]"},
        {{"--frobnicate"}, 2, "", "ecamctl: unknown option --frobnicate\nusage: ecamctl [--lang en|zh_CN]"},
        {{"convert", cam}, 2, "", "ecamctl convert: expected IN and OUT\n" + convert},
        {{"convert", cam, Path("x.txt")}, 2, "", "ecamctl convert: " + Path("x.txt") + ": unknown file type\n" + convert},
        {{"convert", cam, Path("x.ods")}, 2, "", "ecamctl convert: " + Path("x.ods") + ": .ods is read only\n" + convert},
        {{"convert", Path("absent.ecam"), Path("x.csv")}, 2, "", "ecamctl convert: " + Path("absent.ecam") + ": No such file or directory\n"},
        {{"convert", Path("absent.ecam"), Path("x.ecam")}, 2, "", "ecamctl convert: " + Path("absent.ecam") + ": No such file or directory\n"},
        {{"convert", bad, Path("x.xlsx")}, 2, "", "ecamctl convert: " + bad + ":3: master, slave and speed must be finite numbers\n"},
        {{"convert", cam, Path("no/dir/x.csv")}, 1, "", "ecamctl convert: " + Path("no/dir/x.csv") + ": No such file or directory\n"},
        {{"curve", "--length", "12x"}, 2, "", "ecamctl curve: master length must be an integer from 10 to 1000000, got '12x'\n" + curve},
        {{"curve", "--length", "1000001"}, 2, "", "ecamctl curve: master length must be an integer from 10 to 1000000, got '1000001'\n" + curve},
        {{"curve", "--length"}, 2, "", "ecamctl curve: --length needs a value\n" + curve},
        {{"curve", "a", "b"}, 2, "", "ecamctl curve: too many arguments\n" + curve},
        {{"curve", Path("missing.txt")}, 2, "", "ecamctl curve: cannot open '" + Path("missing.txt") + "'\n"},
        {{"curve", Path("absent.ecam")}, 2, "", "ecamctl curve: " + Path("absent.ecam") + ": No such file or directory\n"},
        {{"curve", folder}, 2, "", "ecamctl curve: " + folder + ": cannot be read\n"},
        {{"peaks"}, 2, "", "ecamctl peaks: a cam file is needed\n" + peaks},
        {{"peaks", "a", "b"}, 2, "", "ecamctl peaks: too many arguments\n" + peaks},
        {{"peaks", "--bogus", one}, 2, "", "ecamctl peaks: unknown option --bogus\n" + peaks},
        {{"peaks", one}, 2, "", "ecamctl peaks: a cam needs at least two key points\n"},
        {{"render", one, Path("c.png")}, 2, "", "ecamctl render: a cam needs at least two key points\n"},
        {{"render", cam}, 2, "", "ecamctl render: FILE and OUT are needed\n" + render},
        {{"render", cam, Path("c.bmp")}, 2, "", "ecamctl render: OUT must end in .png, .svg or .pdf: '" + Path("c.bmp") + "'\n" + render},
        {{"render", cam, Path("c.png"), "--size", "640"}, 2, "", "ecamctl render: --size takes WxH, from 200x300 to 10000x10000\n" + render},
        {{"render", cam, Path("c.png"), "--size", "100x900"}, 2, "", "ecamctl render: --size takes WxH, from 200x300 to 10000x10000\n" + render},
        {{"render", "--length", "5", Path("c.png")}, 2, "", "ecamctl render: master length must be an integer from 10 to 1000000\n" + render},
        {{"render", "--length", "100", cam, Path("c.png")}, 2, "", "ecamctl render: --length takes the place of FILE\n" + render},
        {{"design", Path("d.ecam"), "--frob"}, 2, "", "ecamctl design: unknown option --frob\nusage: ecamctl design OUT.ecam"},
        {{"design", Path("d.csv")}, 2, "", "ecamctl design: '" + Path("d.csv") + "' is not a .ecam file name\nusage: ecamctl design OUT.ecam"},
        {{"design", "--tolerance"}, 2, "", "ecamctl design: --tolerance needs a value\nusage: ecamctl design OUT.ecam"},
        {{"design"}, 2, "", "ecamctl design: an output file OUT.ecam is needed\nusage: ecamctl design OUT.ecam"},
        {{"param", "get", "H1B-16"}, 2, "", "ecamctl param: --device URL is required\n" + param},
        {{"param", "get", "H1B-16", "--device", "ftp://x"}, 2, "", "ecamctl param: device URL must start with tcp:// or rtu: (ftp://x)\n" + param},
        {{"param", "set", "H1B-16", "--device", dev}, 2, "", "ecamctl param: set needs a parameter and a value\n" + param},
        {{"param", "get", "--device", dev}, 2, "", "ecamctl param: get needs a parameter\n" + param},
        {{"param", "set", "0x1E00:16", "70000", "--device", dev}, 2, "", "ecamctl param: value must be an integer that fits the parameter's width\n" + param},
        {{"param", "set", "H1B-11", "abc", "--device", dev}, 2, "", "ecamctl param: value must be an integer that fits the parameter's width\n" + param},
        {{"param", "get", "0x1E00:24", "--device", dev}, 2, "", "ecamctl param: parameter must be a number text such as H1B-06 or ADDR:WIDTH such as 0x1B00:16\n" + param},
        {{"param", "read", "H1B-16", "--device", dev}, 2, "", "ecamctl param: expected get or set\n" + param},
        {{"param", "get", "H1B-99", "--device", dev}, 2, "", "ecamctl param: no parameter H1B-99 in the catalogue\n"},
        {{"param", "get", "H1B-16", "--catalogue", "/nonexistent/c.json", "--device", dev}, 1, "",
         "ecamctl param: /nonexistent/c.json: cannot open the parameter catalogue\n"},
        {{"param", "set", "H1B-11", "0x10", "--device", dev}, 2, "", "ecamctl param: H1B-11 0x10: " + whole},
        {{"param", "set", "H1B-11", "10001", "--device", dev}, 2, "", "ecamctl param: H1B-11 10001: Valid range: [0, 10000]\n"},
        {{"param", "set", "H1B-10", "-3601", "--device", dev}, 2, "", "ecamctl param: H1B-10 -3601: Valid range: [-3600, 3600]\n"},
        {{"param", "set", "H1B-06", "7", "--device", dev}, 2, "", "ecamctl param: H1B-06 7: " + options},
        {{"params", "write", "H1B-11=1"}, 2, "", "ecamctl params: --device URL is required\n" + params},
        {{"params", "--device", dev, "frob"}, 2, "", "ecamctl params: expected list, read or write NUMBER=VALUE...\n" + params},
        {{"params", "--device", "ftp://x"}, 2, "", "ecamctl params: bad device URL 'ftp://x': device URL must start with tcp:// or rtu: (ftp://x)\n"},
        {{"params", "--device", dev, "write", "H1B-11=abc"}, 2, "", "ecamctl params: H1B-11=abc: " + whole},
        {{"params", "--device", dev, "write", "H1B-11=５"}, 2, "", "ecamctl params: H1B-11=５: " + whole},
        {{"params", "--device", dev, "write", "H1B-10=-5", "H1B-11=12abc"}, 2, "", "ecamctl params: H1B-11=12abc: " + whole},
        {{"params", "--device", dev, "write", "H1B-11="}, 2, "", "ecamctl params: H1B-11=: The value must not be empty!\n"},
        {{"params", "--device", dev, "write", "H1B-06=x"}, 2, "", "ecamctl params: H1B-06=x: " + whole},
        {{"params", "--device", dev, "write", "H1B-06=7"}, 2, "", "ecamctl params: H1B-06=7: " + options},
        {{"params", "--device", dev, "write", "H1B-13=1"}, 2, "", "ecamctl params: 'H1B-13' is not one of the cam parameters\n"},
        {{"params", "--device", dev, "write", "H1B-11"}, 2, "", "ecamctl params: expected NUMBER=VALUE, got 'H1B-11'\n"},
        {{"params", "--device", dev, "write", "H1B-11=3", "H1B-11=4"}, 2, "", "ecamctl params: 'H1B-11' is given more than once\n"},
        {{"write", cam}, 2, "", "ecamctl write: --device URL and a .ecam file are needed\n" + write},
        {{"write", "--device", dev}, 2, "", "ecamctl write: --device URL and a .ecam file are needed\n" + write},
        {{"write", cam, "--special", "2", "--device", dev}, 2, "", "ecamctl write: " + count},
        {{"write", cam, "--special", "1501", "--device", dev}, 2, "", "ecamctl write: " + count},
        {{"write", cam, "--special", "3.0", "--device", dev}, 2, "", "ecamctl write: " + count},
        {{"write", one, "--device", dev}, 2, "", "ecamctl write: not a cam profile (line 7 is not the point count line)\n"},
        {{"verify", cam}, 2, "", "ecamctl verify: --device URL and a .ecam file are needed\n" + verify},
        {{"verify", cam, "--verify", "--device", dev}, 2, "", "ecamctl verify: unknown option --verify\n" + verify},
        {{"write", cam, "--device"}, 2, "", "ecamctl write: --device needs a value\n" + write},
        {{"verify", cam, "--special", "2", "--device", dev}, 2, "", "ecamctl verify: " + count},
        {{"read-special", "--device", dev}, 2, "",
         "ecamctl read-special: --device URL and an output file are needed\nusage: ecamctl read-special --device URL OUT.csv\n"},
        {{"read-cam", Path("x.ecam")}, 2, "",
         "ecamctl read-cam: --device URL and an output file are needed\nusage: ecamctl read-cam --device URL OUT.ecam\n"},
    };
    const auto requests = sim->RequestCount();
    for (const Row& row : refused)
        Check(row, En(row.args));
    for (const char* never : {"x.txt", "x.csv", "x.ecam", "x.xlsx", "x.ods", "c.png", "d.ecam", "d.csv"})
        EXPECT_FALSE(fs::exists(dir / never)) << never;

    // The scaling a standard write would send, checked as the panel checks it.
    using Field = std::wstring ecam::ECamProfile::*;
    const std::tuple<Field, std::wstring, std::string> scalings[] = {
        {&ecam::ECamProfile::slavePulse, L"", scaling("Please enter the unit conversion ratios!", "slave pulses", "before")},
        {&ecam::ECamProfile::slaveUnits, L"abc", scaling("Invalid input!", "slave units", "after")},
        {&ecam::ECamProfile::slavePulse, L"1073741825", scaling("Slave pulses out of range (1 to 0x40000000)", "slave pulses", "before")},
        {&ecam::ECamProfile::slaveUnits, L"-5", scaling("Slave units out of range (1 to 30000)", "slave units", "after")},
        {&ecam::ECamProfile::masterPulse, L"0", scaling("Invalid input!", "master pulses", "before")},
        {&ecam::ECamProfile::masterPulse, L"-1", scaling("Master pulses out of range (1 to 0x40000000)", "master pulses", "before")},
        {&ecam::ECamProfile::masterUnits, L"30001", scaling("Master units out of range (1 to 30000)", "master units", "after")},
    };
    for (const auto& [field, text, message] : scalings) {
        const ecam::ECamProfile good = profile;
        profile.*field = text;
        const std::string file = Save("bad.ecam");
        Check({{"write", file, "--device", dev}, 2, "", message}, En({"write", file, "--device", dev}));
        profile = good;
    }
    EXPECT_EQ(sim->RequestCount(), requests);

    // What the commands say when they work, and when the drive does not match
    // (convert's words: its own test, run in English).
    const std::string back = Path("back.csv");
    const Row worked[] = {
        {{"design", Path("d.ecam"), "poly345:100:5"}, 0, "segment  law ...", ""},
        {{"params", "--device", dev, "write", "H1B-11=250"}, 0, "H1B-11 ...", ""},
        {{"params", "--device", dev, "list"}, 0, "H05-00 ...", ""},
        {{"params", "--device", dev, "read"}, 0, "H05-00 ...", ""},
        {{"write", cam, "--special", "3", "--device", dev}, 0, "Cam written to the drive! 3 points, ...", "\rspecial "},
        {{"verify", cam, "--special", "3", "--device", dev}, 0, "Cam check passed! 3 points\n", "\rverify "},
        {{"read-special", "--device", dev, back}, 0, "Cam points read from the drive! 3 points -> " + back + "\n", "\rread "},
        {{"verify", cam, "--device", dev}, 3, "", "\rverify "},
        {{"read-cam", "--device", dev, Path("r.ecam")}, 0,
         "Cam table read from the drive! 3 points -> " + Path("r.ecam") + " (speeds with two decimals, as the drive holds them)\n", ""},
    };
    for (const Row& row : worked)
        Check(row, En(row.args));
    // The parameter table lines up by terminal columns, its Chinese names
    // two columns a character (measured with the C library's wcswidth).
    ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
    std::istringstream lines(En({"params", "--device", dev, "list"}).out);
    std::set<int> columns;
    int rows = 0;
    for (std::string line; std::getline(lines, line); ++rows) {
        const std::wstring wide = QString::fromStdString(line.substr(0, line.find(" default "))).toStdWString();
        columns.insert(::wcswidth(wide.c_str(), wide.size()));
    }
    std::setlocale(LC_CTYPE, "C");
    EXPECT_GE(rows, 10);
    EXPECT_EQ(columns, std::set<int>{7 + 1 + 24 + 1 + 16});
    const auto r = En({"verify", cam, "--device", dev});
    const std::string head = "ecamctl verify: Cam check failed! 13 differences\n"
                             "Slave pulses: wrote 131072, read back 10000\nSlave units: wrote 360, read back 1\n";
    EXPECT_EQ(r.err.substr(r.err.find("ecamctl"), head.size()), head);
    EXPECT_NE(r.err.find("\nPoint count: wrote 4, read back 3\nPoint 0 speed: wrote 50, read back 0\n"), std::string::npos);
    sim->SetRegister(0x1B08, 273);
    Check({{"read-cam", "--device", dev, Path("r.ecam")}, 1, "",
           "ecamctl read-cam: Reading the cam table from the drive failed! The drive holds 273 cam points: not a complete "
           "table of 2 to 272 points; nothing saved\n"},
          En({"read-cam", "--device", dev, Path("r.ecam")}));

    // A drive that is gone: the reason, and no file read back.
    const std::string refusedText = "connection refused: nothing listens on 127.0.0.1:" + std::to_string(sim->Port()) + "\n";
    sim->Stop();
    fs::remove(back);
    for (const char* command : {"write", "verify", "read-special", "read-cam", "params"}) {
        std::vector<std::string> args{command, "--device", dev};
        args.push_back(command == std::string("params") ? "read" : command[0] == 'r' ? back : cam);
        Check({args, 1, "", "ecamctl " + std::string(command) + ": No connection to the drive! (" + dev + ")\n" + refusedText},
              En(args));
    }
    Check({{"param", "get", "H1B-16", "--device", dev}, 1, "",
           "ecamctl param: cannot read H1B-16: Cannot connect to the drive\n"},
          En({"param", "get", "H1B-16", "--device", dev}));
    EXPECT_FALSE(fs::exists(back));
}
