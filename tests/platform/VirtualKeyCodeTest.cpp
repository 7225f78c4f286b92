#include "VirtualKeyCode.h"
#include "InputMonitor.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

TEST(VirtualKeyCode, KeySymsMapToTheirCodeAndModifierFlag) {
    // The first-run hotkeys are stored as 18, 19, 20, 21 and 23 for the keys 1 to 5.
    const std::pair<uint32_t, uint16_t> cases[] = {{'1', 18}, {'2', 19}, {'3', 20}, {'4', 21},
                                                   {'5', 23}, {'6', 22}, {'0', 29}};
    for (const auto& [keySym, code] : cases)
        EXPECT_EQ(virtualKeyCodeForKeySym(keySym), code) << char(keySym);
    const std::pair<uint32_t, uint16_t> others[] = {
        {'a', kVK_ANSI_A},          {'A', kVK_ANSI_A},           {'q', kVK_ANSI_Q},
        {'Z', kVK_ANSI_Z},          {0xff0d, kVK_Return},        {0xff1b, kVK_Escape},
        {0xff08, kVK_Delete},       {0xffff, kVK_ForwardDelete}, {0xffbe, kVK_F1},
        {0xffc9, kVK_F12},          {0xff51, kVK_LeftArrow},     {0xffb5, kVK_ANSI_Keypad5},
        {0xff9d, kVK_ANSI_Keypad5}, {0xffeb, kVK_Command},       {0xffe9, kVK_Option},
        {0xffe3, kVK_Control},
    };
    for (const auto& [keySym, code] : others)
        EXPECT_EQ(virtualKeyCodeForKeySym(keySym), code) << std::hex << keySym;
    // Unknown symbols have no code: 0 would read as the A key.
    for (uint32_t keySym : {0u, 0x1008ff13u /* XF86AudioRaiseVolume */, 0x20acu /* EuroSign */})
        EXPECT_FALSE(virtualKeyCodeForKeySym(keySym).has_value()) << std::hex << keySym;
    const std::pair<uint32_t, uint32_t> flags[] = {
        {0xffeb, kModifierCommand},
        {0xffec, kModifierCommand},
        {0xffe7, kModifierCommand},
        {0xffe9, kModifierOption},
        {0xfe03, kModifierOption},
        {0xffe3, kModifierControl},
        {0xffe4, kModifierControl},
        {0xffe1, kModifierShift},
        {'1', 0u},
        {0xffe5, 0u},
    };
    for (const auto& [keySym, flag] : flags)
        EXPECT_EQ(modifierFlagForKeySym(keySym), flag) << std::hex << keySym;
}

TEST(VirtualKeyCode, EveryPrintableAsciiKeyHasItsOwnCode) {
    // Two symbols of different physical keys sharing a code would make one hotkey fire for both.
    std::set<uint16_t> codes;
    int mapped = 0;
    for (uint32_t keySym : std::string_view("abcdefghijklmnopqrstuvwxyz0123456789 '-,./;=[\\]`")) {
        const auto code = virtualKeyCodeForKeySym(keySym);
        ASSERT_TRUE(code.has_value()) << char(keySym);
        codes.insert(*code);
        ++mapped;
    }
    EXPECT_EQ(codes.size(), size_t(mapped));
}
