#include "ui/lang/ui_language.h"

#include "host/data_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Marks the translators this module installed, so a second call finds them.
constexpr char kTranslatorName[] = "ecam-ui-translator";

// "de_DE.UTF-8@euro" -> "de_DE"; "zh-Hans-CN" -> "zh_Hans_CN".
QString BareLocaleName(const QString& name)
{
    QString bare = name.trimmed();
    for (QChar stop : {QLatin1Char('.'), QLatin1Char('@')})
        if (const int at = bare.indexOf(stop); at >= 0)
            bare.truncate(at);
    bare.replace(QLatin1Char('-'), QLatin1Char('_'));
    return bare;
}

QString LanguagePart(const QString& bareName)
{
    return bareName.section(QLatin1Char('_'), 0, 0).toLower();
}

} // namespace

QString UiLanguageName(UiLanguage language)
{
    return language == UiLanguage::kEnglish ? QStringLiteral("en") : QStringLiteral("zh_CN");
}

std::optional<UiLanguage> ParseUiLanguage(const QString& name)
{
    const QString language = LanguagePart(BareLocaleName(name));
    if (language == QLatin1String("zh"))
        return UiLanguage::kChinese;
    if (language == QLatin1String("en"))
        return UiLanguage::kEnglish;
    return std::nullopt;
}

UiLanguage ChooseUiLanguage(const QString& localeName, const QString& override)
{
    if (const auto chosen = ParseUiLanguage(override))
        return *chosen;
    const QString bare = BareLocaleName(localeName);
    // The C locale names no language: the texts stay as they are written.
    if (bare.isEmpty() || bare == QLatin1String("C") || bare == QLatin1String("POSIX"))
        return UiLanguage::kChinese;
    return LanguagePart(bare) == QLatin1String("zh") ? UiLanguage::kChinese : UiLanguage::kEnglish;
}

UiTranslatorsLoaded InstallUiTranslators(QCoreApplication& app, UiLanguage language, const QString& ecamDir)
{
    for (QTranslator* old : app.findChildren<QTranslator*>(QLatin1String(kTranslatorName),
                                                          Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    auto install = [&app](const QString& file, const QString& dir) {
        auto* t = new QTranslator(&app);
        t->setObjectName(QLatin1String(kTranslatorName));
        if (!t->load(file, dir)) {
            delete t;
            return false;
        }
        QCoreApplication::installTranslator(t);
        return true;
    };
    const QString name = UiLanguageName(language);
    UiTranslatorsLoaded loaded;
    loaded.qt = install(QStringLiteral("qtbase_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (language == UiLanguage::kChinese) {
        loaded.panel = true;
        return loaded;
    }
    const QString dir =
        ecamDir.isEmpty() ? QString::fromStdString(ecam::FindDataFile("translations")) : ecamDir;
    loaded.panelFile = QDir(dir).filePath(QStringLiteral("ecam_") + name + QStringLiteral(".qm"));
    loaded.panel = install(QStringLiteral("ecam_") + name, dir);
    return loaded;
}
