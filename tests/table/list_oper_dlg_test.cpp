// The row-range dialog driven with real keys and clicks.
#include "ui/panel/list_oper_dlg.h"
#include "tests/table/modal_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPushButton* Button(QDialog* dlg, const char* name)
{
    return dlg->findChild<QPushButton*>(QString::fromLatin1(name));
}

}  // namespace

TEST(ListOperDlg, OpensWithTitleDefaultsAndTemplateTexts)
{
    CListOperDlg dlg(QStringLiteral("删除指定行"));
    QString title, start, count;
    QStringList labels;
    ModalDriver<CListOperDlg> driver([&](CListOperDlg* d) {
        title = d->windowTitle();
        start = d->findChild<QLineEdit*>(QStringLiteral("idc6030"))->text();
        count = d->findChild<QLineEdit*>(QStringLiteral("idc6031"))->text();
        for (auto* l : d->findChildren<QLabel*>())
            labels << l->text();
        QTest::mouseClick(Button(d, "idc2"), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDCANCEL);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(title, QStringLiteral("删除指定行"));
    EXPECT_EQ(start, QStringLiteral("2"));
    EXPECT_EQ(count, QStringLiteral("1"));
    EXPECT_TRUE(labels.contains(QStringLiteral("起始行号：")));
    EXPECT_TRUE(labels.contains(QStringLiteral("行数：")));
    EXPECT_EQ(Button(&dlg, "idc1")->text(), QStringLiteral("确定"));
    EXPECT_EQ(Button(&dlg, "idc2")->text(), QStringLiteral("取消"));
    // Cancel copies nothing.
    EXPECT_TRUE(dlg.m_strStartRow.isEmpty());
    EXPECT_TRUE(dlg.m_strRowCount.isEmpty());
}

TEST(ListOperDlg, OkCopiesTypedTextsAndReopeningRestoresDefaults)
{
    CListOperDlg dlg(QStringLiteral("增加指定行"));
    ModalDriver<CListOperDlg> first([&](CListOperDlg* d) {
        auto* start = d->findChild<QLineEdit*>(QStringLiteral("idc6030"));
        auto* count = d->findChild<QLineEdit*>(QStringLiteral("idc6031"));
        start->selectAll();
        QTest::keyClicks(start, QStringLiteral("5x"));
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("12"));
        QTest::mouseClick(Button(d, "idc1"), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    ASSERT_TRUE(first.Ran());
    EXPECT_EQ(dlg.m_strStartRow, QStringLiteral("5x"));
    EXPECT_EQ(dlg.m_strRowCount, QStringLiteral("12"));

    // Enter accepts through the default button; the fields start again from "2" and "1".
    QString startShown;
    ModalDriver<CListOperDlg> second([&](CListOperDlg* d) {
        auto* start = d->findChild<QLineEdit*>(QStringLiteral("idc6030"));
        startShown = start->text();
        QTest::keyClick(start, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDOK);
    EXPECT_EQ(startShown, QStringLiteral("2"));
    EXPECT_EQ(dlg.m_strStartRow, QStringLiteral("2"));
    EXPECT_EQ(dlg.m_strRowCount, QStringLiteral("1"));

    // Escape is a cancel: the texts from the last OK stay.
    ModalDriver<CListOperDlg> third([&](CListOperDlg* d) {
        auto* count = d->findChild<QLineEdit*>(QStringLiteral("idc6031"));
        QTest::keyClicks(count, QStringLiteral("9"));
        QTest::keyClick(count, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), CListOperDlg::IDCANCEL);
    EXPECT_EQ(dlg.m_strRowCount, QStringLiteral("1"));
}
