// Windows and tools on the private test desktop (the sandbox's Xvfb + openbox).
#pragma once

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <xcb/xcb.h>

#include "TestProcess.h"

// A managed top-level window filled with one colour by the server itself, so its content is
// known without a client drawing anything.
class TestWindow {
public:
    struct Options {
        QString name;
        QByteArray wmClass; // the class part; the instance is its lower-case form
        QRect geometry;     // asked for; read the real one with desktopRect()
        QRgb colour = qRgb(255, 0, 0);
        const char* windowType = nullptr; // e.g. "_NET_WM_WINDOW_TYPE_DOCK"
    };

    explicit TestWindow(const Options& options);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    uint32_t id() const { return m_window; }
    // The client area in desktop pixels, as xwininfo reports it.
    QRect desktopRect() const;
    // The window manager's decoration around it, as xprop reports it.
    QMargins frameExtents() const;
    // Raises the window to the top and waits for the window manager to have done it.
    void raise() const;
    // Asks the window manager to add an EWMH state ("_NET_WM_STATE_ABOVE") and waits for it.
    void addState(const char* state) const;

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_window;
};
