#pragma once
// The language of the user interface: Chinese (the language the texts are
// written in) or English (a translation shipped as ecam_en.qm). One choice
// per process, made at start-up from the system locale or the user's
// override, then installed as Qt translators on the application: Qt's own
// (standard dialogs and buttons) and, for English, the panel's.
//
// The choice functions are pure; InstallUiTranslators runs on the GUI
// thread before any window is built (texts are translated when made).
#include <QString>

#include <optional>

class QCoreApplication;

enum class UiLanguage { kChinese, kEnglish };

// "zh_CN" or "en": the names the command line takes and files carry.
QString UiLanguageName(UiLanguage language);

// A language named on the command line: "zh_CN" (or "zh", "zh_TW"...) or
// "en" ("en_US"...); nothing for any other name.
std::optional<UiLanguage> ParseUiLanguage(const QString& name);

// The language for a system locale name such as QLocale::system().name()
// or "de_DE.UTF-8": Chinese for zh_* and for the C / POSIX locale (no
// language chosen at all), English for every other. A non-empty override
// that ParseUiLanguage accepts wins.
UiLanguage ChooseUiLanguage(const QString& localeName, const QString& override = QString());

// What InstallUiTranslators found.
struct UiTranslatorsLoaded {
    bool qt = false;     // qtbase_<lang>.qm from Qt's translations folder
    bool panel = false;  // ecam_<lang>.qm; always true for Chinese, which needs none
    QString panelFile;   // the file looked for (empty for Chinese)
};

// Installs the translators for `language`, replacing those an earlier call
// installed. ecamDir: where ecam_<lang>.qm lives; empty: the installed
// data's "translations" folder (ecam::FindDataFile).
UiTranslatorsLoaded InstallUiTranslators(QCoreApplication& app, UiLanguage language,
                                         const QString& ecamDir = QString());
