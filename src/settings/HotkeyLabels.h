// The hotkeys' preference pairs in the order a key press is matched against them, and the
// modifier prefixes their labels start with.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

enum class HotkeyCommand { StartOrStop, ShowDrawTool, Camera, PauseOrResume, Screenshot };

struct HotkeyPreference {
    HotkeyCommand command;
    const char* codeKey;
    const char* labelKey;
};

extern const std::array<HotkeyPreference, 5> kHotkeyPreferences;

// The ModifierFlag (InputMonitor.h) a label's prefix shows: "⌘ " Super, "Alt ", "^ " Control,
// "fn "; 0 when the label has none.
uint32_t modifierFlagOfLabel(const QString& label);

// The label prefix a left-hand modifier key (virtual key code) gives; empty for any other key,
// Shift and the right-hand modifiers included.
QString labelPrefixOfModifierKey(uint16_t keyCode);
