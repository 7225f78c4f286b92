// Hotkey grabs on the root window, made on Qt's own X connection: the presses they take arrive
// there as key events of no Tapedeck window, and Qt drops them. The hotkeys themselves are
// seen by the input monitor, which observes every press, grabbed or not.
#pragma once

#include "HotkeyGrabber.h"
#include "X11KeyboardMap.h"

#include <xcb/xcb.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class X11HotkeyGrabber : public HotkeyGrabber {
public:
    // Null when Qt does not run on X11.
    static std::unique_ptr<X11HotkeyGrabber> create();
    ~X11HotkeyGrabber() override;

    std::vector<bool> grab(const std::vector<HotkeyCombination>& combinations) override;

private:
    X11HotkeyGrabber(xcb_connection_t* connection, xcb_window_t root);
    void releaseAll();
    // The X modifier mask of the flags; none when a flag has no key on this keyboard.
    std::optional<uint16_t> maskOf(uint32_t modifierFlags) const;

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    X11KeyboardMap m_keyboard;
    // (key code, modifier mask) of every grab held.
    std::vector<std::pair<uint8_t, uint16_t>> m_grabbed;
};
