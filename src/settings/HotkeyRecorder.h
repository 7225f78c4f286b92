// The settings window's hotkey recorder: a combination is a left-hand modifier (Command/Super,
// Option/Alt, Control, fn) and a key. A modifier's press and its release both set the prefix,
// and only a key's release clears it, so a key pressed right after a modifier was let go is
// still recorded with that modifier.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class HotkeyRecorder {
public:
    struct Recorded {
        uint16_t keyCode;
        QString label;
    };

    // A modifier key (virtual key code) went down or up.
    void flagsChanged(uint16_t keyCode);
    // A key went down typing `characters`: the key code and label to store, when a modifier
    // prefix is set.
    std::optional<Recorded> keyDown(uint16_t keyCode, const QString& characters);
    // A key went up.
    void keyUp();

    QString firstKey;
    QString lastKey;
};
