// The panel's file commands clicked on a real panel: open/save of .ecam
// profiles and import/save of special-point workbooks, with file dialogs and
// message boxes answered by recorders; the test checks what the files, the
// cam and the fields hold. Hostile and damaged files are refused quickly with
// their message and leave the user's cam as it was; the special-point save
// and import agree byte for byte and speed for speed with ecamctl.
#include "files/ecam_file.h"
#include "files/gbk.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"
#include "files/read_limits.h"
#include "host/logic_manage.h"
#include "run_ecamctl.h"
#include "tests/support/panel_harness.h"
#include "tests/support/profile_literal.h"
#include "tests/support/temp_dir.h"
#include "tests/support/workbook_column.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using ecamtest::ReadFileBytes;
using ecamtest::WorkbookColumn;
using V = std::vector<std::wstring>;

const QString kOpenFailed = QString::fromUtf8("打开数据文件失败!");
// After a special-point save of a cam whose speeds or types a workbook
// cannot hold.
const QString kSpeedsNotSaved = QString::fromUtf8("特殊点表格只保存主轴和从轴位置,标幺速度和曲线类型未保存!");

QString words(ecam::ReadFailure kind)
{
    return QString::fromStdString(ecam::ReadFailureText(kind));
}

// A file dialog in one line: open or save, title, filter, default extension,
// initial name, whether a save asks before replacing a file, and its owner.
std::string dialog(const FileDialogCall& c)
{
    return QStringList{c.save ? "save" : "open", c.title, c.filter, c.defaultExt, c.initialName,
                       c.save && c.confirmOverwrite ? "asks" : "-", c.owner ? "owned" : "-"}.join(" | ").toStdString();
}

class PanelFiles : public PanelHarness {
protected:
    PanelFiles() : PanelHarness(QSize(1280, 800), Show::kExposed) {}

    QString path(const std::string& name) const { return QString::fromStdString((dir / name).string()); }
    // Chooses `name` in the file dialog of button `id`; the messages shown.
    QStringList open(int id, const std::string& name)
    {
        const qsizetype seen = boxes.Calls().size();
        files.QueueAnswer(path(name));
        Click(id);
        return boxes.Texts().mid(seen);
    }
    // Master length, unit, slave pulses and units, master pulses and units.
    void setFields(const QStringList& texts)
    {
        for (int i = 0; i < 6; ++i)
            dlg->SetDlgItemText(kFieldIds[i], texts[i]);
    }
    static constexpr ControlId kFieldIds[] = {IDC_EDIT_MASTER_LEN, IDC_EDIT_UNIT, IDC_EDIT_SLAVE_PULSE,
                                              IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE, IDC_EDIT_MASTER_UNITS};
    void expectUsableCam()
    {
        for (const ECamCurveSample& s : dlg->CamModel().Curve())
            ASSERT_TRUE(std::isfinite(s.position) && std::isfinite(s.speed) && std::isfinite(s.accel)
                        && std::isfinite(s.positionX));
        EXPECT_EQ(Table()->GetItemCount(), static_cast<int>(Points().size()));
    }

    ecamtest::TempDir dir{"panel_files"};
};

} // namespace

