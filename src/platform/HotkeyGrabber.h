// Takes key combinations away from every other application, so that a hotkey's press reaches
// Tapedeck alone and not also the window in front.
#pragma once

#include <cstdint>
#include <vector>

struct HotkeyCombination {
    // Virtual key code (VirtualKeyCode.h).
    uint16_t keyCode = 0;
    // ModifierFlag bits (InputMonitor.h) that must be held, and no others.
    uint32_t modifierFlags = 0;
};

class HotkeyGrabber {
public:
    virtual ~HotkeyGrabber() = default;

    // Replaces every combination held so far by these; an empty list lets all go. Answers, per
    // combination, whether another program already holds it (it then stays theirs).
    virtual std::vector<bool> grab(const std::vector<HotkeyCombination>& combinations) = 0;
};
