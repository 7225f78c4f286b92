// The desktop services of an X11 session.
#pragma once

#include "Platform.h"

#include <QByteArray>
#include <memory>

class X11Connection;
class X11Displays;
class X11WindowList;
class X11Pointer;
class X11ArrowCursor;
class X11InputMonitor;
class X11CaptureAuthorization;

class X11Platform : public Platform {
public:
    // displayName empty: $DISPLAY. Null when that X server cannot be reached.
    static std::unique_ptr<X11Platform> create(const QByteArray& displayName = {});
    ~X11Platform() override;

    Displays& displays() override;
    WindowList& windowList() override;
    Pointer& pointer() override;
    ArrowCursor& cursor() override;
    InputMonitor& inputMonitor() override;
    CaptureAuthorization& captureAuthorization() override;
    std::unique_ptr<ScreenCaptureSession> createScreenCaptureSession() override;

private:
    X11Platform(std::shared_ptr<X11Connection> connection, const QByteArray& displayName);

    QByteArray m_displayName;
    std::shared_ptr<X11Connection> m_connection;
    std::unique_ptr<X11Pointer> m_pointer;
    std::unique_ptr<X11Displays> m_displays;
    std::unique_ptr<X11WindowList> m_windowList;
    std::unique_ptr<X11ArrowCursor> m_cursor;
    std::unique_ptr<X11InputMonitor> m_inputMonitor;
    std::unique_ptr<X11CaptureAuthorization> m_authorization;
};
