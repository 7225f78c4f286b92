#include "X11KeyboardMap.h"

#include "VirtualKeyCode.h"
#include "X11Connection.h"

void X11KeyboardMap::load(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    m_minKeyCode = setup->min_keycode;
    const uint8_t count = setup->max_keycode - setup->min_keycode + 1;
    auto keyboard = xcbReply(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr));
    auto modifiers =
        xcbReply(xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    m_symsPerKeyCode = 0;
    m_keySyms.clear();
    m_modifierKeys.clear();
    if (keyboard) {
        m_symsPerKeyCode = keyboard->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
        m_keySyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(keyboard.get()));
    }
    if (modifiers) {
        // Eight rows (Shift, Lock, Control, Mod1..Mod5) of keycodes_per_modifier codes each.
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(modifiers.get());
        const int perRow = modifiers->keycodes_per_modifier;
        for (int row = 0; row < 8; ++row) {
            for (int i = 0; i < perRow; ++i) {
                if (const xcb_keycode_t code = codes[row * perRow + i])
                    m_modifierKeys.emplace_back(code, uint16_t(1u << row));
            }
        }
    }
}

uint32_t X11KeyboardMap::keySymOf(uint8_t keyCode) const {
    const size_t index = size_t(keyCode - m_minKeyCode) * m_symsPerKeyCode;
    if (keyCode < m_minKeyCode || m_symsPerKeyCode == 0 || index >= m_keySyms.size())
        return 0;
    return m_keySyms[index];
}

std::vector<uint8_t> X11KeyboardMap::keyCodesFor(uint16_t virtualKey) const {
    std::vector<uint8_t> codes;
    if (m_symsPerKeyCode == 0)
        return codes;
    const size_t keys = m_keySyms.size() / size_t(m_symsPerKeyCode);
    for (size_t i = 0; i < keys; ++i) {
        const auto code = uint8_t(m_minKeyCode + i);
        if (virtualKeyCodeForKeySym(keySymOf(code)) == virtualKey)
            codes.push_back(code);
    }
    return codes;
}

uint16_t X11KeyboardMap::modifierMaskOf(uint32_t keySym) const {
    for (const auto& [code, mask] : m_modifierKeys) {
        if (keySymOf(code) == keySym)
            return mask;
    }
    return 0;
}
