#include "X11HotkeyGrabber.h"

#include "InputMonitor.h"
#include "KTLog.h"
#include "QtXcbConnection.h"

#include <cstdlib>

namespace {

// Key symbols (X11/keysymdef.h) of the keys whose modifier bits hotkeys use.
constexpr uint32_t kAltL = 0xffe9;
constexpr uint32_t kSuperL = 0xffeb;
constexpr uint32_t kNumLock = 0xff7f;
constexpr uint8_t kBadAccess = 10;

} // namespace

std::unique_ptr<X11HotkeyGrabber> X11HotkeyGrabber::create() {
    xcb_connection_t* c = qtXcbConnection();
    if (!c)
        return nullptr;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return std::unique_ptr<X11HotkeyGrabber>(new X11HotkeyGrabber(c, screen->root));
}

X11HotkeyGrabber::X11HotkeyGrabber(xcb_connection_t* connection, xcb_window_t root)
    : m_connection(connection), m_root(root) {}

X11HotkeyGrabber::~X11HotkeyGrabber() {
    releaseAll();
}

void X11HotkeyGrabber::releaseAll() {
    for (const auto& [code, mask] : m_grabbed)
        xcb_ungrab_key(m_connection, code, m_root, mask);
    m_grabbed.clear();
    xcb_flush(m_connection);
}

std::optional<uint16_t> X11HotkeyGrabber::maskOf(uint32_t flags) const {
    uint16_t mask = 0;
    if (flags & kModifierShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (flags & kModifierControl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (flags & kModifierOption)
        mask |= m_keyboard.modifierMaskOf(kAltL);
    if (flags & kModifierCommand)
        mask |= m_keyboard.modifierMaskOf(kSuperL);
    // The function key never reaches the X server; Alt or Super without a modifier bit cannot
    // be told apart from no modifier.
    const bool unreachable = (flags & kModifierFunction) ||
                             ((flags & kModifierOption) && !m_keyboard.modifierMaskOf(kAltL)) ||
                             ((flags & kModifierCommand) && !m_keyboard.modifierMaskOf(kSuperL));
    if (unreachable)
        return std::nullopt;
    return mask;
}

std::vector<bool> X11HotkeyGrabber::grab(const std::vector<HotkeyCombination>& combinations) {
    releaseAll();
    std::vector<bool> taken;
    if (combinations.empty())
        return taken;
    m_keyboard.load(m_connection);
    // The same combination with Num Lock and Caps Lock on, since X matches the mask exactly.
    const uint16_t numLock = m_keyboard.modifierMaskOf(kNumLock);
    std::vector<uint16_t> locks = {0, XCB_MOD_MASK_LOCK};
    if (numLock)
        locks.insert(locks.end(), {numLock, uint16_t(numLock | XCB_MOD_MASK_LOCK)});

    for (const HotkeyCombination& combination : combinations) {
        const std::optional<uint16_t> mask = maskOf(combination.modifierFlags);
        const std::vector<uint8_t> codes = m_keyboard.keyCodesFor(combination.keyCode);
        if (!mask || codes.empty()) {
            KTLOG("hotkey %u/%u has no key on this keyboard", combination.keyCode,
                  combination.modifierFlags);
            taken.push_back(false);
            continue;
        }
        bool refused = false;
        for (const uint8_t code : codes) {
            for (const uint16_t lock : locks) {
                xcb_generic_error_t* error = xcb_request_check(
                    m_connection, xcb_grab_key_checked(m_connection, 0, m_root, *mask | lock, code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
                if (!error) {
                    m_grabbed.emplace_back(code, uint16_t(*mask | lock));
                    continue;
                }
                refused = refused || error->error_code == kBadAccess;
                std::free(error);
            }
        }
        taken.push_back(refused);
    }
    return taken;
}
