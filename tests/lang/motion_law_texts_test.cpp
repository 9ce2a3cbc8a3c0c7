// The motion-law dialog in English: every label, header, law name, report
// cell and message (a refusal included) translated and shown whole.
#include "tests/lang/ui_text_walk.h"
#include "ui/panel/motion_law_dlg.h"
#include "ui/lang/ui_language.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(MotionLawTexts, EnglishHoldsNoChineseAndShowsWhole)
{
    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kEnglish).panel);
    {
        CMotionLawDlg dlg({}, 1000);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        UiTexts texts;
        CollectWidgetTexts(&dlg, QStringLiteral("laws"), texts);
        ASSERT_TRUE(dlg.HasDesign());
        dlg.findChild<QLineEdit*>("tolerance")->setText(QStringLiteral("0.00001"));
        texts.push_back({QStringLiteral("refusal"), dlg.StatusText()});
        EXPECT_EQ(dlg.StatusText().left(44), QStringLiteral("Tolerance 0.00001 needs more than 272 key po"));
        for (const UiText& t : texts)
            EXPECT_FALSE(HasCjk(t.text)) << t.where.toStdString() << " = " << t.text.toStdString();
        EXPECT_EQ(CMotionLawDlg::LawText(MotionLaw::ModifiedSine), QStringLiteral("Modified sine"));
        const QStringList cut = TextsCutOff(&dlg);
        EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
    }
    InstallUiTranslators(*qApp, UiLanguage::kChinese);
}
