#include "FakeHotkeyGrabber.h"
#include "FakeInputMonitor.h"
#include "HotkeyDispatcher.h"
#include "PreferenceKeys.h"
#include "StartupValues.h"
#include "TestApplication.h"
#include "VirtualKeyCode.h"

#include <gtest/gtest.h>

namespace {

struct Press {
    const char* name;
    bool canKeyEvent;
    bool resetting;
    // Stored over the first-run pairs: key, code, label key, label.
    const char* codeKey;
    int code;
    const char* labelKey;
    const char* label;
    uint16_t key;
    uint32_t modifiers;
    bool recording;
    const char* ran;
};

constexpr uint32_t kSuper = kModifierCommand;

const Press kPresses[] = {
    {"super 1 starts", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_1, kSuper, false,
     "start"},
    {"the bare key does nothing", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_1, 0, false,
     ""},
    {"an extra modifier does nothing", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_1,
     kSuper | kModifierShift, false, ""},
    {"off until a mode is chosen", false, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_1, kSuper,
     false, ""},
    {"off while a key is recorded", true, true, nullptr, 0, nullptr, nullptr, kVK_ANSI_1, kSuper,
     false, ""},
    {"pause while idle does nothing", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_2, kSuper,
     false, ""},
    {"pause while recording", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_2, kSuper, true,
     "pause"},
    {"a duplicate code runs the earlier command", true, false, PrefKey::EventResumeOrPause,
     kVK_ANSI_1, nullptr, nullptr, kVK_ANSI_1, kSuper, true, "start"},
    {"the label's modifier decides", true, false, PrefKey::EventResumeOrPause, kVK_ANSI_1,
     PrefKey::EventResumeOrPauseChar, "Alt 1", kVK_ANSI_1, kModifierOption, true, "pause"},
    {"a label without modifier never fires", true, false, nullptr, 0, PrefKey::EventStartOrStopChar,
     "1", kVK_ANSI_1, 0, false, ""},
    {"drawing tools", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_5, kSuper, false, "draw"},
    {"camera", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_3, kSuper, false, "camera"},
    {"screenshot", true, false, nullptr, 0, nullptr, nullptr, kVK_ANSI_4, kSuper, false, "shot"},
};

TEST(HotkeyDispatch, PressesRunTheirCommandOnce) {
    for (const Press& p : kPresses) {
        SCOPED_TRACE(p.name);
        Preferences& store = freshPreferences();
        writeStartupValues(store);
        if (p.codeKey)
            store.setValue(p.codeKey, p.code);
        if (p.labelKey)
            store.setValue(p.labelKey, QString(p.label));
        HotkeyGroup flags;
        flags.isCanKeyEvent = p.canKeyEvent;
        flags.isResetEventMonitor = p.resetting;
        FakeInputMonitor monitor;
        std::string ran;
        const auto log = [&ran](const char* name) { return [&ran, name] { ran += name; }; };
        HotkeyDispatcher dispatcher(flags, store, monitor, nullptr,
                                    {log("start"), log("draw"), log("camera"), log("pause"),
                                     log("shot"), [&p] { return p.recording; }});
        monitor.postKeyDown(p.key, p.modifiers);
        drainMainQueue();
        EXPECT_EQ(ran, p.ran);
    }
}

TEST(HotkeyDispatch, GrabsFollowTheFlagsAndReportTakenKeys) {
    Preferences& store = freshPreferences();
    writeStartupValues(store);
    HotkeyGroup flags;
    FakeInputMonitor monitor;
    FakeHotkeyGrabber grabber;
    grabber.heldElsewhere = {{kVK_ANSI_4, kSuper}};
    HotkeyDispatcher dispatcher(flags, store, monitor, &grabber, {});
    EXPECT_TRUE(grabber.held.empty());

    flags.isCanKeyEvent = true;
    emit flags.changed();
    ASSERT_EQ(grabber.held.size(), 4u);
    EXPECT_EQ(grabber.held[0].keyCode, kVK_ANSI_1);
    EXPECT_EQ(grabber.held[0].modifierFlags, kSuper);

    flags.isCanKeyEvent = false; // the settings window opened
    emit flags.changed();
    EXPECT_TRUE(grabber.held.empty());
    EXPECT_EQ(dispatcher.takenHotkeys(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(grabber.held.empty());
}

} // namespace
