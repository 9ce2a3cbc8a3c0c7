// Hostile and damaged files through the panel's buttons: each is refused
// quickly with its message, and the cam the user had stays as it was. Also:
// the panel's special-point save and import agree byte for byte and speed for
// speed with ecamctl, and the save never deletes a directory.
#include "files/ecam_file.h"
#include "files/gbk.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"
#include "files/read_limits.h"
#include "host/logic_manage.h"
#include "run_ecamctl.h"
#include "tests/support/panel_harness.h"

#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const QString kOpenFailed = QString::fromUtf8("打开数据文件失败!");

QString words(ecam::ReadFailure kind)
{
    return QString::fromStdString(ecam::ReadFailureText(kind));
}

class PanelHostileFiles : public PanelHarness {
protected:
    PanelHostileFiles() : PanelHarness(QSize(1280, 800), Show::kExposed) {}
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("panel_hostile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())
                 + "_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        PanelHarness::SetUp();
        // Ends at the panel's master length (1000), which clicks elsewhere apply.
        LoadCam({{0, 0, 0, kECamPoly}, {400, 30, 0, kECamLinear}, {1000, 80, 0, kECamPoly}});
        dlg->RefreshTable();
        before = points();
    }
    void TearDown() override
    {
        PanelHarness::TearDown();
        fs::remove_all(dir);
    }
    std::vector<ECamPoint> points() const
    {
        std::vector<ECamPoint> out;
        dlg->GetPoints(out);
        return out;
    }
    QString path(const std::string& name) const { return QString::fromStdString((dir / name).string()); }
    // Opens `name` with the button `id` and returns the messages shown.
    QStringList open(int id, const std::string& name)
    {
        const qsizetype seen = boxes.Calls().size();
        files.QueueAnswer(path(name));
        QTest::mouseClick(dlg->GetDlgItem(id), Qt::LeftButton);
        return boxes.Texts().mid(seen);
    }
    void expectCamKept()
    {
        EXPECT_EQ(points(), before);
        EXPECT_EQ(Table()->GetItemCount(), static_cast<int>(before.size()));
    }

    fs::path dir;
    std::vector<ECamPoint> before;
};

std::string profileHead(const std::string& countLine)
{
    return ecam::Utf8ToGbk("后台软件版本, 1.0.0.0\r\n文件保存时间, x\r\n主轴长度, 1000\r\n单位, mm\r\n"
                           "从轴单位转换率, 1/1\r\n主轴单位转换率, 1/1\r\n" + countLine + "\r\nM,S,V,T\r\n");
}

} // namespace

TEST_F(PanelHostileFiles, FilesThatAreNoFilesAreRefusedAtOnce)
{
    // A FIFO with nobody writing would block a reader forever; a link to
    // /dev/zero never ends; a directory is no file.
    ASSERT_EQ(mkfifo((dir / "x.ecam").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir / "x.csv").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.ecam");
    fs::create_symlink("/dev/zero", dir / "zero.xlsx");
    fs::create_directory(dir / "folder.xls");
    const QStringList refused{words(ecam::ReadFailure::NotRegular), kOpenFailed};
    for (const char* name : {"x.ecam", "zero.ecam"}) {
        EXPECT_EQ(open(IDC_BTN_IMPORT, name), refused) << name;
        expectCamKept();
    }
    for (const char* name : {"x.csv", "zero.xlsx", "folder.xls"}) {
        EXPECT_EQ(open(IDC_BTN_SPECIAL_IMPORT, name), refused) << name;
        expectCamKept();
        EXPECT_FALSE(dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());
    }
}

TEST_F(PanelHostileFiles, ProfilesThatAreNoProfilesOrTooLargeChangeNothing)
{
    // The count line not at line 7: not a profile, only the general message.
    std::ofstream(dir / "shifted.ecam", std::ios::binary) << "凸轮点数量, 2\r\n0,0,0,1\r\n9,9,0,1\r\n";
    EXPECT_EQ(open(IDC_BTN_IMPORT, "shifted.ecam"), QStringList{kOpenFailed});
    expectCamKept();

    // A huge count and 10 MB of empty lines: each line is a point, past the cap.
    {
        std::ofstream out(dir / "huge.ecam", std::ios::binary);
        out << profileHead("凸轮点数量,   999999999999") << std::string(10 << 20, '\n');
    }
    EXPECT_EQ(open(IDC_BTN_IMPORT, "huge.ecam"), (QStringList{words(ecam::ReadFailure::TooManyPoints), kOpenFailed}));
    expectCamKept();
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_UNIT), QString()); // the settings stay too

    // A true profile with damaged rows still loads as the format says.
    std::ofstream(dir / "damaged.ecam", std::ios::binary)
        << profileHead("凸轮点数量,   3") << "0,0,0,1\r\nabc\r\n500,x,,7\r\n";
    EXPECT_EQ(open(IDC_BTN_IMPORT, "damaged.ecam"), QStringList{});
    EXPECT_EQ(points(), (std::vector<ECamPoint>{{0, 0, 0, kECamPoly}, {0, 0, 0, kECamLinear}, {500, 0, 0, kECamLinear}}));
}

