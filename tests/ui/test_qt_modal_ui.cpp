// The real modal UI: what a user's answer in a real box or menu turns into.
// The recorder other tests use answers the same way.
#include "tests/support/modal_driver.h"
#include "ui/qt_modal_ui.h"

#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Shows a box through the real modal UI and answers it with `button`
// (closing it when none is given); returns the module's answer.
int AnswerBox(unsigned buttons, QMessageBox::StandardButton button, QString* shownTitle = nullptr)
{
    CQtModalUi ui;
    ModalDriver<QMessageBox> driver([&](QMessageBox* box) {
        if (shownTitle)
            *shownTitle = box->windowTitle();
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
    const int answer = ui.Box(nullptr, QStringLiteral("文本"), QString(), buttons, MB_ICONWARNING);
    EXPECT_TRUE(driver.Ran());
    return answer;
}

} // namespace

TEST(QtModalUi, BoxAnswersAreTheClassicIds)
{
    QString title;
    EXPECT_EQ(AnswerBox(MB_OK, QMessageBox::Ok, &title), IDOK);
    // No caption of its own: the application's name, as the classic box shows.
    EXPECT_EQ(title, QApplication::applicationName());
    EXPECT_EQ(AnswerBox(MB_YESNO, QMessageBox::Yes), IDYES);
    EXPECT_EQ(AnswerBox(MB_YESNO, QMessageBox::No), IDNO);
    EXPECT_EQ(AnswerBox(MB_OKCANCEL, QMessageBox::Cancel), IDCANCEL);
    // Closed without a button: OK for an OK-only box, cancel otherwise.
    EXPECT_EQ(AnswerBox(MB_OK, QMessageBox::NoButton), IDOK);
    EXPECT_EQ(AnswerBox(MB_YESNOCANCEL, QMessageBox::NoButton), IDCANCEL);
}

TEST(QtModalUi, PopupMenuReturnsTheChosenIdAndZeroWhenDismissed)
{
    CQtModalUi ui;
    QWidget owner;
    const std::vector<MenuItem> items = {{11, QStringLiteral("添加"), true},
                                         {12, QStringLiteral("删除"), false},
                                         MenuItem::Separator(),
                                         {13, QStringLiteral("显示"), true}};
    QStringList shown;
    bool secondEnabled = true;
    bool thirdIsSeparator = false;
    ModalDriver<QMenu> pick([&](QMenu* menu) {
        for (QAction* a : menu->actions())
            shown << a->text();
        secondEnabled = menu->actions().at(1)->isEnabled();
        thirdIsSeparator = menu->actions().at(2)->isSeparator();
        // Down twice skips the disabled entry and the separator and lands on
        // the last entry.
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(ui.PopupMenu(&owner, QPoint(10, 10), items), 13);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("添加"), QStringLiteral("删除"), QString(), QStringLiteral("显示")}));
    EXPECT_FALSE(secondEnabled);
    EXPECT_TRUE(thirdIsSeparator);

    ModalDriver<QMenu> dismiss([](QMenu* menu) { QTest::keyClick(menu, Qt::Key_Escape); });
    EXPECT_EQ(ui.PopupMenu(&owner, QPoint(10, 10), items), 0);
    EXPECT_TRUE(dismiss.Ran());
}
