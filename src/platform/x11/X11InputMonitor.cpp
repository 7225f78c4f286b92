#include "X11InputMonitor.h"

#include "KTLog.h"
#include "MainQueue.h"
#include "VirtualKeyCode.h"
#include "X11Connection.h"
#include "X11Monitors.h"

#include <xcb/xinput.h>

#include <cerrno>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

X11InputMonitor::X11InputMonitor(const QByteArray& displayName)
    : m_guard(&m_context), m_connection(X11Connection::open(displayName)) {
    if (!m_connection || !selectRawEvents())
        return;
    m_keyboard.load(m_connection->xcb());
    m_wakeFd = eventfd(0, EFD_CLOEXEC);
    m_thread = std::thread([this] { readEvents(); });
}

X11InputMonitor::~X11InputMonitor() {
    if (m_thread.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(m_wakeFd, &one, sizeof one);
        m_thread.join();
    }
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

InputMonitor::MonitorId X11InputMonitor::addMonitor(uint32_t mask, Handler handler) {
    return m_monitors.add(mask, std::move(handler));
}

void X11InputMonitor::removeMonitor(MonitorId id) {
    m_monitors.remove(id);
}

bool X11InputMonitor::selectRawEvents() {
    xcb_connection_t* c = m_connection->xcb();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present) {
        KTLOG("no XInput extension: clicks and keys are not observed");
        return false;
    }
    m_inputOpcode = extension->major_opcode;
    // Raw events from master devices need XInput 2.1 or later.
    auto version =
        xcbReply(xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr));
    if (!version || version->major_version < 2 ||
        (version->major_version == 2 && version->minor_version < 2)) {
        KTLOG("XInput 2.2 missing: clicks and keys are not observed");
        return false;
    }
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE |
               XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_input_xi_select_events_checked(c, m_connection->root(), 1, &mask.head));
    if (error) {
        std::free(error);
        KTLOG("selecting raw input events refused");
        return false;
    }
    return true;
}

void X11InputMonitor::readEvents() {
    pthread_setname_np(pthread_self(), "InputMonitor");
    xcb_connection_t* c = m_connection->xcb();
    pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            handleEvent(reinterpret_cast<const uint8_t*>(event));
            std::free(event);
        }
        if (m_connection->hasError()) {
            KTLOG("lost the X connection: clicks and keys are no longer observed");
            return;
        }
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
    }
}

void X11InputMonitor::handleEvent(const uint8_t* raw) {
    const auto* event = reinterpret_cast<const xcb_generic_event_t*>(raw);
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        m_keyboard.load(m_connection->xcb());
        return;
    }
    if (type != XCB_GE_GENERIC)
        return;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(raw);
    if (generic->extension != m_inputOpcode)
        return;
    uint32_t modifiers = 0;
    for (const auto& held : m_heldModifiers)
        modifiers |= held.second;

    switch (generic->event_type) {
    case XCB_INPUT_RAW_BUTTON_PRESS: {
        const auto* button = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(raw);
        if (button->detail != 1)
            return;
        xcb_connection_t* c = m_connection->xcb();
        auto pointer = xcbReply(
            xcb_query_pointer_reply(c, xcb_query_pointer(c, m_connection->root()), nullptr));
        InputEvent mouseDown;
        mouseDown.type = InputEvent::Type::LeftMouseDown;
        mouseDown.modifierFlags = modifiers;
        if (pointer) {
            mouseDown.location = desktopCoordinateSpace(*m_connection)
                                     .pointToBottomLeft(QPointF(pointer->root_x, pointer->root_y));
        }
        deliver(mouseDown);
        return;
    }
    case XCB_INPUT_RAW_KEY_PRESS:
    case XCB_INPUT_RAW_KEY_RELEASE: {
        const auto* key = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(raw);
        const uint8_t keyCode = uint8_t(key->detail);
        const uint32_t keySym = m_keyboard.keySymOf(keyCode);
        const bool press = generic->event_type == XCB_INPUT_RAW_KEY_PRESS;
        // Modifier keys only change the flags, as they do not type anything.
        if (const uint32_t flag = modifierFlagForKeySym(keySym)) {
            if (press)
                m_heldModifiers[keyCode] = flag;
            else
                m_heldModifiers.erase(keyCode);
            return;
        }
        const std::optional<uint16_t> code = virtualKeyCodeForKeySym(keySym);
        if (!press || !code)
            return;
        InputEvent keyDown;
        keyDown.type = InputEvent::Type::KeyDown;
        keyDown.keyCode = *code;
        keyDown.modifierFlags = modifiers;
        deliver(keyDown);
        return;
    }
    default:
        return;
    }
}

void X11InputMonitor::deliver(const InputEvent& event) {
    MainQueue::async([this, event] { m_monitors.dispatch(event); }, m_guard);
}
