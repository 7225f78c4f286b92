// The pointer catcher as an input-only X window on Qt's own connection; its events are taken
// out of Qt's event stream before Qt looks for a widget to give them to.
#pragma once

#include "PointerCatcher.h"

#include <QAbstractNativeEventFilter>

#include <memory>

#include <xcb/xcb.h>

class X11PointerCatcher : public PointerCatcher, private QAbstractNativeEventFilter {
public:
    // Null unless Qt runs on X11.
    static std::unique_ptr<X11PointerCatcher> create();
    ~X11PointerCatcher() override;

    void cover(quintptr above, const QRect& area, Handler handler) override;
    void uncover() override;

private:
    explicit X11PointerCatcher(xcb_connection_t* connection);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    xcb_connection_t* m_xcb;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    Handler m_handler;
};
