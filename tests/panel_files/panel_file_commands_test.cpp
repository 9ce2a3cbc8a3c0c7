// Open/save of .ecam profiles and import/save of special-point workbooks,
// clicked on a real panel; file dialogs and message boxes are answered by
// recorders, and the test checks what the files, the cam and the fields hold.
#include "files/gbk.h"
#include "files/ms_excel_helper.h"
#include "host/logic_manage.h"
#include "tests/support/panel_harness.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class PanelFiles : public PanelHarness {
protected:
    PanelFiles() : PanelHarness(QSize(1280, 800), Show::kExposed) {}
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("panel_files_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())
                 + "_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        PanelHarness::SetUp();
    }
    void TearDown() override
    {
        PanelHarness::TearDown();
        fs::remove_all(dir);
    }

    void click(int id) { QTest::mouseClick(dlg->GetDlgItem(id), Qt::LeftButton); }
    QString path(const char* name) const { return QString::fromStdString((dir / name).string()); }
    std::vector<ECamPoint> points() const
    {
        std::vector<ECamPoint> out;
        dlg->GetPoints(out);
        return out;
    }
    std::string readBytes(const QString& p) const
    {
        std::ifstream in(p.toStdString(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void writeBytes(const QString& p, const std::string& bytes) const
    {
        std::ofstream(p.toStdString(), std::ios::binary) << bytes;
    }
    void setFields(const char* len, const char* unit, const char* sp, const char* su, const char* mp,
                   const char* mu)
    {
        dlg->SetDlgItemText(IDC_EDIT_MASTER_LEN, QString::fromUtf8(len));
        dlg->SetDlgItemText(IDC_EDIT_UNIT, QString::fromUtf8(unit));
        dlg->SetDlgItemText(IDC_EDIT_SLAVE_PULSE, QString::fromUtf8(sp));
        dlg->SetDlgItemText(IDC_EDIT_SLAVE_UNITS, QString::fromUtf8(su));
        dlg->SetDlgItemText(IDC_EDIT_MASTER_PULSE, QString::fromUtf8(mp));
        dlg->SetDlgItemText(IDC_EDIT_MASTER_UNITS, QString::fromUtf8(mu));
    }
    void expectUsableCam()
    {
        for (const ECamCurveSample& s : dlg->CamModel().Curve())
            ASSERT_TRUE(std::isfinite(s.position) && std::isfinite(s.speed) && std::isfinite(s.accel)
                        && std::isfinite(s.positionX));
        EXPECT_EQ(Table()->GetItemCount(), static_cast<int>(points().size()));
    }

    fs::path dir;
};

const QString kOpenFailed = QString::fromUtf8("打开数据文件失败!");

} // namespace

TEST_F(PanelFiles, SaveWritesTheGoldenDefaultCamAndAsksBeforeOverwriting)
{
    const QString target = path("default.ecam");
    writeBytes(target, "old");
    files.QueueAnswer(target);             // exists: answered No
    files.QueueAnswer(target);             // asked again: Yes
    boxes.QueueAnswer(IDNO);
    boxes.QueueAnswer(IDYES);
    click(IDC_BTN_SAVE);

    ASSERT_EQ(files.Calls().size(), 2u);
    const FileDialogCall& call = files.Calls()[0];
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.title, QString::fromUtf8("保存凸轮数据文件"));
    EXPECT_EQ(call.filter, QStringLiteral("QZ ECam Files (*.ecam);;All Files (*.*)"));
    EXPECT_EQ(call.defaultExt, QStringLiteral("ecam"));
    EXPECT_TRUE(call.initialName.isEmpty());
    EXPECT_FALSE(call.confirmOverwrite);
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[0].text, QString::fromUtf8("文件已经存在，是否覆盖?"));
    EXPECT_EQ(boxes.Calls()[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(boxes.Calls()[0].buttons & 0xF, MB_YESNO);

    // Byte by byte except the time line (line 2).
    std::string bytes = readBytes(target);
    const size_t l2 = bytes.find("\r\n") + 2, l3 = bytes.find("\r\n", l2) + 2;
    EXPECT_EQ(bytes.substr(l2, 12), "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xca\xb1\xbc\xe4");
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

    // Cancelling writes nothing; a path that cannot be created is reported.
    click(IDC_BTN_SAVE);
    EXPECT_EQ(boxes.Calls().size(), 2u);
    files.QueueAnswer(path("no/such/dir.ecam"));
    click(IDC_BTN_SAVE);
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[2].text, QString::fromUtf8("保存数据文件失败!"));
}

