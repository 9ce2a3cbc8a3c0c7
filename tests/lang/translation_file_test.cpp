// The shipped English translation: it covers every text the code offers for
// translation and no other (lupdate run over the sources finds nothing new
// and nothing gone), and every entry is a real translation: not empty, not marked unfinished, without
// Chinese, with the same placeholders and keyboard accelerators.
#include "tests/lang/ui_text_walk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct TsMessage {
    QString context;
    QString source;
    QString translation;
    QString type;   // "", "unfinished", "vanished" or "obsolete"
};

std::vector<TsMessage> ReadTs(const QString& path)
{
    std::vector<TsMessage> out;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    TsMessage m;   // each message has a source and a translation, after its context's name
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            m.context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.translation = xml.readElementText();
            out.push_back(m);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return out;
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("%\\d+"));
    QStringList found;
    for (const auto& m : re.globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}

int Accelerators(QString text)
{
    text.remove(QStringLiteral("&&"));
    return static_cast<int>(text.count(QLatin1Char('&')));
}

const QString kTsFile = QStringLiteral(ECAM_TS_FILE);

} // namespace

TEST(TranslationFile, CoversEveryTextTheCodeOffersEachAFinishedTranslationWithTheSamePlaceholders)
{
    // lupdate run over the sources on a copy marks what the code offers and the
    // file lacks "unfinished", and what the file holds and the code no longer
    // offers "vanished".
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("ecam_en.ts"));
    ASSERT_TRUE(QFile::copy(kTsFile, copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(ECAM_SOURCE_DIR));
    lupdate.start(QStringLiteral(ECAM_LUPDATE), {QStringLiteral("-silent"), QStringLiteral("ui"), QStringLiteral("app"),
                                                 QStringLiteral("host"), QStringLiteral("tools"), QStringLiteral("sim"),
                                                 QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(50000)) << lupdate.errorString().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const std::vector<TsMessage> messages = ReadTs(copy);
    ASSERT_GT(messages.size(), 100u);
    for (const TsMessage& m : messages) {
        const std::string at = m.context.toStdString() + " / " + m.source.toStdString();
        EXPECT_TRUE(HasCjk(m.source)) << at;   // the source language is Chinese
        EXPECT_TRUE(m.type.isEmpty()) << at << " is " << m.type.toStdString() << " in translations/ecam_en.ts";
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << at;
        EXPECT_FALSE(HasCjk(m.translation)) << at << " -> " << m.translation.toStdString();
        EXPECT_EQ(Placeholders(m.translation), Placeholders(m.source)) << at;
        EXPECT_EQ(Accelerators(m.translation), Accelerators(m.source)) << at;
    }
}
