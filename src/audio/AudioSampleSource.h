// Audio capture as the recording session controller runs it: opened on the device the routing
// selected, with a 0.5 s device watcher on the main thread while it runs.
#pragma once

#include "AudioCapture.h"
#include "AudioRouting.h"

#include <QTimer>

#include <functional>
#include <memory>

class AudioSampleSource {
public:
    struct Hooks {
        // Every 0.5 s while capture is enabled: the device-change recovery.
        std::function<void()> checkAudioDevice;
        // Every buffer, on "AudioDataOutputQueue", in capture order.
        AudioCapture::BufferHandler buffer;
        // The encoder's sample rate and channel count (0 means the default).
        std::function<int()> audioSamples;
        std::function<int()> audioChannels;
    };

    AudioSampleSource(AudioCapture& capture, AudioRouting& routing, Hooks hooks);

    // Starts (true) or stops (false) capture; starting again rebuilds stream and watcher.
    void captrueAudioInputEnable(bool enable);
    // Starts capture unless the source type is "no audio", which stops it.
    void startCapture();
    bool watching() const { return checkAudioDeviceTimer_ != nullptr; }

    // The capture device for the routing's selected input: the input device of that name,
    // else (empty) the default input.
    QString captureDeviceUID(const std::optional<EZAudioDevice>& selected);

private:
    AudioCapture& capture_;
    AudioRouting& routing_;
    Hooks hooks_;
    std::unique_ptr<QTimer> checkAudioDeviceTimer_;
};
