#include "HotkeyRecorder.h"

#include "HotkeyLabels.h"
#include "KTLog.h"

void HotkeyRecorder::flagsChanged(uint16_t keyCode) {
    firstKey = labelPrefixOfModifierKey(keyCode);
    KTLOG("flags changed: key %u", keyCode);
}

std::optional<HotkeyRecorder::Recorded> HotkeyRecorder::keyDown(uint16_t keyCode,
                                                                const QString& characters) {
    lastKey = characters.toUpper();
    const QString label = firstKey + lastKey;
    KTLOG("%s:%d", qUtf8Printable(lastKey), int(keyCode));
    if (firstKey.isEmpty())
        return std::nullopt;
    return Recorded{keyCode, label};
}

void HotkeyRecorder::keyUp() {
    firstKey.clear();
    lastKey.clear();
}
