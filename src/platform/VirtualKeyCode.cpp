#include "VirtualKeyCode.h"

#include "InputMonitor.h"

#include <utility>

namespace {

// X keysym values (X11/keysymdef.h): Latin-1 symbols are their character codes, the rest
// live in the 0xff00 page.
constexpr std::pair<uint32_t, uint16_t> kKeySymTable[] = {
    {'a', kVK_ANSI_A},
    {'b', kVK_ANSI_B},
    {'c', kVK_ANSI_C},
    {'d', kVK_ANSI_D},
    {'e', kVK_ANSI_E},
    {'f', kVK_ANSI_F},
    {'g', kVK_ANSI_G},
    {'h', kVK_ANSI_H},
    {'i', kVK_ANSI_I},
    {'j', kVK_ANSI_J},
    {'k', kVK_ANSI_K},
    {'l', kVK_ANSI_L},
    {'m', kVK_ANSI_M},
    {'n', kVK_ANSI_N},
    {'o', kVK_ANSI_O},
    {'p', kVK_ANSI_P},
    {'q', kVK_ANSI_Q},
    {'r', kVK_ANSI_R},
    {'s', kVK_ANSI_S},
    {'t', kVK_ANSI_T},
    {'u', kVK_ANSI_U},
    {'v', kVK_ANSI_V},
    {'w', kVK_ANSI_W},
    {'x', kVK_ANSI_X},
    {'y', kVK_ANSI_Y},
    {'z', kVK_ANSI_Z},
    {'A', kVK_ANSI_A},
    {'B', kVK_ANSI_B},
    {'C', kVK_ANSI_C},
    {'D', kVK_ANSI_D},
    {'E', kVK_ANSI_E},
    {'F', kVK_ANSI_F},
    {'G', kVK_ANSI_G},
    {'H', kVK_ANSI_H},
    {'I', kVK_ANSI_I},
    {'J', kVK_ANSI_J},
    {'K', kVK_ANSI_K},
    {'L', kVK_ANSI_L},
    {'M', kVK_ANSI_M},
    {'N', kVK_ANSI_N},
    {'O', kVK_ANSI_O},
    {'P', kVK_ANSI_P},
    {'Q', kVK_ANSI_Q},
    {'R', kVK_ANSI_R},
    {'S', kVK_ANSI_S},
    {'T', kVK_ANSI_T},
    {'U', kVK_ANSI_U},
    {'V', kVK_ANSI_V},
    {'W', kVK_ANSI_W},
    {'X', kVK_ANSI_X},
    {'Y', kVK_ANSI_Y},
    {'Z', kVK_ANSI_Z},
    {'0', kVK_ANSI_0},
    {'1', kVK_ANSI_1},
    {'2', kVK_ANSI_2},
    {'3', kVK_ANSI_3},
    {'4', kVK_ANSI_4},
    {'5', kVK_ANSI_5},
    {'6', kVK_ANSI_6},
    {'7', kVK_ANSI_7},
    {'8', kVK_ANSI_8},
    {'9', kVK_ANSI_9},
    {' ', kVK_Space},
    {'\'', kVK_ANSI_Quote},
    {',', kVK_ANSI_Comma},
    {'-', kVK_ANSI_Minus},
    {'.', kVK_ANSI_Period},
    {'/', kVK_ANSI_Slash},
    {';', kVK_ANSI_Semicolon},
    {'=', kVK_ANSI_Equal},
    {'[', kVK_ANSI_LeftBracket},
    {'\\', kVK_ANSI_Backslash},
    {']', kVK_ANSI_RightBracket},
    {'`', kVK_ANSI_Grave},
    {0xff08, kVK_Delete},        // BackSpace
    {0xff09, kVK_Tab},           // Tab
    {0xfe20, kVK_Tab},           // ISO_Left_Tab
    {0xff0d, kVK_Return},        // Return
    {0xff1b, kVK_Escape},        // Escape
    {0xffff, kVK_ForwardDelete}, // Delete
    {0xff63, kVK_Help},          // Insert sits where the Help key is
    {0xff6a, kVK_Help},          // Help
    {0xff50, kVK_Home},          // Home
    {0xff57, kVK_End},           // End
    {0xff55, kVK_PageUp},        // Prior
    {0xff56, kVK_PageDown},      // Next
    {0xff51, kVK_LeftArrow},     // Left
    {0xff52, kVK_UpArrow},       // Up
    {0xff53, kVK_RightArrow},    // Right
    {0xff54, kVK_DownArrow},     // Down
    {0xffbe, kVK_F1},
    {0xffbf, kVK_F2},
    {0xffc0, kVK_F3},
    {0xffc1, kVK_F4},
    {0xffc2, kVK_F5},
    {0xffc3, kVK_F6},
    {0xffc4, kVK_F7},
    {0xffc5, kVK_F8},
    {0xffc6, kVK_F9},
    {0xffc7, kVK_F10},
    {0xffc8, kVK_F11},
    {0xffc9, kVK_F12},
    {0xffca, kVK_F13},
    {0xffcb, kVK_F14},
    {0xffcc, kVK_F15},
    // Keypad keys give their navigation symbol when Num Lock is off, so both forms are listed.
    {0xff7f, kVK_ANSI_KeypadClear},    // Num_Lock
    {0xff8d, kVK_ANSI_KeypadEnter},    // KP_Enter
    {0xffaa, kVK_ANSI_KeypadMultiply}, // KP_Multiply
    {0xffab, kVK_ANSI_KeypadPlus},     // KP_Add
    {0xffad, kVK_ANSI_KeypadMinus},    // KP_Subtract
    {0xffae, kVK_ANSI_KeypadDecimal},  // KP_Decimal
    {0xff9f, kVK_ANSI_KeypadDecimal},  // KP_Delete
    {0xffaf, kVK_ANSI_KeypadDivide},   // KP_Divide
    {0xffbd, kVK_ANSI_KeypadEquals},   // KP_Equal
    {0xff9e, kVK_ANSI_Keypad0},        // KP_Insert
    {0xff9c, kVK_ANSI_Keypad1},        // KP_End
    {0xff99, kVK_ANSI_Keypad2},        // KP_Down
    {0xff9b, kVK_ANSI_Keypad3},        // KP_Next
    {0xff96, kVK_ANSI_Keypad4},        // KP_Left
    {0xff9d, kVK_ANSI_Keypad5},        // KP_Begin
    {0xff98, kVK_ANSI_Keypad6},        // KP_Right
    {0xff95, kVK_ANSI_Keypad7},        // KP_Home
    {0xff97, kVK_ANSI_Keypad8},        // KP_Up
    {0xff9a, kVK_ANSI_Keypad9},        // KP_Prior
    {0xffb0, kVK_ANSI_Keypad0},
    {0xffb1, kVK_ANSI_Keypad1},
    {0xffb2, kVK_ANSI_Keypad2},
    {0xffb3, kVK_ANSI_Keypad3},
    {0xffb4, kVK_ANSI_Keypad4},
    {0xffb5, kVK_ANSI_Keypad5},
    {0xffb6, kVK_ANSI_Keypad6},
    {0xffb7, kVK_ANSI_Keypad7},
    {0xffb8, kVK_ANSI_Keypad8},
    {0xffb9, kVK_ANSI_Keypad9},
};

struct ModifierKey {
    uint32_t keySym;
    uint16_t keyCode;
    uint32_t flag;
};

// Super is the key the labels call "⌘"; AltGr counts as the right Option key.
constexpr ModifierKey kModifierKeys[] = {
    {0xffe1, kVK_Shift, kModifierShift},          // Shift_L
    {0xffe2, kVK_RightShift, kModifierShift},     // Shift_R
    {0xffe3, kVK_Control, kModifierControl},      // Control_L
    {0xffe4, kVK_RightControl, kModifierControl}, // Control_R
    {0xffe5, kVK_CapsLock, 0},                    // Caps_Lock
    {0xffe7, kVK_Command, kModifierCommand},      // Meta_L
    {0xffe8, kVK_RightCommand, kModifierCommand}, // Meta_R
    {0xffe9, kVK_Option, kModifierOption},        // Alt_L
    {0xffea, kVK_RightOption, kModifierOption},   // Alt_R
    {0xffeb, kVK_Command, kModifierCommand},      // Super_L
    {0xffec, kVK_RightCommand, kModifierCommand}, // Super_R
    {0xfe03, kVK_RightOption, kModifierOption},   // ISO_Level3_Shift
};

} // namespace

std::optional<uint16_t> virtualKeyCodeForKeySym(uint32_t keySym) {
    for (const auto& [sym, code] : kKeySymTable) {
        if (sym == keySym)
            return code;
    }
    for (const ModifierKey& key : kModifierKeys) {
        if (key.keySym == keySym)
            return key.keyCode;
    }
    return std::nullopt;
}

std::optional<uint32_t> keySymForVirtualKeyCode(uint16_t keyCode) {
    // The table lists a key's unshifted symbol first.
    for (const auto& [sym, code] : kKeySymTable) {
        if (code == keyCode)
            return sym;
    }
    return std::nullopt;
}

uint32_t modifierFlagForKeySym(uint32_t keySym) {
    for (const ModifierKey& key : kModifierKeys) {
        if (key.keySym == keySym)
            return key.flag;
    }
    return 0;
}
