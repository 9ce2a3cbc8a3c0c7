// The choice of the UI language and the translators it installs: Qt's own
// (standard dialogs and buttons) and the panel's.
#include "tests/lang/ui_text_walk.h"
#include "ui/lang/ui_language.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(UiLanguage, FollowsTheLocaleChineseForZhAndTheCLocaleUnlessAnOverrideNamesALanguage)
{
    const struct {
        const char *locale, *override;
        UiLanguage want;
    } cases[] = {
        {"zh_CN", "", UiLanguage::kChinese},       {"zh_TW", "", UiLanguage::kChinese},
        {"zh_CN.UTF-8", "", UiLanguage::kChinese}, {"zh-Hant-TW", "", UiLanguage::kChinese},
        {"C", "", UiLanguage::kChinese},           {"POSIX", "", UiLanguage::kChinese},
        {"C.UTF-8", "", UiLanguage::kChinese},     {"", "", UiLanguage::kChinese},
        {"en_US", "", UiLanguage::kEnglish},       {"en_US.UTF-8", "", UiLanguage::kEnglish},
        {"de_DE", "", UiLanguage::kEnglish},       {"de_DE.UTF-8@euro", "", UiLanguage::kEnglish},
        {"ja_JP", "", UiLanguage::kEnglish},       {"Ch", "", UiLanguage::kEnglish},
        {"zh_CN", "en", UiLanguage::kEnglish},     {"C", "en", UiLanguage::kEnglish},
        {"de_DE", "zh_CN", UiLanguage::kChinese},  {"en_US", "zh", UiLanguage::kChinese},
        // Not a language: the locale decides.
        {"de_DE", "klingon", UiLanguage::kEnglish}, {"zh_CN", "de", UiLanguage::kChinese},
    };
    for (const auto& c : cases)   // an empty override is none
        EXPECT_EQ(ChooseUiLanguage(QString::fromLatin1(c.locale), QString::fromLatin1(c.override)), c.want)
            << c.locale << " " << c.override;

    EXPECT_EQ(ParseUiLanguage(QStringLiteral("en")), UiLanguage::kEnglish);
    EXPECT_EQ(ParseUiLanguage(QStringLiteral("zh_CN")), UiLanguage::kChinese);
    for (const char* bad : {"", "C", "de", "english", "_en"})
        EXPECT_FALSE(ParseUiLanguage(QString::fromLatin1(bad))) << bad;
    for (UiLanguage l : {UiLanguage::kChinese, UiLanguage::kEnglish})
        EXPECT_EQ(ParseUiLanguage(UiLanguageName(l)), l);
}

namespace {

// What a standard message box and file dialog show, made now.
QStringList StandardTexts()
{
    QStringList texts;
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
    texts << box.button(QMessageBox::Yes)->text() << box.button(QMessageBox::Cancel)->text();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    for (const char* name : {"lookInLabel", "fileNameLabel"}) {
        auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
        texts << (label ? label->text() : QStringLiteral("(no %1)").arg(QLatin1String(name)));
    }
    return texts;
}

QString PanelWord() { return QCoreApplication::translate("CListOperDlg", "取消"); }

} // namespace

TEST(UiLanguage, InstallsQtsTranslationsAndThePanelsReplacingTheEarlierOnes)
{
    UiTranslatorsLoaded loaded = InstallUiTranslators(*qApp, UiLanguage::kEnglish);
    EXPECT_TRUE(loaded.qt);
    ASSERT_TRUE(loaded.panel) << loaded.panelFile.toStdString();
    EXPECT_EQ(PanelWord(), QStringLiteral("Cancel"));
    for (const QString& t : StandardTexts())
        EXPECT_FALSE(HasCjk(t)) << t.toStdString();

    loaded = InstallUiTranslators(*qApp, UiLanguage::kChinese);
    EXPECT_TRUE(loaded.qt && loaded.panel && loaded.panelFile.isEmpty()) << loaded.panelFile.toStdString();
    // The English translator is gone: the panel's texts are their own again.
    EXPECT_EQ(PanelWord(), QStringLiteral("取消"));
    for (const QString& t : StandardTexts())
        EXPECT_TRUE(HasCjk(t)) << t.toStdString();

    // No translation where it is looked for: said so, and nothing half done.
    QTemporaryDir empty;
    loaded = InstallUiTranslators(*qApp, UiLanguage::kEnglish, empty.path());
    EXPECT_FALSE(loaded.panel);
    EXPECT_EQ(loaded.panelFile, empty.path() + QStringLiteral("/ecam_en.qm"));
    EXPECT_EQ(PanelWord(), QStringLiteral("取消"));
    InstallUiTranslators(*qApp, UiLanguage::kChinese);
}
