#include "X11PointerCatcher.h"

#include "QtXcbConnection.h"

#include <QCoreApplication>

#include <optional>

std::unique_ptr<X11PointerCatcher> X11PointerCatcher::create() {
    xcb_connection_t* xcb = qtXcbConnection();
    if (!xcb)
        return nullptr;
    return std::unique_ptr<X11PointerCatcher>(new X11PointerCatcher(xcb));
}

X11PointerCatcher::X11PointerCatcher(xcb_connection_t* connection) : m_xcb(connection) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11PointerCatcher::~X11PointerCatcher() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    if (m_window != XCB_WINDOW_NONE) {
        xcb_destroy_window(m_xcb, m_window);
        xcb_flush(m_xcb);
    }
}

void X11PointerCatcher::cover(quintptr above, const QRect& area, Handler handler) {
    m_handler = std::move(handler);
    if (m_window == XCB_WINDOW_NONE) {
        m_window = xcb_generate_id(m_xcb);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_xcb)).data;
        const uint32_t values[] = {1, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                          XCB_EVENT_MASK_BUTTON_MOTION};
        xcb_create_window(m_xcb, 0, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    }
    const uint32_t place[] = {uint32_t(area.x()),      uint32_t(area.y()), uint32_t(area.width()),
                              uint32_t(area.height()), uint32_t(above),    XCB_STACK_MODE_BELOW};
    xcb_configure_window(m_xcb, m_window,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT | XCB_CONFIG_WINDOW_SIBLING |
                             XCB_CONFIG_WINDOW_STACK_MODE,
                         place);
    xcb_map_window(m_xcb, m_window);
    xcb_flush(m_xcb);
}

void X11PointerCatcher::uncover() {
    m_handler = nullptr;
    if (m_window == XCB_WINDOW_NONE)
        return;
    xcb_unmap_window(m_xcb, m_window);
    xcb_flush(m_xcb);
}

bool X11PointerCatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (m_window == XCB_WINDOW_NONE || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    std::optional<Event> caught;
    switch (event->response_type & 0x7f) {
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE: {
        const auto* button = reinterpret_cast<const xcb_button_press_event_t*>(event);
        if (button->event != m_window)
            return false;
        if (button->detail == XCB_BUTTON_INDEX_1)
            caught =
                (event->response_type & 0x7f) == XCB_BUTTON_PRESS ? Event::Press : Event::Release;
        break;
    }
    case XCB_MOTION_NOTIFY: {
        const auto* motion = reinterpret_cast<const xcb_motion_notify_event_t*>(event);
        if (motion->event != m_window)
            return false;
        if (motion->state & XCB_BUTTON_MASK_1)
            caught = Event::Drag;
        break;
    }
    default:
        return false;
    }
    // The handler may replace or take away the cover.
    if (caught && m_handler) {
        const Handler handler = m_handler;
        handler(*caught);
    }
    return true;
}