TEST_F(PanelHostileFiles, WorkbooksBeyondTheCapsChangeNothing)
{
    // One point more than a workbook may hold.
    {
        std::ofstream out(dir / "many.csv", std::ios::binary);
        for (size_t i = 1; i <= ecam::kMaxFilePoints + 1; ++i)
            out << i << ',' << i << '\n';
    }
    EXPECT_EQ(open(IDC_BTN_SPECIAL_IMPORT, "many.csv"),
              (QStringList{words(ecam::ReadFailure::TooManyPoints), kOpenFailed}));
    expectCamKept();
    // A file larger than any workbook we read: refused before it is read.
    {
        std::ofstream out(dir / "big.xlsx", std::ios::binary);
        out.seekp(static_cast<std::streamoff>(ecam::kMaxWorkbookFileBytes));
        out << 'x';
    }
    EXPECT_EQ(open(IDC_BTN_SPECIAL_IMPORT, "big.xlsx"), (QStringList{words(ecam::ReadFailure::TooLarge), kOpenFailed}));
    expectCamKept();
}

TEST_F(PanelHostileFiles, SpecialSaveAndImportAgreeWithEcamctl)
{
    // Ties of "%.2f" round as C's printf does (0.125 -> 0.12, exact binary).
    LoadCam({{0, 0, 0, kECamPoly}, {0.125, 0.375, 0, kECamLinear}, {2.5, -0.125, 0, kECamLinear},
             {1000, 7, 0, kECamPoly}});
    ecam::ECamProfile profile;
    profile.points = points();
    ASSERT_TRUE(ecam::WriteECamProfileFile(dir / "cam.ecam", profile));
    files.QueueAnswer(path("panel.xls"));
    QTest::mouseClick(dlg->GetDlgItem(IDC_BTN_SPECIAL_SAVE), Qt::LeftButton);
    ASSERT_TRUE(boxes.Calls().empty()) << boxes.Texts().join(QStringLiteral(" | ")).toStdString();
    auto r = ecamtest::RunEcamctl({"convert", (dir / "cam.ecam").string(), (dir / "tool.xls").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(bytes(dir / "panel.xls"), bytes(dir / "tool.xls"));
    CMSExcelHelper x;
    ASSERT_TRUE(x.OpenExcel(dir / "panel.xls"));
    std::vector<std::wstring> first, second;
    x.ReadColumnFromBegin(1, 1, first);
    x.ReadColumnFromBegin(1, 2, second);
    EXPECT_EQ(first, (std::vector<std::wstring>{L"0.00", L"0.12", L"2.50", L"1000.00"}));
    EXPECT_EQ(second, (std::vector<std::wstring>{L"0.00", L"0.38", L"-0.12", L"7.00"}));

    // The import derives the same speeds as "ecamctl convert" (CSV keeps every bit).
    const fs::path book = fs::path(ECAM_TEST_DATA) / "office_formulas.xlsx";
    files.QueueAnswer(QString::fromStdString(book.string()));
    QTest::mouseClick(dlg->GetDlgItem(IDC_BTN_SPECIAL_IMPORT), Qt::LeftButton);
    ASSERT_TRUE(boxes.Calls().empty());
    r = ecamtest::RunEcamctl({"convert", book.string(), (dir / "book.csv").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<ECamPoint> tool;
    ASSERT_TRUE(ecam::LoadPointList(dir / "book.csv", tool));
    EXPECT_EQ(tool, points());
    size_t moving = 0;
    for (const ECamPoint& p : tool)
        moving += p.speed != 0;
    EXPECT_GE(moving, 5u); // speeds were derived, not left at 0
}

TEST_F(PanelHostileFiles, SpecialSaveNeverDeletesADirectory)
{
    fs::create_directories(dir / "keep.xls" / "inside");
    files.QueueAnswer(path("keep.xls"));
    QTest::mouseClick(dlg->GetDlgItem(IDC_BTN_SPECIAL_SAVE), Qt::LeftButton);
    const QString text170 = QString::fromStdWString(CSingleton<CLogicManage>::Instance()->GetString(170));
    EXPECT_EQ(boxes.Texts(), (QStringList{text170, QString::fromUtf8("保存文件失败!")}));
    EXPECT_TRUE(fs::is_directory(dir / "keep.xls" / "inside"));
}