TEST_F(PanelFiles, SaveWritesTheGoldenDefaultCamAndAsksBeforeOverwritingAndOpenReportsFileErrors)
{
    const QString target = path("default.ecam");
    dir.Write("default.ecam", "old");
    files.QueueAnswer(target);             // exists: answered No
    files.QueueAnswer(target);             // asked again: Yes
    boxes.QueueAnswer(IDNO);
    boxes.QueueAnswer(IDYES);
    Click(IDC_BTN_SAVE);

    ASSERT_EQ(files.Calls().size(), 2u);
    EXPECT_EQ(dialog(files.Calls()[0]), "save | 保存凸轮数据文件 | QZ ECam Files (*.ecam);;All Files (*.*) | ecam |  | - | -");
    ASSERT_EQ(boxes.Texts(), QStringList(2, QString::fromUtf8("文件已经存在，是否覆盖?")));
    EXPECT_EQ(boxes.Calls()[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(boxes.Calls()[0].buttons & 0xF, MB_YESNO);

    // Byte by byte, the time line (line 2) by its shape.
    std::string bytes = ReadFileBytes(dir / "default.ecam");
    const size_t l2 = bytes.find("\r\n") + 2, l3 = bytes.find("\r\n", l2) + 2;
    std::string time = ecam::GbkToUtf8(bytes.substr(l2, l3 - l2));
    std::replace_if(time.begin(), time.end(), [](char c) { return c >= '0' && c <= '9'; }, '9');
    EXPECT_EQ(time, "文件保存时间, 9999年99月99日99:99:99\r\n");
    bytes.erase(l2, l3 - l2);
    const std::string expected =
        "\xba\xf3\xcc\xa8\xc8\xed\xbc\xfe\xb0\xe6\xb1\xbe, 1.0.0.0\r\n"
        "\xd6\xf7\xd6\xe1\xb3\xa4\xb6\xc8, 1000\r\n"
        "\xb5\xa5\xce\xbb, \r\n"
        "\xb4\xd3\xd6\xe1\xb5\xa5\xce\xbb\xd7\xaa\xbb\xbb\xc2\xca, /\r\n"
        "\xd6\xf7\xd6\xe1\xb5\xa5\xce\xbb\xd7\xaa\xbb\xbb\xc2\xca, /\r\n"
        "\xcd\xb9\xc2\xd6\xb5\xe3\xca\xfd\xc1\xbf,   2\r\n"
        "           M,\t            S,\t            V,\t            T\t\r\n"
        "    0.000000,\t     0.000000,\t     0.000000,\t            1\t\r\n"
        " 1000.000000,\t     0.000000,\t     0.000000,\t            1\t\r\n";
    EXPECT_EQ(bytes, expected);

    // Cancelling writes nothing; a path that cannot be created is reported
    // with the system's reason.
    Click(IDC_BTN_SAVE);
    EXPECT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(open(IDC_BTN_SAVE, "no/such/dir.ecam"), QStringList{"保存数据文件失败!\nNo such file or directory"});

    // Opening: a file of another extension is passed over in silence, a
    // cancelled dialog does nothing, a missing file is reported.
    boxes.Clear();
    const std::vector<ECamPoint> before = Points();
    dir.Write("cam.txt", "whatever");
    files.QueueAnswer(path("cam.txt"));
    Click(IDC_BTN_IMPORT);          // wrong extension: silently nothing
    Click(IDC_BTN_IMPORT);          // cancelled
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(open(IDC_BTN_IMPORT, "absent.ecam"), (QStringList{QStringLiteral("No such file or directory"), kOpenFailed}));
    EXPECT_EQ(Points(), before);
}

TEST_F(PanelFiles, SaveThenOpenRestoresPointsAndEverySetting)
{
    LoadCam({{0, 0, 0, kECamLinear}, {123.4567891, 45.5, 0.5, kECamPoly},
                               {360, 90, 0, kECamPoly}});
    setFields({"360", "毫米", "131072", "10", "10000", "360"});
    const std::vector<ECamPoint> saved = Points();
    ASSERT_EQ(open(IDC_BTN_SAVE, "round.ecam"), QStringList{});

    // Scramble everything, then open the file again (upper-case extension).
    fs::rename(dir / "round.ecam", dir / "ROUND.ECAM");
    LoadCam({{0, 0, 0, kECamPoly}, {50, 1, 0, kECamPoly}});
    setFields({"77", "x", "1", "2", "3", "4"});
    for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_BTN_STD_WRITE})
        dlg->GetDlgItem(id)->setEnabled(false);
    ASSERT_EQ(open(IDC_BTN_IMPORT, "ROUND.ECAM"), QStringList{});
    EXPECT_EQ(dialog(files.Calls().back()), "open | 打开凸轮数据文件 | QZ ECam Files (*.ecam);;All Files (*.*) |  |  | - | -");

    // Six decimals: 123.4567891 comes back as 123.456789.
    std::vector<ECamPoint> rounded = saved;
    rounded[1].master = 123.456789;
    EXPECT_EQ(Points(), rounded);
    EXPECT_EQ(dlg->MasterLength(), 360u);
    QStringList shown;
    for (int id : kFieldIds)
        shown << dlg->GetDlgItemText(id);
    shown << dlg->GetDlgItemText(IDC_LBL_SLAVE_UNIT) << dlg->GetDlgItemText(IDC_LBL_MASTER_UNIT);
    EXPECT_EQ(shown, (QStringList{"360", "毫米", "131072", "10", "10000", "360", "毫米", "毫米"}));
    for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE,
                   IDC_EDIT_MASTER_UNITS, IDC_BTN_STD_WRITE})
        EXPECT_TRUE(dlg->GetDlgItem(id)->isEnabled()) << id;
    EXPECT_EQ(Table()->GetItemCount(), 3);
}

