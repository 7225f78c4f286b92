#include "HotkeyLabels.h"

#include "InputMonitor.h"
#include "PreferenceKeys.h"
#include "VirtualKeyCode.h"

namespace {

struct Prefix {
    uint16_t keyCode;
    const char* text;
    uint32_t flag;
};

constexpr Prefix kPrefixes[] = {
    {kVK_Command, "⌘ ", kModifierCommand},
    {kVK_Option, "Alt ", kModifierOption},
    {kVK_Control, "^ ", kModifierControl},
    {kVK_Function, "fn ", kModifierFunction},
};

} // namespace

const std::array<HotkeyPreference, 5> kHotkeyPreferences = {{
    {HotkeyCommand::StartOrStop, PrefKey::EventStartOrStop, PrefKey::EventStartOrStopChar},
    {HotkeyCommand::ShowDrawTool, PrefKey::EventShowDrawTool, PrefKey::EventShowDrawToolChar},
    {HotkeyCommand::Camera, PrefKey::EventOnOrOffCaptrue, PrefKey::EventOnOrOffCaptrueChar},
    {HotkeyCommand::PauseOrResume, PrefKey::EventResumeOrPause, PrefKey::EventResumeOrPauseChar},
    {HotkeyCommand::Screenshot, PrefKey::EventScreenshot, PrefKey::EventScreenshotChar},
}};

uint32_t modifierFlagOfLabel(const QString& label) {
    for (const Prefix& prefix : kPrefixes) {
        if (label.startsWith(QString::fromUtf8(prefix.text)))
            return prefix.flag;
    }
    return 0;
}

QString labelPrefixOfModifierKey(uint16_t keyCode) {
    for (const Prefix& prefix : kPrefixes) {
        if (prefix.keyCode == keyCode)
            return QString::fromUtf8(prefix.text);
    }
    return {};
}
