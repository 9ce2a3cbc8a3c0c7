// The edit controls: how they report the end of editing and keep their state.
#include "message_receiver.h"

#include "host/logic_manage.h"
#include "ui/spec_edit.h"
#include "ui/uni_ecam_edit.h"
#include "ui/vela_edit.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A shown, active window so focus changes really happen.
bool ShowActive(QWidget& w)
{
    w.resize(300, 100);
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}
} // namespace

TEST(SpecEdit, EnterPostsEditEndOnceAndFocusLossPostsAgain)
{
    MessageReceiver parent;
    auto* edit = new CSpecEdit(&parent);
    auto* other = new QLineEdit(&parent);
    other->move(0, 40);
    ASSERT_TRUE(ShowActive(parent));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    // Posted, not sent: nothing has arrived yet.
    EXPECT_TRUE(parent.received.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.Messages(), std::vector<UINT>{WM_EDIT_END});
    EXPECT_EQ(edit->text(), QStringLiteral("12"));  // Enter changed nothing

    // The keypad Enter behaves the same.
    QTest::keyClick(edit, Qt::Key_Enter);
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.received.size(), 2u);

    other->setFocus();
    QTRY_COMPARE(parent.received.size(), size_t(3));
    EXPECT_EQ(parent.received.back().message, WM_EDIT_END);
    EXPECT_EQ(parent.received.back().wParam, 0u);
}

TEST(UniECamEdit, EnterSendsItsIdAndIsConsumed)
{
    MessageReceiver parent;
    auto* length = new CUniECamEdit(&parent, 6008);
    auto* unit = new CUniECamEdit(&parent);
    unit->SetControlId(6009);
    std::vector<QString> textAtArrival;
    parent.answer = [&](const ReceivedMessage&) {
        textAtArrival.push_back(length->text());
        return LRESULT(0);
    };
    length->setText(QStringLiteral("500"));
    QTest::keyClick(length, Qt::Key_Return);
    // Sent synchronously: already handled when the key event returns.
    ASSERT_EQ(parent.received.size(), 1u);
    EXPECT_EQ(parent.received[0].message, WM_UNI_EDIT_ENTER);
    EXPECT_EQ(parent.received[0].wParam, 6008u);
    QTest::keyClick(unit, Qt::Key_Enter);
    ASSERT_EQ(parent.received.size(), 2u);
    EXPECT_EQ(parent.received[1].wParam, 6009u);
    EXPECT_EQ(textAtArrival.front(), QStringLiteral("500"));
    // Ordinary keys still edit the field and send nothing.
    QTest::keyClicks(unit, QStringLiteral("mm"));
    EXPECT_EQ(unit->text(), QStringLiteral("mm"));
    EXPECT_EQ(parent.received.size(), 2u);
}

TEST(VelaEdit, StateFollowsFocusClickAndEnabledFlag)
{
    QWidget top;
    auto* field = new CVelaEdit(&top);
    auto* other = new QLineEdit(&top);
    other->move(0, 40);
    ASSERT_TRUE(ShowActive(top));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    EXPECT_EQ(field->EditState(), 0);

    // Clicking into the unfocused field: focus sets 1, the click then 2.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->EditState(), 2);
    other->setFocus();
    QTRY_COMPARE(field->EditState(), 0);
    field->setFocus();
    QTRY_COMPARE(field->EditState(), 1);

    // Disabled paints as state 3; enabled again, the next paint gives 0.
    field->setEnabled(false);
    field->repaint();
    EXPECT_EQ(field->EditState(), 3);
    field->setEnabled(true);
    field->repaint();
    EXPECT_EQ(field->EditState(), 0);
}

TEST(VelaEdit, ColourTablesAndFontFromTheHost)
{
    CVelaEdit field;
    EXPECT_EQ(field.BkColor(0), QColor(255, 255, 255));
    EXPECT_EQ(field.BkColor(1), QColor(250, 250, 250));
    EXPECT_EQ(field.BkColor(3), QColor(222, 222, 222));
    EXPECT_EQ(field.TextColor(2), QColor(44, 81, 183));
    EXPECT_EQ(field.TextColor(3), QColor(192, 192, 192));
    EXPECT_EQ(field.BorderColor(0), QColor(46, 115, 212));
    EXPECT_EQ(field.BorderColor(3), QColor(192, 192, 192));
    const QString face = QString::fromStdWString(CSingleton<CLogicManage>::Instance()->GetString(817));
    if (!face.isEmpty()) {
        EXPECT_EQ(field.OwnFont().family(), face);
    }
    EXPECT_EQ(field.OwnFont().pixelSize(), 14);

    // The colour request applies the state's colours (disabled wins).
    field.setEnabled(false);
    field.ApplyStateColors();
    EXPECT_EQ(field.EditState(), 3);
    EXPECT_EQ(field.palette().color(QPalette::Base), QColor(222, 222, 222));
    EXPECT_EQ(field.palette().color(QPalette::Text), QColor(192, 192, 192));
    EXPECT_EQ(field.font().pixelSize(), 14);
}