TEST_F(PanelFiles, SaveThenOpenRestoresPointsAndEverySetting)
{
    LoadCam({{0, 0, 0, kECamLinear}, {123.4567891, 45.5, 0.5, kECamPoly},
                               {360, 90, 0, kECamPoly}});
    dlg->RefreshTable();
    setFields("360", "毫米", "131072", "10", "10000", "360");
    const std::vector<ECamPoint> saved = points();
    files.QueueAnswer(path("round.ecam"));
    click(IDC_BTN_SAVE);
    ASSERT_TRUE(boxes.Calls().empty());

    // Scramble everything, then open the file again (upper-case extension).
    fs::rename(dir / "round.ecam", dir / "ROUND.ECAM");
    LoadCam({{0, 0, 0, kECamPoly}, {50, 1, 0, kECamPoly}});
    setFields("77", "x", "1", "2", "3", "4");
    for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_BTN_STD_WRITE})
        dlg->GetDlgItem(id)->setEnabled(false);
    files.QueueAnswer(path("ROUND.ECAM"));
    click(IDC_BTN_IMPORT);
    ASSERT_TRUE(boxes.Calls().empty()) << boxes.Texts().join(QStringLiteral(" | ")).toStdString();
    const FileDialogCall& call = files.Calls().back();
    EXPECT_FALSE(call.save);
    EXPECT_EQ(call.title, QString::fromUtf8("打开凸轮数据文件"));
    EXPECT_TRUE(call.defaultExt.isEmpty());

    // Six decimals: 123.4567891 comes back as 123.456789.
    std::vector<ECamPoint> rounded = saved;
    rounded[1].master = 123.456789;
    EXPECT_EQ(points(), rounded);
    EXPECT_EQ(dlg->MasterLength(), 360u);
    const std::pair<int, const char*> fields[] = {
        {IDC_EDIT_MASTER_LEN, "360"},       {IDC_EDIT_UNIT, "毫米"},
        {IDC_LBL_SLAVE_UNIT, "毫米"},       {IDC_LBL_MASTER_UNIT, "毫米"},
        {IDC_EDIT_SLAVE_PULSE, "131072"},   {IDC_EDIT_SLAVE_UNITS, "10"},
        {IDC_EDIT_MASTER_PULSE, "10000"},   {IDC_EDIT_MASTER_UNITS, "360"}};
    for (const auto& [id, text] : fields)
        EXPECT_EQ(dlg->GetDlgItemText(id), QString::fromUtf8(text)) << id;
    for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE,
                   IDC_EDIT_MASTER_UNITS, IDC_BTN_STD_WRITE})
        EXPECT_TRUE(dlg->GetDlgItem(id)->isEnabled()) << id;
    EXPECT_EQ(Table()->GetItemCount(), 3);
}

TEST_F(PanelFiles, OpenIgnoresOtherFilesAndReportsFileErrors)
{
    const std::vector<ECamPoint> before = points();
    writeBytes(path("cam.txt"), "whatever");
    files.QueueAnswer(path("cam.txt"));
    click(IDC_BTN_IMPORT);          // wrong extension: silently nothing
    click(IDC_BTN_IMPORT);          // cancelled
    EXPECT_TRUE(boxes.Calls().empty());
    files.QueueAnswer(path("absent.ecam"));
    click(IDC_BTN_IMPORT);
    EXPECT_EQ(boxes.Texts(), (QStringList{QStringLiteral("No such file or directory"), kOpenFailed}));
    EXPECT_EQ(points(), before);
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
    } cases[] = {
        {"none.ecam", head + count + "0\nh\n", 0},
        {"one.ecam", head + count + "1\nh\n5,5,0,1\n", 1},
        {"short.ecam", head + count + "4\nh\n0,0,0,1\n10,1,0,0\n", 2},
        {"unordered.ecam", head + count + "4\nh\n0,0,0,1\n50,5,0,1\n20,2,0,0\n20,3,0,2\n", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path(c.name), c.body);
        files.QueueAnswer(path(c.name));
        click(IDC_BTN_IMPORT);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(points().size(), c.points);
        expectUsableCam();
        // Editing goes on: a point added in the middle of the master range.
        InsertPoint({0.5, 0.25, 0, kECamPoly});
        expectUsableCam();
    }
    // "7" without "/": no pulse count, the whole text is the amount.
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_SLAVE_PULSE), QString());
    EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT_SLAVE_UNITS), QStringLiteral("7"));

    // Bytes without a count line are no profile: refused, the cam kept.
    const std::vector<ECamPoint> kept = points();
    writeBytes(path("garbage.ecam"), std::string("\xff\xfe\x00zz\n", 6));
    files.QueueAnswer(path("garbage.ecam"));
    click(IDC_BTN_IMPORT);
    EXPECT_EQ(boxes.Texts(), QStringList{kOpenFailed});
    EXPECT_EQ(points(), kept);
}

