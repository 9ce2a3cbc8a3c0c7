#include "ui/lang/drive_messages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace {

// Listed to be offered for translation; looked up by their text.
[[maybe_unused]] const char* const kPuuMessages[] = {
    QT_TRANSLATE_NOOP("PuuMessage", "请输入单位转换的换算比!"),
    QT_TRANSLATE_NOOP("PuuMessage", "数据输入有误!"),
    QT_TRANSLATE_NOOP("PuuMessage", "从轴脉冲数超出范围(1~0x40000000)"),
    QT_TRANSLATE_NOOP("PuuMessage", "从轴脉冲数对应的单位量超出范围(1~30000)"),
    QT_TRANSLATE_NOOP("PuuMessage", "主轴脉冲数超出范围(1~0x40000000)"),
    QT_TRANSLATE_NOOP("PuuMessage", "主轴脉冲数对应的单位量超出范围(1~30000)"),
};

QString Tr(const char* text) { return QCoreApplication::translate("Mismatch", text); }

QString FieldName(camverify::Field f)
{
    using camverify::Field;
    switch (f) {
    case Field::kSlavePulse: return Tr(QT_TRANSLATE_NOOP("Mismatch", "从轴脉冲数"));
    case Field::kSlaveUnit: return Tr(QT_TRANSLATE_NOOP("Mismatch", "从轴脉冲数对应的单位量"));
    case Field::kMasterPulse: return Tr(QT_TRANSLATE_NOOP("Mismatch", "主轴脉冲数"));
    case Field::kMasterUnit: return Tr(QT_TRANSLATE_NOOP("Mismatch", "主轴脉冲数对应的单位量"));
    case Field::kPointCount: return Tr(QT_TRANSLATE_NOOP("Mismatch", "凸轮点数"));
    case Field::kMaster: return Tr(QT_TRANSLATE_NOOP("Mismatch", "主轴位置"));
    case Field::kSlave: return Tr(QT_TRANSLATE_NOOP("Mismatch", "从轴位置"));
    case Field::kSpeed: return Tr(QT_TRANSLATE_NOOP("Mismatch", "标幺速度"));
    case Field::kSegment: return Tr(QT_TRANSLATE_NOOP("Mismatch", "类型"));
    }
    return QString();
}

} // namespace

QString PuuMessage(const char* message)
{
    return message ? QCoreApplication::translate("PuuMessage", message) : QString();
}

QString MismatchLine(const camverify::Mismatch& m)
{
    const QString field = FieldName(m.field);
    const QString written = QString::number(m.written);
    if (m.point >= 0) {
        if (m.unreadable)
            return Tr(QT_TRANSLATE_NOOP("Mismatch", "第%1点 %2: 写入 %3, 读回失败")).arg(QString::number(m.point), field, written);
        return Tr(QT_TRANSLATE_NOOP("Mismatch", "第%1点 %2: 写入 %3, 读回 %4"))
            .arg(QString::number(m.point), field, written, QString::number(m.read));
    }
    if (m.unreadable)
        return Tr(QT_TRANSLATE_NOOP("Mismatch", "%1: 写入 %2, 读回失败")).arg(field, written);
    return Tr(QT_TRANSLATE_NOOP("Mismatch", "%1: 写入 %2, 读回 %3")).arg(field, written, QString::number(m.read));
}

QString MismatchList(const std::vector<camverify::Mismatch>& mismatches, std::size_t max)
{
    QStringList lines;
    for (std::size_t i = 0; i < mismatches.size() && i < max; ++i)
        lines << MismatchLine(mismatches[i]);
    if (mismatches.size() > max)
        lines << Tr(QT_TRANSLATE_NOOP("Mismatch", "共%1处不一致")).arg(mismatches.size());
    return lines.join(QLatin1Char('\n'));
}

QString CamReadBackMessage(const camreadback::Outcome& outcome)
{
    const QString said = QString::fromStdString(outcome.message);
    QStringList numbers;
    for (const auto& m : QRegularExpression(QStringLiteral("\\d+")).globalMatch(said))
        numbers << m.captured();
    auto tr = [](const char* text) { return QCoreApplication::translate("CamReadBack", text); };
    // The numbers are the drive layer's; the words are translated when the
    // Chinese text is exactly the one this function knows, else shown as said.
    auto withNumbers = [&](const char* text) {
        QString chinese = QString::fromUtf8(text), shown = tr(text);
        for (int i = 0; i < numbers.size() && chinese.contains(QLatin1Char('%') + QString::number(i + 1)); ++i) {
            chinese = chinese.arg(numbers[i]);
            shown = shown.arg(numbers[i]);
        }
        return chinese == said ? shown : said;
    };
    switch (outcome.result) {
    case camreadback::kOk:
    case camreadback::kStopped: return QString();
    case camreadback::kNoAnswer: return QCoreApplication::translate("CamReadBack", "驱动器无响应");
    case camreadback::kReadFailed: return withNumbers(QT_TRANSLATE_NOOP("CamReadBack", "读回数据有误, 无法确认驱动器中的值"));
    case camreadback::kBadCount:
        return withNumbers(QT_TRANSLATE_NOOP("CamReadBack", "驱动器中的凸轮点数为%1, 不是2~272内的完整凸轮表"));
    case camreadback::kBadSegment:
        return withNumbers(QT_TRANSLATE_NOOP("CamReadBack", "第%1点的类型码 %2 不是 0 (Poly) 或 1 (Linear)"));
    }
    return said;
}
