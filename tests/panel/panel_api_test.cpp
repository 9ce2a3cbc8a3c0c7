// The exported panel API: created flag, the one module-wide panel and the
// guard of every call. The panel is reached only through the widget tree.
#include "ui/export/dovadadizor.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

QWidget* PanelIn(QWidget* parent)
{
    return parent->findChild<QWidget*>(QStringLiteral("RAZuvavivezUzoDlg"), Qt::FindDirectChildrenOnly);
}

// Every call that needs a panel, for an object that has none (any more).
void CallAll(CDOVadAdiZOR& api, QRect r)
{
    api.ShowRuvIzoWnd(SW_SHOW);
    api.UpdateRuvIzoWnd();
    api.UpdateRuvIzoWndSize(r);
    api.DestroyRuvIzoWnd();
}

class PanelApiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = std::make_unique<QWidget>();
        parent->resize(1000, 700);
        parent->show();
    }
    void TearDown() override
    {
        // The panel is module-wide: never leave one behind for the next test.
        CDOVadAdiZOR().DestroyRuvIzoWnd();
        parent.reset();
    }
    std::unique_ptr<QWidget> parent;
};

}  // namespace

TEST_F(PanelApiTest, CreateShowResizeAndDestroyActOnTheOnePanelAndASecondCreateReplacesIt)
{
    // A fresh object does nothing until created.
    CDOVadAdiZOR api;
    QRect r(10, 20, 800, 600);
    CallAll(api, r);
    EXPECT_EQ(PanelIn(parent.get()), nullptr);
    EXPECT_EQ(api.IsRuvIzoCreate(), 0);
    // Without a parent window the creation fails, no flag, no message.
    EXPECT_EQ(api.CreateRuvIzoWnd(r, nullptr), 0);
    EXPECT_EQ(api.IsRuvIzoCreate(), 0);

    ASSERT_EQ(api.CreateRuvIzoWnd(r, parent.get()), 1);
    EXPECT_EQ(api.IsRuvIzoCreate(), 1);
    QWidget* panel = PanelIn(parent.get());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), r);
    EXPECT_FALSE(panel->isVisible());  // created hidden
    QWidget* curve = panel->findChild<QWidget*>(QStringLiteral("idc16"));
    ASSERT_NE(curve, nullptr);

    api.ShowRuvIzoWnd(SW_SHOWNORMAL);
    EXPECT_TRUE(panel->isVisible());
    api.ShowRuvIzoWnd(SW_HIDE);
    EXPECT_FALSE(panel->isVisible());

    QRect bigger(0, 0, 1280, 800);
    api.UpdateRuvIzoWndSize(bigger);
    EXPECT_EQ(panel->geometry(), bigger);
    EXPECT_EQ(curve->geometry(), QRect(400, 5, 880, 260));  // laid out again
    api.UpdateRuvIzoWnd();

    // A second object addresses the same panel once its flag is copied.
    CDOVadAdiZOR other;
    QRect small(0, 0, 803, 600);
    other.UpdateRuvIzoWndSize(small);
    EXPECT_EQ(panel->geometry(), bigger);
    other = api;
    EXPECT_EQ(other.IsRuvIzoCreate(), 1);
    other.UpdateRuvIzoWndSize(small);
    EXPECT_EQ(panel->geometry(), small);

    // Destroying the API object leaves the panel alone.
    { CDOVadAdiZOR scoped; scoped = api; }
    EXPECT_EQ(PanelIn(parent.get()), panel);

    // After destroy: the flag stays set, every call is ignored.
    other.DestroyRuvIzoWnd();
    EXPECT_EQ(PanelIn(parent.get()), nullptr);
    EXPECT_EQ(api.IsRuvIzoCreate(), 1);
    CallAll(api, bigger);
    EXPECT_TRUE(parent->findChildren<QWidget*>(QStringLiteral("RAZuvavivezUzoDlg")).isEmpty());

    // A second create replaces the first panel.
    CDOVadAdiZOR first, second;
    r = QRect(0, 0, 800, 600);
    ASSERT_EQ(first.CreateRuvIzoWnd(r, parent.get()), 1);
    auto host = std::make_unique<QWidget>();
    QRect r2(5, 5, 900, 650);
    ASSERT_EQ(second.CreateRuvIzoWnd(r2, host.get()), 1);
    EXPECT_EQ(PanelIn(parent.get()), nullptr);  // the earlier panel is gone
    panel = PanelIn(host.get());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), r2);
    // Both flags are set, so both objects now move the new panel.
    first.UpdateRuvIzoWndSize(r);
    EXPECT_EQ(panel->geometry(), r);
    second.DestroyRuvIzoWnd();
    EXPECT_EQ(PanelIn(host.get()), nullptr);

    // A host that deletes its window first takes the panel with it; the
    // later destroy and resize calls then find no panel.
    ASSERT_EQ(first.CreateRuvIzoWnd(r, host.get()), 1);
    host.reset();
    first.UpdateRuvIzoWndSize(r2);
    first.DestroyRuvIzoWnd();
}
