// The row-range dialog on its own, driven with real keys and clicks.
#include "tests/support/modal_driver.h"
#include "ui/panel/list_oper_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QLineEdit* Field(CListOperDlg* d, const char* name) { return d->findChild<QLineEdit*>(QString::fromLatin1(name)); }
}  // namespace

TEST(ListOperDlg, DefaultsEachTimeAndOnlyOkCopiesTheTexts)
{
    CListOperDlg dlg(QStringLiteral("增加指定行"));
    QStringList shown;  // start and count texts as each opening showed them
    ModalDriver<CListOperDlg> typed([&](CListOperDlg* d) {
        shown << Field(d, "idc6030")->text() << Field(d, "idc6031")->text();
        QTest::keyClick(Field(d, "idc6030"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Field(d, "idc6030"), QStringLiteral("5x"));
        Field(d, "idc6031")->setFocus();
        QTest::keyClicks(Field(d, "idc6031"), QStringLiteral("2"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("idc1")), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    ASSERT_TRUE(typed.Ran());
    EXPECT_EQ(dlg.StartRowText(), QStringLiteral("5x"));
    EXPECT_EQ(dlg.RowCountText(), QStringLiteral("12"));

    // Reopened: the defaults again; Escape cancels and keeps the last texts.
    ModalDriver<CListOperDlg> escaped([&](CListOperDlg* d) {
        shown << Field(d, "idc6030")->text() << Field(d, "idc6031")->text();
        QTest::keyClicks(Field(d, "idc6030"), QStringLiteral("9"));
        QTest::keyClick(Field(d, "idc6030"), Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDCANCEL);
    EXPECT_EQ(shown, (QStringList{"2", "1", "2", "1"}));
    EXPECT_EQ(dlg.StartRowText(), QStringLiteral("5x"));

    // Enter takes the default button, OK.
    ModalDriver<CListOperDlg> entered([&](CListOperDlg* d) { QTest::keyClick(Field(d, "idc6031"), Qt::Key_Return); });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    EXPECT_EQ(dlg.StartRowText(), QStringLiteral("2"));
    EXPECT_EQ(dlg.RowCountText(), QStringLiteral("1"));
}
