// The server's table from key codes to key symbols, and the modifier bit each modifier key
// sets.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <utility>
#include <vector>

class X11KeyboardMap {
public:
    // Reads both tables again (after a mapping change); empty when the server does not answer.
    void load(xcb_connection_t* connection);

    // The key's unshifted symbol, which names the physical key; 0 for an unknown key.
    uint32_t keySymOf(uint8_t keyCode) const;
    // Every key code whose unshifted symbol is the virtual key (VirtualKeyCode.h).
    std::vector<uint8_t> keyCodesFor(uint16_t virtualKey) const;
    // The modifier mask bit (XCB_MOD_MASK_*) a key with this symbol sets; 0 when none does.
    uint16_t modifierMaskOf(uint32_t keySym) const;

private:
    uint8_t m_minKeyCode = 0;
    int m_symsPerKeyCode = 0;
    std::vector<uint32_t> m_keySyms;
    // (key code, mask bit) of every key the modifier table lists.
    std::vector<std::pair<uint8_t, uint16_t>> m_modifierKeys;
};
