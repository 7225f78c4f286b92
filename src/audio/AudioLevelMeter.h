// The level of every captured buffer and where it is shown: the scrolling wave and the main
// level bar in the audio-only mode, the main bar in the screen modes, and in the camera mode
// one bar per source, lit by the chosen source type.
#pragma once

#include <QSizeF>

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>

class NSVertProgressView;
class SKVoiceWaveView;

class AudioLevelMeter {
public:
    struct Views {
        SKVoiceWaveView* waveView = nullptr;
        NSVertProgressView* progressView = nullptr;
        NSVertProgressView* systemBar = nullptr;
        NSVertProgressView* micBar = nullptr;
    };
    struct Hooks {
        // Recording mode (3 camera, 4 audio only), source type (0..3) and recording status.
        std::function<unsigned()> recordVideoType;
        std::function<unsigned()> recordAudioType;
        std::function<unsigned()> status;
    };

    // The views must outlive the capture that calls audioVolum.
    AudioLevelMeter(Views views, Hooks hooks);

    // On "AudioDataOutputQueue": one buffer of 32-bit samples.
    void audioVolum(std::span<const uint8_t> buffer);
    // The last level as a fraction of full scale.
    float volum() const { return volum_.load(); }

    // The wave view's size before it is first shown: the scale of every level.
    static constexpr QSizeF kWaveViewSize{300, 68};

private:
    Views views_;
    Hooks hooks_;
    std::atomic<float> volum_{0};
};
