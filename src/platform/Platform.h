// The desktop services Tapedeck uses, behind one object so that tests can swap them.
#pragma once

#include "ArrowCursor.h"
#include "CameraCapture.h"
#include "CaptureAuthorization.h"
#include "Displays.h"
#include "HotkeyGrabber.h"
#include "InputMonitor.h"
#include "Pointer.h"
#include "ScreenCaptureSession.h"
#include "WindowList.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Platform {
public:
    virtual ~Platform() = default;

    virtual Displays& displays() = 0;
    virtual WindowList& windowList() = 0;
    virtual Pointer& pointer() = 0;
    virtual ArrowCursor& cursor() = 0;
    virtual InputMonitor& inputMonitor() = 0;
    virtual CaptureAuthorization& captureAuthorization() = 0;
    // A new, idle session each call.
    virtual std::unique_ptr<ScreenCaptureSession> createScreenCaptureSession() = 0;
    // The cameras; none where no camera backend was given.
    virtual Cameras* cameras() { return cameras_.get(); }
    // Whether other programs' windows can be listed and recorded one by one.
    virtual bool seesOtherWindows() const { return true; }
    // Whether clicks and keys outside Tapedeck's windows are seen (click ring, global hotkeys).
    virtual bool seesGlobalInput() const { return true; }
    // Whether hotkeys reach Tapedeck wherever the focus is.
    virtual bool offersGlobalShortcuts() const { return seesGlobalInput(); }
    // The desktop's hotkey service where the desktop itself hands hotkeys out (the presses then
    // reach the input monitor); null elsewhere.
    virtual std::unique_ptr<HotkeyGrabber> createHotkeyGrabber() { return nullptr; }
    // Whether Tapedeck's own windows can be put anywhere on the desktop and kept above others.
    // Where the compositor places windows itself, the area is chosen on a full-screen window
    // that leaves before the recording starts.
    virtual bool canPlaceWindows() const { return true; }
    // Where the desktop lets the user choose the screen to record before any of it is seen
    // (Wayland's portal): asks for the choice; `done` gets the screen, or none and why. The
    // screen's picture (imageOfScreen) stays at hand, and the next capture session records it,
    // until releaseChosenScreen.
    virtual bool choosesScreen() const { return false; }
    virtual void chooseScreen(
        std::function<void(std::optional<DisplayInfo> screen, const QString& error)> done) {
        done(std::nullopt, QStringLiteral("the desktop does not choose screens"));
    }
    virtual void releaseChosenScreen() {}
    // The camera backend of this desktop.
    void setCameras(std::unique_ptr<Cameras> cameras) { cameras_ = std::move(cameras); }

private:
    std::unique_ptr<Cameras> cameras_;
};
