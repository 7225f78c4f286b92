// The outputs as Qt sees them, for a session where Tapedeck's windows run natively on Wayland:
// the displays, and the pointer where Qt knows it (only over Tapedeck's own windows).
#pragma once

#include "Displays.h"
#include "Pointer.h"

class QtScreenDisplays : public Displays, public Pointer {
public:
    std::vector<DisplayInfo> screens() const override;
    std::optional<DisplayInfo> mainScreen() const override;
    std::optional<DisplayInfo> currentScreenForMouseLocation() const override;
    QPointF mouseLocation() const override;
};
