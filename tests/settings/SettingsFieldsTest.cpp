#include "HotkeyRecorder.h"
#include "SplitFields.h"
#include "VirtualKeyCode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// f: a modifier key went down or up; d: a key went down typing `chars`; u: a key went up.
struct Step {
    char kind;
    uint16_t code;
    const char* chars;
};

struct Recording {
    const char* name;
    std::vector<Step> steps;
    const char* label; // nullptr: nothing recorded by the last key
};

TEST(HotkeyRecorder, KeepsLeftHandModifierCombinations) {
    const Recording recordings[] = {
        {"super and 1", {{'f', kVK_Command, ""}, {'d', kVK_ANSI_1, "1"}}, "⌘ 1"},
        {"left option and a", {{'f', kVK_Option, ""}, {'d', kVK_ANSI_A, "a"}}, "Alt A"},
        {"fn and 1", {{'f', kVK_Function, ""}, {'d', kVK_ANSI_1, "1"}}, "fn 1"},
        {"shift alone", {{'f', kVK_Shift, ""}, {'d', kVK_ANSI_A, "A"}}, nullptr},
        {"right command", {{'f', kVK_RightCommand, ""}, {'d', kVK_ANSI_A, "a"}}, nullptr},
        {"no modifier", {{'d', kVK_ANSI_1, "1"}}, nullptr},
        {"the prefix survives the modifier's release",
         {{'f', kVK_Control, ""}, {'f', kVK_Control, ""}, {'d', kVK_ANSI_2, "2"}},
         "^ 2"},
        {"a key's release clears it",
         {{'f', kVK_Command, ""}, {'d', kVK_ANSI_1, "1"}, {'u', 0, ""}, {'d', kVK_ANSI_2, "2"}},
         nullptr},
    };
    for (const Recording& r : recordings) {
        SCOPED_TRACE(r.name);
        HotkeyRecorder recorder;
        std::optional<HotkeyRecorder::Recorded> last;
        for (const Step& step : r.steps) {
            if (step.kind == 'f')
                recorder.flagsChanged(step.code);
            else if (step.kind == 'u')
                recorder.keyUp();
            else
                last = recorder.keyDown(step.code, QString::fromUtf8(step.chars));
        }
        ASSERT_EQ(last.has_value(), r.label != nullptr);
        if (last) {
            EXPECT_EQ(last->label, QString::fromUtf8(r.label));
            EXPECT_EQ(last->keyCode, r.steps.back().code);
        }
    }
}

TEST(SplitFields, TypingAndClosingKeepTheLimits) {
    struct Case {
        const char* typed;
        bool time;
        const char* shown;
        int32_t closed;
    };
    const Case cases[] = {
        {"1500", true, "999", 999},     {"1000", true, "1000", 999},     {"20", true, "20", 20},
        {"10001", false, "9999", 9999}, {"10000", false, "10000", 9999}, {"", false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(splitFieldText(c.typed, c.time), c.shown);
        EXPECT_EQ(splitFieldValue(c.typed, c.time), c.closed);
    }
}

} // namespace
