// Hotkey grabs that only remember what they hold; combinations listed in `heldElsewhere` are
// answered as another program's.
#pragma once

#include "HotkeyGrabber.h"

class FakeHotkeyGrabber : public HotkeyGrabber {
public:
    std::vector<bool> grab(const std::vector<HotkeyCombination>& combinations) override {
        held.clear();
        std::vector<bool> taken;
        for (const HotkeyCombination& c : combinations) {
            bool elsewhere = false;
            for (const HotkeyCombination& e : heldElsewhere)
                elsewhere =
                    elsewhere || (e.keyCode == c.keyCode && e.modifierFlags == c.modifierFlags);
            taken.push_back(elsewhere);
            if (!elsewhere)
                held.push_back(c);
        }
        return taken;
    }

    std::vector<HotkeyCombination> held;
    std::vector<HotkeyCombination> heldElsewhere;
};
