// The edit controls: how they report the end of editing and keep their state.
#include "message_receiver.h"

#include "host/logic_manage.h"
#include "ui/panel_look.h"
#include "ui/spec_edit.h"
#include "ui/uni_ecam_edit.h"
#include "ui/vela_edit.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Adds a second field to take the focus, then shows the window active so
// focus changes really happen. Null if the window never became active.
QLineEdit* ShowWithOtherField(QWidget& w)
{
    auto* other = new QLineEdit(&w);
    other->move(0, 40);
    w.resize(300, 100);
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w) ? other : nullptr;
}
} // namespace

TEST(SpecEdit, EnterPostsEditEndOnceAndFocusLossPostsAgain)
{
    MessageReceiver parent;
    auto* edit = new CSpecEdit(&parent);
    QLineEdit* other = ShowWithOtherField(parent);
    ASSERT_NE(other, nullptr);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    // Posted, not sent: nothing has arrived yet.
    EXPECT_TRUE(parent.received.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.Messages(), std::vector<UINT>{WM_EDIT_END});
    EXPECT_EQ(edit->text(), QStringLiteral("12"));  // Enter changed nothing

    other->setFocus();
    QTRY_COMPARE(parent.received.size(), size_t(2));
    EXPECT_EQ(parent.received.back().message, WM_EDIT_END);

    // A field's id may be given after it is made; Enter sends it at once. (The
    // panel's own fields, made with theirs: the master length and unit tests.)
    auto* unit = new CUniECamEdit(&parent);
    unit->SetControlId(6009);
    QTest::keyClick(unit, Qt::Key_Enter);
    ASSERT_EQ(parent.received.size(), 3u);
    EXPECT_TRUE(parent.received[2].message == WM_UNI_EDIT_ENTER && parent.received[2].wParam == 6009u);
    // Only the module's own events are its messages, whatever their number.
    QEvent foreign(static_cast<QEvent::Type>(WM_EDIT_END));
    EXPECT_EQ(CModuleMessageEvent::From(&foreign), nullptr);
}

TEST(VelaEdit, StateFollowsFocusClickAndEnabledFlagFontFromTheHost)
{
    QWidget top;
    auto* field = new CVelaEdit(&top);
    QLineEdit* other = ShowWithOtherField(top);
    ASSERT_NE(other, nullptr);
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

    // Its own font: the face the host names, 14 pixels.
    const QString face = QString::fromStdWString(CSingleton<CLogicManage>::Instance()->GetString(817));
    ASSERT_FALSE(face.isEmpty());
    EXPECT_EQ(field->OwnFont().family(), face);
    EXPECT_EQ(field->OwnFont().pixelSize(), 14);
}

TEST(PanelLook, PanelAndControlsTurnWhiteButPopupsKeepTheirOwn)
{
    QWidget panel;
    auto* edit = new QLineEdit(&panel);
    auto* popup = new QWidget(&panel, Qt::ToolTip);
    const QColor popupBase = popup->palette().color(QPalette::Window);
    ApplyPanelLook(&panel);
    EXPECT_TRUE(panel.autoFillBackground());
    EXPECT_EQ(panel.palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(edit->palette().color(QPalette::Button), QColor(255, 255, 255));
    EXPECT_EQ(popup->palette().color(QPalette::Window), popupBase);
}
