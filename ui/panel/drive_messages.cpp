#include "ui/panel/drive_messages.h"

#include <QCoreApplication>
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