TEST_F(PanelFiles, DamagedProfilesLeaveAUsableCam)
{
    // Profiles by their count line (line 7) with whatever else damaged.
    const std::string head = "v,1\nt,2\nl, -5\nu,mm\ns,7\nm,8/9\n";
    const std::string count = ecam::Utf8ToGbk("凸轮点数量,");
    struct Case {
        const char* name;
        std::string body;
        size_t points;
        QStringList boxes;
    } cases[] = {
        {"none.ecam", head + count + "0\nh\n", 0, {}},
        {"one.ecam", head + count + "1\nh\n5,5,0,1\n", 1, {}},
        // Cut short: what is there loads, and the user is told.
        {"short.ecam", head + count + "4\nh\n0,0,0,1\n10,1,0,0\n", 2,
         {QString::fromUtf8("文件中只有2个凸轮点,少于文件所写的4个!")}},
        // Damaged rows of a true profile still load as the format says.
        {"rows.ecam", ecamtest::ProfileText("凸轮点数量,   3", "0,0,0,1\r\nabc\r\n500,x,,7\r\n"), 3, {}},
        {"unordered.ecam", head + count + "4\nh\n0,0,0,1\n50,5,0,1\n20,2,0,0\n20,3,0,2\n", 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.body);
        EXPECT_EQ(open(IDC_BTN_IMPORT, c.name), c.boxes);
        EXPECT_EQ(Points().size(), c.points);
        expectUsableCam();
        // Editing goes on: a point added in the middle of the master range.
        InsertPoint({0.5, 0.25, 0, kECamPoly});
        expectUsableCam();
    }
    // "7" without "/": no pulse count, the whole text is the amount.
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_SLAVE_PULSE), QString());
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_SLAVE_UNITS), QStringLiteral("7"));
}

