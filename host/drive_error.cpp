#include "host/drive_error.h"

#include <QCoreApplication>
#include <QString>

namespace {

// The words keep the context the host's window first showed them under.
QString Tr(const char* text)
{
    return QCoreApplication::translate("DriveText", text);
}

QString ExceptionName(int code)
{
    switch (code) {
    case 1: return Tr(QT_TRANSLATE_NOOP("DriveText", "非法功能码"));
    case 2: return Tr(QT_TRANSLATE_NOOP("DriveText", "非法数据地址"));
    case 3: return Tr(QT_TRANSLATE_NOOP("DriveText", "非法数据值"));
    case 4: return Tr(QT_TRANSLATE_NOOP("DriveText", "从站设备故障"));
    case 5: return Tr(QT_TRANSLATE_NOOP("DriveText", "已确认, 处理中"));
    case 6: return Tr(QT_TRANSLATE_NOOP("DriveText", "从站设备忙"));
    case 8: return Tr(QT_TRANSLATE_NOOP("DriveText", "存储奇偶校验错误"));
    case 10: return Tr(QT_TRANSLATE_NOOP("DriveText", "网关路径不可用"));
    case 11: return Tr(QT_TRANSLATE_NOOP("DriveText", "网关目标无响应"));
    default: return Tr(QT_TRANSLATE_NOOP("DriveText", "未知异常"));
    }
}

QString Words(const DriveError& error)
{
    switch (error.kind()) {
    case DriveError::Ok: return Tr(QT_TRANSLATE_NOOP("DriveText", "正常"));
    case DriveError::NotSelected: return Tr(QT_TRANSLATE_NOOP("DriveText", "未选择驱动器"));
    case DriveError::NotConnected: return Tr(QT_TRANSLATE_NOOP("DriveText", "无法连接驱动器"));
    case DriveError::Timeout: return Tr(QT_TRANSLATE_NOOP("DriveText", "驱动器在超时时间内无应答"));
    case DriveError::LinkBroken: return Tr(QT_TRANSLATE_NOOP("DriveText", "与驱动器的连接已断开"));
    case DriveError::BadArgument: return Tr(QT_TRANSLATE_NOOP("DriveText", "地址、宽度或数值无效"));
    case DriveError::BadAnswer: return Tr(QT_TRANSLATE_NOOP("DriveText", "驱动器的应答不完整或与请求不符"));
    case DriveError::Cancelled: return Tr(QT_TRANSLATE_NOOP("DriveText", "请求已取消"));
    case DriveError::Exception:
        return Tr(QT_TRANSLATE_NOOP("DriveText", "驱动器拒绝请求 (异常码 %1: %2)"))
            .arg(error.exceptionCode(), 2, 10, QLatin1Char('0'))
            .arg(ExceptionName(error.exceptionCode()));
    }
    return Tr(QT_TRANSLATE_NOOP("DriveText", "未知错误 %1")).arg(error.code());
}

} // namespace

std::string DriveError::text() const
{
    return Words(*this).toStdString();
}
