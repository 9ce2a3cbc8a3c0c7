// The drive layer's Chinese words where the panel and ecamctl show them: in
// Chinese the drive layer's own bytes, in English their translation word for
// word. (The scaling checks' and the typed-value checks' English words are
// checked through ecamctl, ecamctl_messages_test.)
#include "drive/cam_fun_codes.h"
#include "drive/cam_verify.h"
#include "host/fun_code_interface.h"
#include "host/link_failure.h"
#include "tests/lang/ui_text_walk.h"
#include "ui/lang/drive_messages.h"
#include "ui/lang/fun_code_texts.h"
#include "ui/lang/ui_language.h"

#include <QApplication>
#include <cerrno>
#include <gtest/gtest.h>

using camverify::Field;
using camverify::Mismatch;

TEST(DriveMessages, AreTheDriveLayersOwnInChineseAndTranslatedWordForWordInEnglish)
{
    const struct {
        Mismatch m;
        const char* english;
    } cases[] = {
        {{-1, Field::kMasterPulse, 10000, 0, true}, "Master pulses: wrote 10000, could not read back"},
        {{-1, Field::kPointCount, 12, 3, false}, "Point count: wrote 12, read back 3"},
        {{3, Field::kMaster, 3000, 0, false}, "Point 3 master: wrote 3000, read back 0"},
        {{0, Field::kSegment, 1, 0, true}, "Point 0 type: wrote 1, could not read back"},
        {{271, Field::kSpeed, -32768, 32767, false}, "Point 271 speed: wrote -32768, read back 32767"},
        {{-1, Field::kSlaveUnit, 1, 30000, false}, "Slave units: wrote 1, read back 30000"},
        {{5, Field::kSlave, -7, 9, false}, "Point 5 slave: wrote -7, read back 9"},
    };
    std::vector<Mismatch> list;
    for (const auto& c : cases)
        list.push_back(c.m);

    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kChinese).panel);
    for (const auto& c : cases)
        EXPECT_EQ(MismatchLine(c.m).toStdString(), camverify::Describe(c.m));
    for (std::size_t max : {std::size_t{0}, std::size_t{2}, list.size(), std::size_t{100}})
        EXPECT_EQ(MismatchList(list, max).toStdString(), camverify::DescribeList(list, max)) << max;
    for (const wchar_t* text : {L"9999", L"-3601", L"", L"1.5", L"12", L"x"}) {
        int32_t fromDrive = 0, fromUi = 0;
        const std::string want = camfuncodes::CheckFunCodeInput(text, -3600, 3600, &fromDrive);
        EXPECT_EQ(FunCodeInputProblem(text, -3600, 3600, &fromUi).toStdString(), want);
        EXPECT_EQ(fromUi, fromDrive);
    }

    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kEnglish).panel);
    for (const auto& c : cases)
        EXPECT_EQ(MismatchLine(c.m).toStdString(), c.english);
    EXPECT_EQ(MismatchList(list, 1).toStdString(), std::string(cases[0].english) + "\n7 differences in all");
    // The function-code dialog's input messages (its caption is a plain tr text).
    for (const auto& [text, english] : {std::pair{L"9999", "Valid range: [-3600, 3600]"},
                                        {L"", "The value must not be empty!"}, {L"1.5", "Please enter a whole number!"}})
        EXPECT_EQ(FunCodeInputProblem(text, -3600, 3600, nullptr).toStdString(), english);
    // Every word of the shipped catalogue, not only the rows the dialog lists.
    std::string error;
    const auto catalogue = CFunCodeInterface::LoadFile(CFunCodeInterface::DefaultPath(), &error);
    ASSERT_TRUE(catalogue) << error;
    ASSERT_GT(catalogue->GetFunCodeCount(), 0u);
    for (unsigned i = 0; i < catalogue->GetFunCodeCount(); ++i) {
        const CFunCode& p = *catalogue->GetFunCodePtrByIndex(i);
        QStringList words{FunCodeWord(p.m_strName), FunCodeWord(p.m_strUnit)};
        for (const FunCodeOption& o : p.m_options)
            words << FunCodeOptionText(o);
        for (const QString& w : words)
            EXPECT_FALSE(HasCjk(w)) << w.toStdString();
    }
    EXPECT_EQ(LinkFailure::FromErrno(EBUSY, "/dev/ttyUSB0", true).Text().toStdString(),
              "device busy: another program holds /dev/ttyUSB0");
    InstallUiTranslators(*qApp, UiLanguage::kChinese);
}
