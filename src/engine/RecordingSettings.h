// What one recording is made with: the application builds it from the user's choices and hands
// it to the session controller, which alone passes it on to the encoder. The recording mode is
// not in it: it is the session controller's own field, chosen while idle.
#pragma once

#include <QRectF>

#include <cstdint>
#include <optional>

#include "Displays.h"
#include "EncodeManager.h"

struct AudioFormat {
    int32_t bitrate = 0; // kbit/s
    int32_t channels = 0;
    int32_t samples = 0; // per second and channel

    // What every recording with sound uses: stereo at 44.1 kHz, 128 kbit/s.
    static AudioFormat standard() { return {EncodeManager::kAudioBitrate, 2, 44100}; }
    bool operator==(const AudioFormat&) const = default;
};

struct RecordingSettings {
    float fps = 30;
    // kbit/s, from the quality choice.
    int64_t videoBitrate = 3000;
    // The display recorded and the part of it, in the display's own points with the origin at
    // its lower-left corner, y up; the null rectangle is the whole display. The encoder's
    // image size follows from them.
    std::optional<DisplayInfo> screen;
    QRectF captureRect;
    AudioFormat audio;

    // The quality choice: 0 original, 1 HD, any other SD.
    static int64_t videoBitrateForQuality(int index) {
        return index == 0 ? 8000 : index == 1 ? 5000 : 3000;
    }
};
