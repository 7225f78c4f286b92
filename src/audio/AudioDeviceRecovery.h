// Keeping the sound right while devices come and go: the 0.5 s device watcher and a capture
// session's error both end here. The device lists last seen are kept here too, so every caller
// compares against the same snapshot. A running recording keeps the devices it started with:
// its capture rides out a source or server that goes away (silence until it is back), so the
// changes are taken up once it has stopped, unless it started with no devices at all.
#pragma once

#include "AudioRouting.h"

#include <functional>
#include <vector>

class AudioDeviceRecovery {
public:
    struct Hooks {
        // The recording status: 0 idle, 1 recording, 2 paused, 3 recording after a pause.
        std::function<unsigned()> status;
        // The source type changed to `type`: the menus show it and the session takes it.
        std::function<void(unsigned type)> sourceTypeChanged;
        // Starts audio capture again. It replaces the watcher that may be calling, so it must
        // not run inside this call: the caller defers it to the event loop.
        std::function<void()> enableCapture;
    };

    // Takes the current device lists as the last seen ones.
    AudioDeviceRecovery(AudioRouting& routing, Hooks hooks);

    // The watcher's tick: recovers when the number of input devices has changed.
    void checkAudioDevice();
    // A capture session reported an error: recovers when the number of output devices has
    // changed.
    void captureSessionError();
    // Chooses the devices again, falls back to system sound when the chosen source needs a
    // microphone and none is left, remembers the lists and restarts capture. Does nothing
    // while no sound server answers (no devices at all), nor while a recording runs that
    // started with devices.
    void recover();

    // Reads the lists afresh and keeps them as the last seen ones.
    void rememberDevices();
    const std::vector<EZAudioDevice>& inputDevices() const { return inputDevices_; }
    const std::vector<EZAudioDevice>& outputDevices() const { return outputDevices_; }

    // Some input is microphone-like by name; the loop-back device never counts.
    static bool hasMicrophone(const std::vector<EZAudioDevice>& inputs);

private:
    AudioRouting& routing_;
    Hooks hooks_;
    std::vector<EZAudioDevice> inputDevices_;
    std::vector<EZAudioDevice> outputDevices_;
};