TEST_F(PanelFiles, FilesThatAreNoFilesNoProfilesOrTooLargeChangeNothingAndSpecialImportBuildsTheCam)
{
    // A cam of the user's, ending at the panel's master length (which clicks
    // elsewhere apply), that every refused file must leave as it was.
    LoadCam({{0, 0, 0, kECamPoly}, {400, 30, 0, kECamLinear}, {1000, 80, 0, kECamPoly}});
    const std::vector<ECamPoint> before = Points();
    // A FIFO with nobody writing would block a reader forever; a link to
    // /dev/zero never ends; a directory is no file.
    ASSERT_EQ(mkfifo((dir / "x.ecam").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir / "x.csv").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.ecam");
    fs::create_symlink("/dev/zero", dir / "zero.xlsx");
    fs::create_directory(dir / "folder.xls");
    // The count line not at line 7: not a profile, only the general message.
    dir.Write("shifted.ecam", "凸轮点数量, 2\r\n0,0,0,1\r\n9,9,0,1\r\n");
    // A workbook that does not read, and one without a complete row.
    dir.Write("bad.xlsx", "not a workbook");
    dir.Write("empty.csv", ",1\n,2\n");
    {   // larger than any workbook we read: refused before it is read
        std::ofstream out(dir / "big.xlsx", std::ios::binary);
        out.seekp(static_cast<std::streamoff>(ecam::kMaxWorkbookFileBytes));
        out << 'x';
    }
    const QStringList notAFile{words(ecam::ReadFailure::NotRegular), kOpenFailed};
    const struct {
        int button;
        const char* name;
        QStringList boxes;
    } cases[] = {
        {IDC_BTN_IMPORT, "x.ecam", notAFile},
        {IDC_BTN_IMPORT, "zero.ecam", notAFile},
        {IDC_BTN_SPECIAL_IMPORT, "x.csv", notAFile},
        {IDC_BTN_SPECIAL_IMPORT, "zero.xlsx", notAFile},
        {IDC_BTN_SPECIAL_IMPORT, "folder.xls", notAFile},
        {IDC_BTN_IMPORT, "shifted.ecam", {kOpenFailed}},
        {IDC_BTN_SPECIAL_IMPORT, "big.xlsx", {words(ecam::ReadFailure::TooLarge), kOpenFailed}},
        {IDC_BTN_SPECIAL_IMPORT, "bad.xlsx", {kOpenFailed, kOpenFailed}},
        {IDC_BTN_SPECIAL_IMPORT, "empty.csv", {kOpenFailed, kOpenFailed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(open(c.button, c.name), c.boxes);
        EXPECT_EQ(Points(), before);
        EXPECT_EQ(Table()->GetItemCount(), 3);
        EXPECT_TRUE(c.button == IDC_BTN_IMPORT || !dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());
    }
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_UNIT), QString()); // the settings stay too

    // (A workbook of the office suite's: the agreement test below.)
    dir.Write("pts.csv", "10,5\n20,\n30,15\n40,20\n");
    ASSERT_EQ(open(IDC_BTN_SPECIAL_IMPORT, "pts.csv"), QStringList{});
    EXPECT_EQ(dialog(files.Calls().back()), "open | 打开凸轮数据文件 | Excel Files(*.xls,*.xlsx) (*.xls*) |  |  | - | owned");
    // Origin first, the row with an empty cell skipped, Linear but the last,
    // line speeds re-derived (10..30 has slope 0.5).
    const std::vector<ECamPoint> pts = Points();
    EXPECT_EQ(pts, (std::vector<ECamPoint>{{0, 0, 0.5, kECamLinear}, {10, 5, 0.5, kECamLinear},
                                           {30, 15, 0.5, kECamLinear}, {40, 20, 0.5, kECamPoly}}));
    EXPECT_TRUE(dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());
    expectUsableCam();
    // A refused workbook after it: the cam kept, 6033 off again.
    EXPECT_EQ(open(IDC_BTN_SPECIAL_IMPORT, "bad.xlsx"), (QStringList{kOpenFailed, kOpenFailed}));
    EXPECT_EQ(Points(), pts);
    EXPECT_FALSE(dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());
}

TEST_F(PanelFiles, SpecialSaveAndImportAgreeWithEcamctlAndUnwritableTargetsAreRefused)
{
    // Ties of "%.2f" round as C's printf does (0.125 -> 0.12, exact binary).
    LoadCam({{0, 0, 0, kECamPoly}, {0.125, 0.375, 0, kECamLinear}, {2.5, -0.125, 0, kECamLinear},
             {1000, 7, 0, kECamPoly}});
    ecam::ECamProfile profile;
    profile.points = Points();
    ASSERT_TRUE(ecam::WriteECamProfileFile(dir / "cam.ecam", profile));
    dir.Write("panel.xls", "old content that is not a workbook");
    ASSERT_EQ(open(IDC_BTN_SPECIAL_SAVE, "panel.xls"), QStringList{kSpeedsNotSaved});
    EXPECT_EQ(dialog(files.Calls()[0]), "save | 保存凸轮数据文件 | Excel Files(*.xls;*.xlsx) (*.xls *.xlsx);;"
                                         "All Files(*.*) (*.*) | xls | SpecECam1.xls | asks | owned");
    auto r = ecamtest::RunEcamctl({"convert", (dir / "cam.ecam").string(), (dir / "tool.xls").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir / "panel.xls"), ReadFileBytes(dir / "tool.xls"));
    EXPECT_EQ(WorkbookColumn(dir / "panel.xls", 1), (V{L"0.00", L"0.12", L"2.50", L"1000.00"}));
    EXPECT_EQ(WorkbookColumn(dir / "panel.xls", 2), (V{L"0.00", L"0.38", L"-0.12", L"7.00"}));

    // A target we cannot write (not a workbook's name, or a directory, which
    // is never deleted): the host's text for id 170, then the failure.
    const QString text170 = QString::fromStdWString(CSingleton<CLogicManage>::Instance()->GetString(170));
    ASSERT_FALSE(text170.isEmpty());
    const QStringList refused{text170, QString::fromUtf8("保存文件失败!")};
    EXPECT_EQ(open(IDC_BTN_SPECIAL_SAVE, "points.txt"), refused);
    EXPECT_FALSE(fs::exists(dir / "points.txt"));
    fs::create_directories(dir / "keep.xls" / "inside");
    EXPECT_EQ(open(IDC_BTN_SPECIAL_SAVE, "keep.xls"), refused);
    EXPECT_TRUE(fs::is_directory(dir / "keep.xls" / "inside"));

    // The import derives the same speeds as "ecamctl convert" (CSV keeps every bit).
    const fs::path book = fs::path(ECAM_TEST_DATA) / "office_formulas.xlsx";
    ASSERT_EQ(open(IDC_BTN_SPECIAL_IMPORT, book.string()), QStringList{});  // an absolute path
    r = ecamtest::RunEcamctl({"convert", book.string(), (dir / "book.csv").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<ECamPoint> tool;
    ASSERT_TRUE(ecam::LoadPointList(dir / "book.csv", tool));
    EXPECT_EQ(tool, Points()); // (that speeds are derived at all: the import test above)
}
