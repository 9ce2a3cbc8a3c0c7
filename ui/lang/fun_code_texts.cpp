#include "ui/lang/fun_code_texts.h"

#include "drive/cam_fun_codes.h"

#include <QCoreApplication>

namespace {

constexpr char kCatalogue[] = "FunCodeCatalogue";

// The catalogue's own words, listed so that they are offered for translation;
// they are looked up by their text.
[[maybe_unused]] const char* const kCatalogueWords[] = {
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "位置指令来源"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "脉冲指令"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "步进量"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "多段位置指令"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "电子凸轮"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "主轴脉冲对应单位量"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "主轴脉冲数"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "从轴脉冲对应单位量"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "从轴脉冲数"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "凸轮启动方式"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "上电立即启动"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "DI信号启动"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "通讯启动"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "凸轮运行模式"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "单次运行"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "循环运行"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "凸轮点数"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "主轴来源选择"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "外部编码器"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "脉冲指令输入"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "虚拟主轴"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "凸轮相位偏移"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "凸轮切入加速时间"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "主轴起始偏移"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "用户单位"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "从轴跟随误差阈值"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "凸轮停止方式"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "立即停止"),
    QT_TRANSLATE_NOOP("FunCodeCatalogue", "周期结束后停止"),
};

// The fixed messages of camfuncodes::CheckFunCodeInput.
const char* const kEmptyText = QT_TRANSLATE_NOOP("FunCodeInput", "数据不能为空!");
const char* const kNotInteger = QT_TRANSLATE_NOOP("FunCodeInput", "请输入整形数据!");

} // namespace

QString FunCodeWord(const std::wstring& word)
{
    if (word.empty())
        return QString();
    return QCoreApplication::translate(kCatalogue, QString::fromStdWString(word).toUtf8().constData());
}

QString FunCodeOptionText(const FunCodeOption& option)
{
    return QString::number(option.value) + QLatin1Char('-') + FunCodeWord(option.label);
}

QString FunCodeValueText(const CFunCode& p, int32_t value)
{
    if (p.m_nKind == 1 && !p.m_options.empty()) {
        for (const FunCodeOption& o : p.m_options)
            if (o.value == value)
                return FunCodeOptionText(o);
        // The drive holds a value the catalogue does not offer: show it, marked.
        return QCoreApplication::translate("FunCodeInput", "%1 (不在选项中)").arg(value);
    }
    return QString::number(value);
}

QString FunCodeProblemText(const std::string& problem, int32_t min, int32_t max)
{
    if (problem == kEmptyText)
        return QCoreApplication::translate("FunCodeInput", kEmptyText);
    if (problem == kNotInteger)
        return QCoreApplication::translate("FunCodeInput", kNotInteger);
    // The range, with the limits in it; anything else is shown as it came.
    const char* const range = QT_TRANSLATE_NOOP("FunCodeInput", "数据有效范围:【%1-%2】");
    if (QString::fromStdString(problem) != QString::fromUtf8(range).arg(min).arg(max))
        return QString::fromStdString(problem);
    return QCoreApplication::translate("FunCodeInput", range).arg(min).arg(max);
}

QString FunCodeInputProblem(std::wstring_view text, int32_t min, int32_t max, int32_t* value)
{
    const std::string problem = camfuncodes::CheckFunCodeInput(text, min, max, value);
    return problem.empty() ? QString() : FunCodeProblemText(problem, min, max);
}
