// Displays set up by the test; the screen under the pointer follows `pointer` when set,
// else mouseLocation.
#pragma once

#include "Displays.h"
#include "Pointer.h"

class FakeDisplays : public Displays {
public:
    std::vector<DisplayInfo> displays;
    const Pointer* pointer = nullptr;
    QPointF mouseLocation;

    std::vector<DisplayInfo> screens() const override { return displays; }
    std::optional<DisplayInfo> mainScreen() const override {
        if (displays.empty())
            return std::nullopt;
        return displays.front();
    }
    std::optional<DisplayInfo> currentScreenForMouseLocation() const override {
        const QPointF location = pointer ? pointer->mouseLocation() : mouseLocation;
        for (const DisplayInfo& display : displays) {
            if (display.frame.contains(location))
                return display;
        }
        return std::nullopt;
    }
};
