#include "ui/lang/file_messages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace {

// The panel's boxes show these words; they keep the context they were first
// translated under.
QString Tr(const char* text)
{
    return QCoreApplication::translate("CProfileCommands", text);
}

constexpr ecam::ReadFailure kWithWords[] = {ecam::ReadFailure::NotRegular,    ecam::ReadFailure::TooLarge,
                                            ecam::ReadFailure::TooManyPoints, ecam::ReadFailure::TimedOut,
                                            ecam::ReadFailure::HtmlPage,      ecam::ReadFailure::XmlDocument};

// The file layer's other words, each a whole phrase it writes, "%1" and "%2"
// where it puts a number. A phrase inside another comes after it.
const char* const kPhrases[] = {
    QT_TRANSLATE_NOOP("FileMessages", "应有4个字段 (主轴,从轴,速度,类型), 实有%1个"),
    QT_TRANSLATE_NOOP("FileMessages", "主轴、从轴和速度须为有限数"),
    QT_TRANSLATE_NOOP("FileMessages", "类型须为 0 (Linear) 或 1 (Poly)"),
    QT_TRANSLATE_NOOP("FileMessages", "主轴位置须严格递增"),
    QT_TRANSLATE_NOOP("FileMessages", "无法读取表格文件"),
    QT_TRANSLATE_NOOP("FileMessages", "无法写入表格文件"),
    QT_TRANSLATE_NOOP("FileMessages", "无法创建表格文件 (.xls 或 .xlsx)"),
    QT_TRANSLATE_NOOP("FileMessages", "未知的文件类型 (可用 .ecam, .csv, .xls, .xlsx 或 .ods)"),
    QT_TRANSLATE_NOOP("FileMessages", "未知的文件类型 (可用 .ecam, .csv, .xls 或 .xlsx)"),
    QT_TRANSLATE_NOOP("FileMessages", "没有一行有完整的两个单元格"),
    QT_TRANSLATE_NOOP("FileMessages", "点列表 (导入时会加入原点 0, 0)"),
    QT_TRANSLATE_NOOP("FileMessages", "速度、段类型和两位小数以外的位置"),
    QT_TRANSLATE_NOOP("FileMessages", "速度和段类型"),
    QT_TRANSLATE_NOOP("FileMessages", "两位小数以外的位置"),
    QT_TRANSLATE_NOOP("FileMessages", "只有%1行点数据, 少于点数行所写的%2个 (文件被截断?)"),
    QT_TRANSLATE_NOOP("FileMessages", "不是凸轮文件 (第7行不是点数行)"),
};

// Every place `phrase` stands in `text`, its numbers kept, in the UI's language.
void TranslatePhrase(QString& text, const char* phrase)
{
    const QString shown = QCoreApplication::translate("FileMessages", phrase);
    QString pattern = QRegularExpression::escape(QString::fromUtf8(phrase));
    pattern.replace(QStringLiteral("\\%1"), QStringLiteral("(\\d+)")).replace(QStringLiteral("\\%2"), QStringLiteral("(\\d+)"));
    const QRegularExpression re(pattern);
    for (qsizetype from = 0;;) {
        const QRegularExpressionMatch m = re.match(text, from);
        if (!m.hasMatch())
            return;
        QString words = shown;
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            words = words.arg(m.captured(i));
        text.replace(m.capturedStart(), m.capturedLength(), words);
        from = m.capturedStart() + words.size();
    }
}

} // namespace

QString ReadFailureWords(ecam::ReadFailure kind)
{
    switch (kind) {
    case ecam::ReadFailure::NotRegular:
        return Tr(QT_TRANSLATE_NOOP("CProfileCommands", "所选路径不是普通文件,无法打开!"));
    case ecam::ReadFailure::TooLarge:
        return Tr(QT_TRANSLATE_NOOP("CProfileCommands", "文件过大或内容过多,无法打开!"));
    case ecam::ReadFailure::TooManyPoints:
        return Tr(QT_TRANSLATE_NOOP("CProfileCommands", "文件中的凸轮点超过%1个,无法导入!"))
            .arg(ecam::kMaxFilePoints);
    case ecam::ReadFailure::TimedOut:
        return Tr(QT_TRANSLATE_NOOP("CProfileCommands", "读取文件超时,文件可能已损坏!"));
    case ecam::ReadFailure::HtmlPage:
        return Tr(QT_TRANSLATE_NOOP("CProfileCommands", "文件是网页(HTML),不是表格文件,无法打开!"));
    case ecam::ReadFailure::XmlDocument:
        return Tr(QT_TRANSLATE_NOOP("CProfileCommands", "文件是XML文档,不是表格文件,无法打开!"));
    default:
        return QString::fromStdString(ecam::ReadFailureText(kind));
    }
}

QString FileLayerMessage(const std::string& message)
{
    QString out = QString::fromStdString(message);
    for (ecam::ReadFailure kind : kWithWords)
        out.replace(QString::fromStdString(ecam::ReadFailureText(kind)), ReadFailureWords(kind));
    for (const char* phrase : kPhrases)
        TranslatePhrase(out, phrase);
    return out;
}
