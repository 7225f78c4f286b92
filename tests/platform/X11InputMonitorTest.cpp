// XInput2 observation of clicks and keys made with xdotool on the sandbox's desktop.
#include "X11InputMonitor.h"
#include "MainQueue.h"
#include "TestApplication.h"
#include "VirtualKeyCode.h"
#include "X11TestDesktop.h"

#include <gtest/gtest.h>

#include <vector>

class X11InputMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        monitor = std::make_unique<X11InputMonitor>(QByteArray());
        ASSERT_TRUE(monitor->isObserving());
        id = monitor->addMonitor(kInputEventMaskLeftMouseDown | kInputEventMaskKeyDown,
                                 [this](const InputEvent& event) {
                                     onMain = onMain && MainQueue::isCurrent();
                                     events.push_back(event);
                                 });
    }
    // xdotool returns before the server has delivered the raw events; a marker key pressed
    // last tells when everything before it has arrived.
    void settle() {
        runTool("xdotool", {"key", "F12"});
        ASSERT_TRUE(spinUntil([this] {
            return !events.empty() && events.back().type == InputEvent::Type::KeyDown &&
                   events.back().keyCode == kVK_F12;
        }));
        events.pop_back();
    }

    std::unique_ptr<X11InputMonitor> monitor;
    InputMonitor::MonitorId id = 0;
    std::vector<InputEvent> events;
    bool onMain = true;
};

TEST_F(X11InputMonitorTest, KeysArriveAsVirtualKeyCodesWithTheModifiersHeld) {
    const struct {
        const char* keys;
        uint16_t code;
        uint32_t modifiers;
    } cases[] = {
        {"1", kVK_ANSI_1, 0},
        {"5", kVK_ANSI_5, 0},
        {"super+2", kVK_ANSI_2, kModifierCommand},
        {"alt+a", kVK_ANSI_A, kModifierOption},
        {"ctrl+shift+Escape", kVK_Escape, kModifierControl | kModifierShift},
        {"Return", kVK_Return, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        events.clear();
        runTool("xdotool", {"key", c.keys});
        settle();
        // Modifier presses alone are no key-downs.
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].type, InputEvent::Type::KeyDown);
        EXPECT_EQ(events[0].keyCode, c.code);
        EXPECT_EQ(events[0].modifierFlags, c.modifiers);
    }
}

TEST_F(X11InputMonitorTest, MasksSelectOnlyLeftClicksWithThePointerAndRemovedMonitorsGetNone) {
    std::vector<InputEvent> clicksOnly;
    const InputMonitor::MonitorId clicks =
        monitor->addMonitor(kInputEventMaskLeftMouseDown,
                            [&](const InputEvent& event) { clicksOnly.push_back(event); });
    runTool("xdotool", {"key", "3"});
    runTool("xdotool", {"click", "3"});
    runTool("xdotool", {"click", "2"});
    runTool("xdotool", {"mousemove", "--sync", "300", "400", "click", "1"});
    settle();
    ASSERT_EQ(clicksOnly.size(), 1u);
    EXPECT_EQ(clicksOnly[0].type, InputEvent::Type::LeftMouseDown);
    EXPECT_EQ(clicksOnly[0].location, QPointF(300, 679));
    ASSERT_EQ(events.size(), 2u); // the key and the left click
    EXPECT_EQ(events[1].location, QPointF(300, 679));
    EXPECT_TRUE(onMain);

    monitor->removeMonitor(clicks);
    monitor->removeMonitor(id);
    runTool("xdotool", {"click", "1"});
    // Nothing listens any more; a fresh monitor shows that the click has been handled.
    bool marker = false;
    monitor->addMonitor(kInputEventMaskKeyDown, [&](const InputEvent&) { marker = true; });
    const size_t seen = events.size();
    runTool("xdotool", {"key", "F12"});
    ASSERT_TRUE(spinUntil([&] { return marker; }));
    EXPECT_EQ(clicksOnly.size(), 1u);
    EXPECT_EQ(events.size(), seen);
}
