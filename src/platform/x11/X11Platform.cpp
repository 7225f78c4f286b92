#include "X11Platform.h"

#include "X11ArrowCursor.h"
#include "X11CaptureAuthorization.h"
#include "X11Connection.h"
#include "X11Displays.h"
#include "X11InputMonitor.h"
#include "X11Pointer.h"
#include "X11ScreenCaptureSession.h"
#include "X11WindowList.h"

std::unique_ptr<X11Platform> X11Platform::create(const QByteArray& displayName) {
    std::shared_ptr<X11Connection> connection = X11Connection::open(displayName);
    if (!connection)
        return nullptr;
    return std::unique_ptr<X11Platform>(new X11Platform(std::move(connection), displayName));
}

X11Platform::X11Platform(std::shared_ptr<X11Connection> connection, const QByteArray& displayName)
    : m_displayName(displayName), m_connection(std::move(connection)),
      m_pointer(std::make_unique<X11Pointer>(m_connection)),
      m_displays(std::make_unique<X11Displays>(m_connection, *m_pointer)),
      m_windowList(std::make_unique<X11WindowList>(m_connection)),
      m_cursor(std::make_unique<X11ArrowCursor>(displayName)),
      m_inputMonitor(std::make_unique<X11InputMonitor>(displayName)),
      m_authorization(std::make_unique<X11CaptureAuthorization>()) {}

X11Platform::~X11Platform() = default;

Displays& X11Platform::displays() {
    return *m_displays;
}
WindowList& X11Platform::windowList() {
    return *m_windowList;
}
Pointer& X11Platform::pointer() {
    return *m_pointer;
}
ArrowCursor& X11Platform::cursor() {
    return *m_cursor;
}
InputMonitor& X11Platform::inputMonitor() {
    return *m_inputMonitor;
}
CaptureAuthorization& X11Platform::captureAuthorization() {
    return *m_authorization;
}

std::unique_ptr<ScreenCaptureSession> X11Platform::createScreenCaptureSession() {
    return std::make_unique<X11ScreenCaptureSession>(m_displayName);
}
