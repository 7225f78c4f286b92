// Hotkeys through the desktop's GlobalShortcuts portal, against a test portal on a private
// session bus that starts no services (so the desktop's own portal never comes up on it).
#include "GlobalShortcutsPortal.h"
#include "FakeGlobalShortcutsPortal.h"
#include "InputMonitor.h"
#include "TestApplication.h"
#include "VirtualKeyCode.h"

#include <gtest/gtest.h>

TEST(GlobalShortcutsPortalTest, BindsTheCombinationsAndTellsTheirActivations) {
    EXPECT_FALSE(GlobalShortcutsPortal::available()); // no portal yet
    const auto portal =
        FakeGlobalShortcutsPortal::start(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"));
    ASSERT_TRUE(portal);
    std::vector<HotkeyCombination> pressed;
    auto grabber =
        GlobalShortcutsPortal::create([&](const HotkeyCombination& c) { pressed.push_back(c); });
    ASSERT_TRUE(grabber);

    const std::vector<HotkeyCombination> keys{{kVK_ANSI_1, kModifierCommand},
                                              {kVK_F1, kModifierControl | kModifierOption},
                                              {kVK_ANSI_A, kModifierShift}};
    EXPECT_EQ(grabber->grab(keys), std::vector<bool>(3, false));
    ASSERT_TRUE(spinUntil([&] { return !portal->bindings().isEmpty(); }));
    ASSERT_EQ(portal->sessions().size(), 1);
    const QList<PortalShortcut> bound = portal->bindings().front();
    ASSERT_EQ(bound.size(), 3);
    const QString triggers[] = {"LOGO+1", "CTRL+ALT+F1", "SHIFT+a"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bound[i].properties.value("preferred_trigger").toString(), triggers[i]);
        EXPECT_FALSE(bound[i].properties.value("description").toString().isEmpty());
    }

    // An activation is the press of its own combination; one of another session is not ours.
    const QString session = portal->sessions().front();
    portal->activate("/org/freedesktop/portal/desktop/session/other/x", bound[1].id);
    portal->activate(session, bound[1].id);
    ASSERT_TRUE(spinUntil([&] { return !pressed.empty(); }));
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0].keyCode, kVK_F1);
    EXPECT_EQ(pressed[0].modifierFlags, kModifierControl | kModifierOption);

    // The same keys again change nothing; none lets the session go.
    grabber->grab(keys);
    grabber->grab({});
    ASSERT_TRUE(spinUntil([&] { return !portal->closedSessions().isEmpty(); }));
    EXPECT_EQ(portal->closedSessions(), QStringList{session});
    EXPECT_EQ(portal->sessions().size(), 1);
}
