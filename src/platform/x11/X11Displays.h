// Displays from the X server's RandR monitors; "NSScreenNumber" is the RandR output id.
#pragma once

#include "Displays.h"

#include <memory>

class X11Connection;
class Pointer;

class X11Displays : public Displays {
public:
    X11Displays(std::shared_ptr<X11Connection> connection, const Pointer& pointer);

    std::vector<DisplayInfo> screens() const override;
    std::optional<DisplayInfo> mainScreen() const override;
    std::optional<DisplayInfo> currentScreenForMouseLocation() const override;

private:
    std::shared_ptr<X11Connection> m_connection;
    const Pointer& m_pointer;
};
