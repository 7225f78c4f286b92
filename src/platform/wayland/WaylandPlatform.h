// The desktop services of a Wayland session. The compositor keeps other windows, the global
// pointer and global input to itself: the window list is empty and input is seen only in
// Tapedeck's own windows. The pointer is the one the cast describes beside its picture where
// the portal offers that; else the compositor draws it into the picture and no arrow of our
// own is painted. The screen to record is chosen in the ScreenCast portal's dialog; the chosen
// monitor's picture is the screen picture.
#pragma once

#include "Platform.h"

#include <memory>

class CastCursor;
class Preferences;
class QtInputMonitor;
class QtScreenDisplays;
class WaylandScreenCast;
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
    bool canPlaceWindows() const override { return false; }
    bool choosesScreen() const override { return true; }
    void chooseScreen(
        std::function<void(std::optional<DisplayInfo> screen, const QString& error)> done) override;
    void releaseChosenScreen() override;
    bool offersGlobalShortcuts() const override;
    std::unique_ptr<HotkeyGrabber> createHotkeyGrabber() override;

private:
    explicit WaylandPlatform(Preferences& preferences);
    // The cast a capture session reads: the chosen one, handed over, or a new one.
    std::shared_ptr<WaylandScreenCast> castToRecord();
    // A new cast, whose pointer is the one drawn from now on.
    std::shared_ptr<WaylandScreenCast> newCast();
    // The display whose place on the desktop is `area`; the main one where none is.
    std::optional<DisplayInfo> displayAt(const QRect& area) const;
    QImage picture(const QRectF& bounds) const;

    std::unique_ptr<QtScreenDisplays> m_displays;
    std::unique_ptr<WaylandServices> m_services;
    std::unique_ptr<QtInputMonitor> m_input;
    // Shared with the casts, which report on PipeWire's thread.
    std::shared_ptr<CastCursor> m_cursor;
    Preferences& m_preferences;
    // Chosen and not yet recorded.
    std::shared_ptr<WaylandScreenCast> m_chosen;
    // The newest cast, recorded or not, for pictures of the screen.
    std::weak_ptr<WaylandScreenCast> m_newest;
};
