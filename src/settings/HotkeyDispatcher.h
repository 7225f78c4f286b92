// Runs the recording commands for hotkey presses anywhere on the desktop. A press counts only
// with exactly the modifier its label shows, and while hotkeys may act the combinations are
// grabbed, so the window in front does not get them too.
#pragma once

#include "AppSettingsGroups.h"
#include "HotkeyGrabber.h"
#include "InputMonitor.h"

#include <QObject>

#include <functional>
#include <vector>

class Preferences;

class HotkeyDispatcher : public QObject {
    Q_OBJECT
public:
    // Start or stop runs inside the key handler; the others are queued to the main thread.
    // An empty command does nothing.
    struct Commands {
        std::function<void()> startOrStop;
        std::function<void()> showDrawTool;
        std::function<void()> camera;
        std::function<void()> pauseOrResume;
        std::function<void()> screenshot;
        // Pause or resume acts only while this holds.
        std::function<bool()> isRecording;
    };

    // The store is read at every press, so newly recorded keys act at once. grabber may be
    // null (no grabs: the presses also reach the window in front).
    HotkeyDispatcher(HotkeyGroup& flags, Preferences& store, InputMonitor& monitor,
                     HotkeyGrabber* grabber, Commands commands);
    ~HotkeyDispatcher() override;

    // Per hotkey (kHotkeyPreferences order): whether another program holds its combination.
    std::vector<bool> takenHotkeys();

private:
    void keyDown(const InputEvent& event);
    std::vector<HotkeyCombination> storedCombinations() const;
    // Grabs while hotkeys may act, lets go otherwise.
    void followFlags();

    HotkeyGroup& flags_;
    Preferences& store_;
    InputMonitor& monitor_;
    HotkeyGrabber* grabber_;
    Commands commands_;
    InputMonitor::MonitorId monitorId_;
};
