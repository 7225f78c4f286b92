// The desktop services of a Wayland session. The compositor keeps other windows, the global
// pointer and global input to itself: the window list is empty, no input is seen outside
// Tapedeck's windows, and the pointer is drawn into the picture by the compositor, so no
// arrow of our own is painted.
#pragma once

#include "Platform.h"

#include <memory>

class Preferences;
class QtScreenDisplays;
class WaylandServices;

class WaylandPlatform : public Platform {
public:
    // Null when the session bus has no ScreenCast portal. The portal's token for the chosen
    // monitor is kept in `preferences`.
    static std::unique_ptr<WaylandPlatform> create(Preferences& preferences);
    ~WaylandPlatform() override;

    Displays& displays() override;
    WindowList& windowList() override;
    Pointer& pointer() override;
    ArrowCursor& cursor() override;
    InputMonitor& inputMonitor() override;
    CaptureAuthorization& captureAuthorization() override;
    std::unique_ptr<ScreenCaptureSession> createScreenCaptureSession() override;
    bool seesOtherWindows() const override { return false; }
    bool seesGlobalInput() const override { return false; }

private:
    explicit WaylandPlatform(Preferences& preferences);

    std::unique_ptr<QtScreenDisplays> m_displays;
    std::unique_ptr<WaylandServices> m_services;
    Preferences& m_preferences;
};
