// The drive layer's Chinese words where the UI shows them: unchanged in
// Chinese (the same bytes the drive layer and ecamctl produce), translated
// in English.
#include "drive/cam_fun_codes.h"
#include "drive/cam_verify.h"
#include "drive/puu_params.h"
#include "host/fun_code_interface.h"
#include "host/link_failure.h"
#include "tests/lang/ui_text_walk.h"
#include "ui/funcode/fun_code_texts.h"
#include "ui/panel/drive_messages.h"
#include "ui/lang/ui_language.h"

#include <QApplication>
#include <cerrno>
#include <gtest/gtest.h>

using camverify::Field;
using camverify::Mismatch;

namespace {

class DriveMessages : public ::testing::Test {
protected:
    void TearDown() override { InstallUiTranslators(*qApp, UiLanguage::kChinese); }

    static std::vector<Mismatch> Mismatches()
    {
        return {
            {-1, Field::kMasterPulse, 10000, 0, true},   {-1, Field::kPointCount, 12, 3, false},
            {3, Field::kMaster, 3000, 0, false},          {0, Field::kSegment, 1, 0, true},
            {271, Field::kSpeed, -32768, 32767, false},  {-1, Field::kSlaveUnit, 1, 30000, false},
            {5, Field::kSlave, -7, 9, false},
        };
    }
    // Every message the scaling checks give, from texts that provoke them.
    static std::vector<const char*> PuuMessages()
    {
        std::vector<const char*> out;
        const puu::Texts cases[] = {
            {"", "1", "1", "1"},          {"0", "1", "1", "1"},         {"2000000000", "1", "1", "1"},
            {"1", "40000", "1", "1"},     {"1", "1", "2000000000", "1"}, {"1", "1", "1", "40000"},
        };
        for (const puu::Texts& t : cases) {
            puu::Values v;
            puu::Problem p = puu::CheckInput(t);
            if (!p)
                p = puu::CheckRanges(t, &v);
            EXPECT_TRUE(p) << t[0] << " " << t[1] << " " << t[2] << " " << t[3];
            if (p)
                out.push_back(p.message);
        }
        return out;
    }
};

} // namespace

TEST_F(DriveMessages, ChineseIsTheDriveLayersOwnText)
{
    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kChinese).panel);
    const std::vector<Mismatch> list = Mismatches();
    for (const Mismatch& m : list)
        EXPECT_EQ(MismatchLine(m).toStdString(), camverify::Describe(m));
    for (std::size_t max : {std::size_t{0}, std::size_t{2}, list.size(), std::size_t{100}})
        EXPECT_EQ(MismatchList(list, max).toStdString(), camverify::DescribeList(list, max)) << max;

    for (const char* message : PuuMessages())
        EXPECT_EQ(PuuMessage(message).toStdString(), message);

    for (const wchar_t* text : {L"9999", L"-3601", L"", L"1.5", L"12", L"x"}) {
        int32_t fromDrive = 0, fromUi = 0;
        const std::string want = camfuncodes::CheckFunCodeInput(text, -3600, 3600, &fromDrive);
        EXPECT_EQ(FunCodeInputProblem(text, -3600, 3600, &fromUi).toStdString(), want);
        EXPECT_EQ(fromUi, fromDrive);
    }
}

TEST_F(DriveMessages, EnglishHasNoChineseLeftAndLinkFailuresReadInEnglish)
{
    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kEnglish).panel);
    const std::vector<Mismatch> list = Mismatches();
    const QString text = MismatchList(list, 3);
    EXPECT_FALSE(HasCjk(text)) << text.toStdString();
    // The numbers are still there, each in its line.
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains(QLatin1String("10000")));
    EXPECT_TRUE(lines[1].contains(QLatin1String("12")) && lines[1].contains(QLatin1String("3")));
    EXPECT_TRUE(lines[2].contains(QLatin1String("3000")) && lines[2].contains(QLatin1String("3")));
    EXPECT_TRUE(lines[3].contains(QString::number(list.size())));

    for (const char* message : PuuMessages())
        EXPECT_FALSE(HasCjk(PuuMessage(message))) << message;

    for (const wchar_t* text : {L"9999", L"", L"1.5"}) {
        const QString problem = FunCodeInputProblem(text, -3600, 3600, nullptr);
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_FALSE(HasCjk(problem)) << problem.toStdString();
    }
    EXPECT_TRUE(FunCodeInputProblem(L"9999", -3600, 3600, nullptr).contains(QLatin1String("-3600")));

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

    // Link failures, with their cause and the place.
    EXPECT_EQ(LinkFailure::FromErrno(ECONNREFUSED, "127.0.0.1:1502", false).Text().toStdString(),
              "connection refused: nothing listens on 127.0.0.1:1502");
    EXPECT_EQ(LinkFailure::FromErrno(EBUSY, "/dev/ttyUSB0", true).Text().toStdString(),
              "device busy: another program holds /dev/ttyUSB0");
}
