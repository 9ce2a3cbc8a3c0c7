// The panel, its menus, the row-range dialog, the function-code dialog and
// the messages of common mistakes walked text by text, in Chinese and then
// on a panel made anew in English. In Chinese every text is the one pinned
// in zh_texts.txt, byte for byte; in English no text holds a Chinese
// character (so each Chinese one changed) and every label and button shows
// its text whole; so too the motion-law dialog's, not pinned.
// ECAM_WRITE_ZH_TEXTS=1 rewrites the pinned file from the current build instead.
#include "tests/lang/ui_text_walk.h"
#include "tests/support/panel_harness.h"
#include "ui/funcode/ecam_func_set_dlg.h"
#include "ui/funcode/my_combo_box.h"
#include "ui/funcode/my_list_ctrl.h"
#include "ui/panel/curve_menu.h"
#include "ui/panel/motion_law_dlg.h"
#include "ui/panel/spec_list_ctrl.h"
#include "ui/spec_edit.h"
#include "ui/lang/ui_language.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class PanelTexts : public PanelHarness {
protected:
    void SetUp() override
    {
        // Texts are translated when the windows are made: first the language.
        const UiTranslatorsLoaded loaded = InstallUiTranslators(*qApp, UiLanguage::kChinese);
        ASSERT_TRUE(loaded.panel) << loaded.panelFile.toStdString();
        // A device the catalogue can be found for; nothing here connects.
        ASSERT_TRUE(CSingleton<CLogicManage>::Instance()->GetDeviceManage()->SelectDevice("tcp://127.0.0.1:9?unit=1"));
        PanelHarness::SetUp();
    }
    void TearDown() override
    {
        PanelHarness::TearDown();
        InstallUiTranslators(*qApp, UiLanguage::kChinese);
    }

    // Every window the panel shows, opened the way a user opens it.
    UiTexts WalkEverything()
    {
        UiTexts out;
        CollectWidgetTexts(dlg, QStringLiteral("panel"), out);
        cutOff << TextsCutOff(dlg);

        ChooseFromRowMenu(0, QString());
        if (!ui->menus.Calls().empty())
            CollectMenuTexts(ui->menus.Calls().back(), QStringLiteral("table menu"), out);
        const std::size_t menus = ui->menus.Calls().size();
        QTest::mouseClick(PositionCurve(), Qt::RightButton, {}, PositionCurve()->rect().center());
        EXPECT_EQ(ui->menus.Calls().size(), menus + 1);
        if (ui->menus.Calls().size() == menus + 1)
            CollectMenuTexts(ui->menus.Calls().back(), QStringLiteral("curve menu"), out);

        if (auto* combo = qobject_cast<QComboBox*>(OpenEditorByClicks(0, kColType))) {
            CollectWidgetTexts(combo, QStringLiteral("type editor"), out);
            QTest::keyClick(combo, Qt::Key_Escape);
        } else {
            ADD_FAILURE() << "no type editor opened";
        }

        for (int id : {IDC_BTN_DELETE_ROWS, IDC_BTN_INSERT_ROWS}) {
            ModalDriver<CListOperDlg> driver([&](CListOperDlg* d) {
                CollectWidgetTexts(d, QStringLiteral("rows %1").arg(id), out);
                cutOff << TextsCutOff(d);
            });
            Button(id)->click();
            EXPECT_TRUE(driver.Ran()) << id;
        }

        ModalDriver<CECamFuncSetDlg> driver([&](CECamFuncSetDlg* d) {
            CollectWidgetTexts(d, QStringLiteral("funcodes"), out);
            cutOff << TextsCutOff(d);
            // The first row is a choice: its value opens a drop-down list.
            CMyListCtrl* list = d->List();
            const QRect cell = list->visualRect(list->model()->index(0, 2));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
            auto* combo = list->findChild<CMyComboBox*>();
            if (!combo || !QTest::qWaitFor([combo] { return combo->view()->isVisible(); }, 5000)) {
                ADD_FAILURE() << "the value list did not drop down";
                return;
            }
            CollectWidgetTexts(combo, QStringLiteral("funcodes value list"), out);
            combo->hidePopup();
        });
        QTest::mouseClick(Button(IDC_BTN_FUNCODE), Qt::LeftButton);
        EXPECT_TRUE(driver.Ran());
        return out;
    }

    // The messages of mistakes a user can make without a drive, with their
    // numbers filled in.
    UiTexts WalkMessages()
    {
        boxes.Clear();
        TypeMasterLength(QStringLiteral("5"), Qt::Key_Return);
        TypeMasterLength(QStringLiteral("2000000"), Qt::Key_Return);
        TypeMasterLength(QStringLiteral("x"), Qt::Key_Return);
        TypeMasterLength(QStringLiteral("1000"), Qt::Key_Return);

        ui->menus.QueueChoice(CSpecListCtrl::ID_DELETE_POINT);   // the first row: refused
        RightClickRow(0);
        RunRangeButton(IDC_BTN_DELETE_ROWS, QStringLiteral("1"), QStringLiteral("1"));
        RunRangeButton(IDC_BTN_DELETE_ROWS, QStringLiteral("2"), QStringLiteral("0"));
        RunRangeButton(IDC_BTN_INSERT_ROWS, QStringLiteral("1"), QStringLiteral("100001"));
        RunRangeButton(IDC_BTN_INSERT_ROWS, QStringLiteral("1"), QStringLiteral("20000"));
        // A master between two close points cannot be typed.
        LoadCam({Pt(0, 0, 0, kECamPoly), Pt(1, 1, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
        EditCellText(1, kColMaster, QStringLiteral("0.001"));
        LoadCam({Pt(0, 0, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});

        // The scaling fields: empty, zero, out of range, then no drive.
        QLineEdit* unit = Edit(IDC_EDIT_UNIT);
        QTest::mouseClick(unit, Qt::LeftButton);
        QTest::keyClicks(unit, QStringLiteral("mm"));
        QTest::keyClick(unit, Qt::Key_Return);
        const int fields[] = {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE,
                              IDC_EDIT_MASTER_UNITS};
        for (const char* value : {"", "0", "40000", "10000"}) {
            for (int id : fields)
                Edit(id)->setText(QString::fromLatin1(value));
            Click(IDC_BTN_STD_WRITE);
        }
        Edit(IDC_EDIT_SLAVE_PULSE)->setText(QStringLiteral("2000000000"));
        Click(IDC_BTN_STD_WRITE);
        Edit(IDC_EDIT_MASTER_UNITS)->setText(QStringLiteral("2000000000"));
        Edit(IDC_EDIT_SLAVE_PULSE)->setText(QStringLiteral("10000"));
        Click(IDC_BTN_STD_WRITE);

        return BoxTexts(QStringLiteral("box"));
    }

    // The message boxes shown since the last Clear, as texts "<prefix> N text"
    // and "<prefix> N caption" (when it has one); `path` shown as "PATH".
    UiTexts BoxTexts(const QString& prefix, const QString& path = QString())
    {
        UiTexts out;
        for (std::size_t i = 0; i < boxes.Calls().size(); ++i) {
            const MessageBoxCall& c = boxes.Calls()[i];
            out.push_back({QStringLiteral("%1 %2 text").arg(prefix).arg(i),
                           path.isEmpty() ? c.text : QString(c.text).replace(path, QStringLiteral("PATH"))});
            if (!c.caption.isEmpty())
                out.push_back({QStringLiteral("%1 %2 caption").arg(prefix).arg(i), c.caption});
        }
        return out;
    }

    // Files the panel refuses: a folder chosen as a profile and as a
    // workbook, and curves exported to a picture format it does not write
    // (its path, which changes from run to run, replaced by "PATH").
    UiTexts WalkFileMessages()
    {
        boxes.Clear();
        QTemporaryDir dir;
        EXPECT_TRUE(dir.isValid());
        for (const auto& [id, name] : {std::pair{IDC_BTN_IMPORT, "folder.ecam"}, {IDC_BTN_SPECIAL_IMPORT, "folder.xls"}}) {
            const QString path = dir.filePath(QLatin1String(name));
            EXPECT_TRUE(QDir().mkpath(path));
            QCoreApplication::processEvents();   // the last edit's step recorded
            if (id == IDC_BTN_IMPORT && dlg->History().Modified())
                boxes.QueueAnswer(IDNO);   // the cam edited before: not saved
            files.QueueAnswer(path);
            Click(id);
        }
        const QString picture = dir.filePath(QStringLiteral("curves.bmp"));
        files.QueueAnswer(picture);
        ui->menus.QueueChoice(ID_EXPORT_CURVES);
        QTest::mouseClick(PositionCurve(), Qt::RightButton, {}, PositionCurve()->rect().center());
        EXPECT_FALSE(QFile::exists(picture));
        EXPECT_EQ(boxes.Calls().size(), 6u);   // the unsaved cam's question; each import says it failed
        return BoxTexts(QStringLiteral("file box"), picture);
    }

    // The file dialogs opened since `from` (the walk's imports and curve
    // export) and those of the two save commands, all cancelled.
    UiTexts FileDialogTexts(std::size_t from)
    {
        for (int id : {IDC_BTN_SAVE, IDC_BTN_SPECIAL_SAVE})
            Click(id);
        EXPECT_EQ(files.Calls().size(), from + 5);
        UiTexts out;
        for (std::size_t i = from; i < files.Calls().size(); ++i) {
            out.push_back({QStringLiteral("file %1 title").arg(i), files.Calls()[i].title});
            out.push_back({QStringLiteral("file %1 filter").arg(i), files.Calls()[i].filter});
            out.push_back({QStringLiteral("file %1 name").arg(i), files.Calls()[i].initialName});
        }
        return out;
    }

    QStringList cutOff;   // what TextsCutOff found in the windows walked

    UiTexts WalkAll()
    {
        UiTexts all = WalkEverything();
        for (const UiTexts& more : {WalkMessages(), WalkFileMessages()})
            all.insert(all.end(), more.begin(), more.end());
        return all;
    }
};

} // namespace

TEST_F(PanelTexts, AreThePinnedOnesInChineseAndEachTranslatedAndWholeInEnglish)
{
    const UiTexts chinese = WalkAll();
    ASSERT_GT(chinese.size(), 100u);
    QFile golden(QStringLiteral(ECAM_LANG_TEST_DIR "/zh_texts.txt"));
    if (qEnvironmentVariableIsSet("ECAM_WRITE_ZH_TEXTS")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
        golden.write(FormatUiTexts(chinese).toUtf8());
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << golden.fileName().toStdString();
    // Whole, so that a failure shows the lines that differ.
    EXPECT_EQ(FormatUiTexts(chinese).toStdString(), golden.readAll().toStdString());

    // A panel made in English: the same windows, entries and messages, each translated.
    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kEnglish).panel);
    ASSERT_NO_FATAL_FAILURE(Recreate(camxfer::Timing{std::chrono::milliseconds(0), 10}));
    const std::size_t fileDialogs = files.Calls().size();
    const UiTexts texts = WalkAll();
    ASSERT_EQ(texts.size(), chinese.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].where.toStdString(), chinese[i].where.toStdString()) << i;
        EXPECT_FALSE(HasCjk(texts[i].text)) << texts[i].where.toStdString() << " = " << texts[i].text.toStdString();
    }

    // Windows whose texts are not pinned here: they change elsewhere. The
    // motion-law dialog with a refusal in its status line.
    UiTexts more = FileDialogTexts(fileDialogs);
    CMotionLawDlg laws({}, 1000);
    laws.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&laws));
    CollectWidgetTexts(&laws, QStringLiteral("laws"), more);
    laws.findChild<QLineEdit*>("tolerance")->setText(QStringLiteral("0.00001"));
    EXPECT_EQ(laws.StatusText().left(44), QStringLiteral("Tolerance 0.00001 needs more than 272 key po"));
    more.push_back({QStringLiteral("laws refusal"), laws.StatusText()});
    more.push_back({QStringLiteral("law"), CMotionLawDlg::LawText(MotionLaw::ModifiedSine)});
    EXPECT_EQ(more.back().text, QStringLiteral("Modified sine"));
    for (const UiText& t : more)
        EXPECT_FALSE(HasCjk(t.text)) << t.where.toStdString() << " = " << t.text.toStdString();
    cutOff << TextsCutOff(&laws);
    EXPECT_TRUE(cutOff.isEmpty()) << cutOff.join(QLatin1Char('\n')).toStdString();
}