TEST_F(PanelFiles, SpecialImportBuildsTheCamFromTwoColumns)
{
    {
        CMSExcelHelper x;
        ASSERT_TRUE(x.InitExcel((dir / "pts.xlsx")));
        x.AddSheet(L"ECamInfo");
        x.WriteLine(1, 1, {L"10", L"5"});
        x.WriteLine(1, 2, {L"20", L""});
        x.WriteLine(1, 3, {L"30", L"15"});
        x.WriteLine(1, 4, {L"40", L"20"});
        ASSERT_TRUE(x.CloseAndSaveExcel());
    }
    files.QueueAnswer(path("pts.xlsx"));
    click(IDC_BTN_SPECIAL_IMPORT);
    ASSERT_TRUE(boxes.Calls().empty()) << boxes.Texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(files.Calls()[0].title, QString::fromUtf8("打开凸轮数据文件"));
    EXPECT_EQ(files.Calls()[0].filter, QStringLiteral("Excel Files(*.xls,*.xlsx) (*.xls*)"));
    // Origin first, the row with an empty cell skipped, Linear but the last,
    // line speeds re-derived (10..30 has slope 0.5).
    const std::vector<ECamPoint> pts = points();
    EXPECT_EQ(pts, (std::vector<ECamPoint>{{0, 0, 0.5, kECamLinear}, {10, 5, 0.5, kECamLinear},
                                           {30, 15, 0.5, kECamLinear}, {40, 20, 0.5, kECamPoly}}));
    EXPECT_TRUE(dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());
    EXPECT_EQ(Table()->GetItemCount(), 4);
    expectUsableCam();

    // An unreadable workbook: the message twice, the cam kept, 6033 off.
    writeBytes(path("bad.xlsx"), "not a workbook");
    files.QueueAnswer(path("bad.xlsx"));
    click(IDC_BTN_SPECIAL_IMPORT);
    EXPECT_EQ(boxes.Texts(), (QStringList{kOpenFailed, kOpenFailed}));
    EXPECT_EQ(points(), pts);
    EXPECT_FALSE(dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());

    // A workbook without one complete row holds no cam: reported, cam kept.
    writeBytes(path("empty.csv"), ",1\n,2\n");
    files.QueueAnswer(path("empty.csv"));
    click(IDC_BTN_SPECIAL_IMPORT);
    EXPECT_EQ(boxes.Texts().mid(2), (QStringList{kOpenFailed, kOpenFailed}));
    EXPECT_EQ(points(), pts);
}

TEST_F(PanelFiles, SpecialSaveWritesTheKeyPointsAndReplacesAnExistingFile)
{
    const QString target = path("SpecECam1.xls");
    writeBytes(target, "old content that is not a workbook");
    files.QueueAnswer(target);
    click(IDC_BTN_SPECIAL_SAVE);
    ASSERT_TRUE(boxes.Calls().empty()) << boxes.Texts().join(QStringLiteral(" | ")).toStdString();
    const FileDialogCall& call = files.Calls()[0];
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.initialName, QStringLiteral("SpecECam1.xls"));
    EXPECT_EQ(call.defaultExt, QStringLiteral("xls"));
    EXPECT_TRUE(call.confirmOverwrite);
    EXPECT_TRUE(call.filter.startsWith(QStringLiteral("Excel Files(*.xls;*.xlsx) (*.xls *.xlsx);;")));

    CMSExcelHelper x;
    ASSERT_TRUE(x.OpenExcel(target.toStdString()));
    std::vector<std::wstring> first, second;
    x.ReadColumnFromBegin(1, 1, first);
    x.ReadColumnFromBegin(1, 2, second);
    EXPECT_EQ(first, (std::vector<std::wstring>{L"0.00", L"1000.00"}));
    EXPECT_EQ(second, (std::vector<std::wstring>{L"0.00", L"0.00"}));

    // Save and import again: two decimals, Linear but the last, speeds derived.
    LoadCam({{0, 0, 0, kECamPoly}, {100.004, 20.126, 0, kECamLinear},
                               {300, 60, 0, kECamPoly}});
    files.QueueAnswer(path("again.xlsx"));
    click(IDC_BTN_SPECIAL_SAVE);
    files.QueueAnswer(path("again.xlsx"));
    click(IDC_BTN_SPECIAL_IMPORT);
    ASSERT_TRUE(dlg->GetDlgItem(IDC_BTN_SPECIAL_WRITE)->isEnabled());
    const std::vector<ECamPoint> pts = points();
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[1].master, 100.0);
    EXPECT_EQ(pts[1].slave, 20.13);
    EXPECT_EQ(pts[0].type, kECamLinear);
    EXPECT_EQ(pts[1].type, kECamLinear);
    EXPECT_EQ(pts[2].type, kECamPoly);

    // A target we cannot write: the host's text for id 170, then the failure.
    files.QueueAnswer(path("points.txt"));
    click(IDC_BTN_SPECIAL_SAVE);
    const QString text170 = QString::fromStdWString(CSingleton<CLogicManage>::Instance()->GetString(170));
    EXPECT_FALSE(text170.isEmpty());
    EXPECT_EQ(boxes.Texts(), (QStringList{text170, QString::fromUtf8("保存文件失败!")}));
    EXPECT_FALSE(fs::exists(dir / "points.txt"));
}
