#include "HotkeyDispatcher.h"

#include "HotkeyLabels.h"
#include "MainQueue.h"
#include "Preferences.h"

HotkeyDispatcher::HotkeyDispatcher(HotkeyGroup& flags, Preferences& store, InputMonitor& monitor,
                                   HotkeyGrabber* grabber, Commands commands)
    : flags_(flags), store_(store), monitor_(monitor), grabber_(grabber),
      commands_(std::move(commands)),
      monitorId_(monitor.addMonitor(kInputEventMaskKeyDown,
                                    [this](const InputEvent& event) { keyDown(event); })) {
    connect(&flags_, &SettingsGroup::changed, this, &HotkeyDispatcher::followFlags);
    followFlags();
}

HotkeyDispatcher::~HotkeyDispatcher() {
    monitor_.removeMonitor(monitorId_);
    if (grabber_)
        grabber_->grab({});
}

std::vector<HotkeyCombination> HotkeyDispatcher::storedCombinations() const {
    std::vector<HotkeyCombination> combinations;
    for (const HotkeyPreference& hotkey : kHotkeyPreferences) {
        combinations.push_back({uint16_t(store_.integer(hotkey.codeKey)),
                                modifierFlagOfLabel(store_.string(hotkey.labelKey))});
    }
    return combinations;
}

void HotkeyDispatcher::followFlags() {
    if (!grabber_)
        return;
    const bool acting = flags_.isCanKeyEvent && !flags_.isResetEventMonitor;
    std::vector<HotkeyCombination> combinations;
    if (acting) {
        // A label without a modifier never fires, so nothing of it is taken from others.
        for (const HotkeyCombination& combination : storedCombinations()) {
            if (combination.modifierFlags)
                combinations.push_back(combination);
        }
    }
    grabber_->grab(combinations);
}

std::vector<bool> HotkeyDispatcher::takenHotkeys() {
    const std::vector<HotkeyCombination> combinations = storedCombinations();
    std::vector<bool> taken(combinations.size(), false);
    if (!grabber_)
        return taken;
    taken = grabber_->grab(combinations);
    followFlags();
    return taken;
}

void HotkeyDispatcher::keyDown(const InputEvent& event) {
    if (!flags_.isCanKeyEvent || flags_.isResetEventMonitor ||
        event.type != InputEvent::Type::KeyDown)
        return;
    const std::vector<HotkeyCombination> combinations = storedCombinations();
    for (size_t i = 0; i < combinations.size(); ++i) {
        const HotkeyCombination& combination = combinations[i];
        if (combination.keyCode != event.keyCode || !combination.modifierFlags ||
            combination.modifierFlags != event.modifierFlags)
            continue;
        // Dropped when this object is gone before the queue runs them.
        const auto queue = [this](const std::function<void()>& command) {
            if (command)
                MainQueue::async(command, QPointer<const QObject>(this));
        };
        switch (kHotkeyPreferences[i].command) {
        case HotkeyCommand::StartOrStop:
            if (commands_.startOrStop)
                commands_.startOrStop();
            break;
        case HotkeyCommand::ShowDrawTool:
            queue(commands_.showDrawTool);
            break;
        case HotkeyCommand::Camera:
            queue(commands_.camera);
            break;
        case HotkeyCommand::PauseOrResume:
            queue([this] {
                if (commands_.pauseOrResume && commands_.isRecording && commands_.isRecording())
                    commands_.pauseOrResume();
            });
            break;
        case HotkeyCommand::Screenshot:
            queue(commands_.screenshot);
            break;
        }
        return;
    }
}
