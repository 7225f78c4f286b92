// The hit test that highlights the window under the pointer while nothing is selected yet, and
// decides which screen's overlay has the keyboard. One picker per screen overlay.
#pragma once

#include "Displays.h"
#include "WindowList.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class WindowPicker {
public:
    struct Mode {
        // The session controller's recording mode: 0 full screen, 1 custom area, 2 window.
        unsigned recordVideoType = 1;
        // Full screen with several screens: the screen chosen in the main window's pop-up.
        std::optional<DisplayInfo> chosenScreen;
        // The selection is confirmed: hovering changes nothing.
        bool isDisableChangeScreen = false;
    };

    struct Hover {
        // The rectangle to select, in this overlay's coordinates.
        QRectF candidate;
        // The pointer's screen, for the session controller's screen and display number.
        std::optional<DisplayInfo> screen;
        // When a window contains the pointer: the screen whose overlay should have the
        // keyboard (this picker's own screen or another one).
        std::optional<DisplayInfo> keyScreen;
    };

    // screen: the screen this picker's overlay covers.
    WindowPicker(const Displays& displays, const DisplayInfo& screen);

    // The windows as they are before any overlay exists, front to back; kept unchanged while
    // the overlays are up.
    static std::vector<WindowInfo> takeSnapshot(const WindowList& windowList);

    // The window hit test on the snapshot, pointer in global screen coordinates. Returns the
    // screen whose overlay should be key when a window contains the pointer.
    std::optional<DisplayInfo> ChooseWindowRectInScreen(const std::vector<WindowInfo>& arrayRect,
                                                        const QPointF& pointer, const Mode& mode);
    // The whole hover answer: the hit test (or this screen in full-screen mode) kept on the
    // screen's visible side. Nothing while the selection is confirmed.
    std::optional<Hover> clipViewMouseMoved(const std::vector<WindowInfo>& arrayRect,
                                            const QPointF& pointer, const Mode& mode);

    // The pointer's screen as the hover sees it.
    std::optional<DisplayInfo> pointerScreen(const Mode& mode) const;

    const DisplayInfo& screen() const { return screen_; }
    // This overlay's coordinates, width and height multiples of 4.
    QRectF lastWindowRect() const { return lastWindowRect_; }
    // The highlighted window, for following it while recording in window mode.
    uint32_t selectedWindowNumber() const { return selectedWindowNumber_; }
    QString selectedWindowName() const { return selectedWindowName_; }

private:
    const Displays& displays_;
    DisplayInfo screen_;
    QRectF lastWindowRect_;
    uint32_t selectedWindowNumber_ = 0;
    QString selectedWindowName_;
};
