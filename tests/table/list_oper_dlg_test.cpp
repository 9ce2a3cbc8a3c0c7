// The row-range dialog on its own, driven with real keys and clicks.
#include "tests/table/modal_driver.h"
#include "ui/panel/list_oper_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(ListOperDlg, DefaultsEachTimeAndOnlyOkCopiesTheTexts)
{
    CListOperDlg dlg(QStringLiteral("增加指定行"));
    QString title, shownStart, shownCount;
    QStringList labels;
    ModalDriver<CListOperDlg> typed([&](CListOperDlg* d) {
        auto* start = d->findChild<QLineEdit*>(QStringLiteral("idc6030"));
        auto* count = d->findChild<QLineEdit*>(QStringLiteral("idc6031"));
        title = d->windowTitle();
        shownStart = start->text();
        shownCount = count->text();
        for (auto* l : d->findChildren<QLabel*>())
            labels << l->text();
        QTest::keyClick(start, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(start, QStringLiteral("5x"));
        count->setFocus();
        QTest::keyClicks(count, QStringLiteral("2"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("idc1")), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    ASSERT_TRUE(typed.Ran());
    EXPECT_EQ(title, QStringLiteral("增加指定行"));
    EXPECT_EQ(shownStart, QStringLiteral("2"));
    EXPECT_EQ(shownCount, QStringLiteral("1"));
    EXPECT_EQ(labels, (QStringList{QStringLiteral("起始行号："), QStringLiteral("行数：")}));
    EXPECT_EQ(dlg.m_strStartRow, QStringLiteral("5x"));
    EXPECT_EQ(dlg.m_strRowCount, QStringLiteral("12"));

    // Reopened: the defaults again; Escape cancels and keeps the last texts.
    ModalDriver<CListOperDlg> escaped([&](CListOperDlg* d) {
        auto* start = d->findChild<QLineEdit*>(QStringLiteral("idc6030"));
        shownStart = start->text();
        QTest::keyClicks(start, QStringLiteral("9"));
        QTest::keyClick(start, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDCANCEL);
    EXPECT_EQ(shownStart, QStringLiteral("2"));
    EXPECT_EQ(dlg.m_strStartRow, QStringLiteral("5x"));

    // Enter takes the default button, OK.
    ModalDriver<CListOperDlg> entered([&](CListOperDlg* d) {
        QTest::keyClick(d->findChild<QLineEdit*>(QStringLiteral("idc6031")), Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    EXPECT_EQ(dlg.m_strStartRow, QStringLiteral("2"));
    EXPECT_EQ(dlg.m_strRowCount, QStringLiteral("1"));
}
