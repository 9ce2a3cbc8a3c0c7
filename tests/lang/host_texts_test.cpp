// The host application's window in English: no Chinese but the texts its
// code does not offer for translation yet.
#include "app/host_drive.h"
#include "app/host_window.h"
#include "host/logic_manage.h"
#include "tests/support/modal_ui_recorder.h"
#include "tests/lang/ui_text_walk.h"
#include "ui/ui_language.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The window's own texts (app/host_window.cpp), not wrapped for translation
// yet; matched at the start of a text. Empty this list as they are wrapped.
const QStringList kHostNotYetTranslated = {
    QStringLiteral("电子凸轮编辑器"), QStringLiteral("文件(&F)"), QStringLiteral("退出(&X)"),
    QStringLiteral("设置(&S)"),       QStringLiteral("写入后校验(&V)"), QStringLiteral("帮助(&H)"),
    QStringLiteral("关于(&A)..."),    QStringLiteral("设备: "),
};

bool Allowed(const QString& text)
{
    for (const QString& a : kHostNotYetTranslated)
        if (text.startsWith(a))
            return true;
    return false;
}

} // namespace

TEST(HostWindowTexts, EnglishHasNoChineseButTheKnownExceptions)
{
    ASSERT_TRUE(InstallUiTranslators(*qApp, UiLanguage::kEnglish).panel);
    UiTexts texts;
    {
        CHostDrive drive(CSingleton<CLogicManage>::Instance()->GetDeviceManage());
        ASSERT_TRUE(drive.Select(QStringLiteral("tcp://127.0.0.1:9?unit=1"), nullptr));
        CHostWindow window(drive, std::make_shared<CModalUiRecorder>());
        window.show();
        CollectWidgetTexts(&window, QStringLiteral("host"), texts);
    }
    InstallUiTranslators(*qApp, UiLanguage::kChinese);
    // The menus and the panel inside are walked too.
    EXPECT_GT(texts.size(), 30u);
    for (const UiText& t : texts) {
        if (!Allowed(t.text)) {
            EXPECT_FALSE(HasCjk(t.text)) << t.where.toStdString() << " = " << t.text.toStdString();
        }
    }
}
