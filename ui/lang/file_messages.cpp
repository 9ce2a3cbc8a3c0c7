#include "ui/lang/file_messages.h"

#include <QCoreApplication>

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
    return out;
}
