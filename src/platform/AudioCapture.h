// Recording from one audio input device: signed 32-bit integer samples at the asked rate and
// channel count, handed on in planar layout (all of channel one, then channel two, ...) on
// the serial queue "AudioDataOutputQueue", in capture order.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

class AudioCapture {
public:
    // `frames` samples per channel; the bytes are frames × channels × 4. `captureTime` is when
    // the first sample was captured, in wall-clock seconds since the epoch (the recording
    // clock's own), so consumers can place the sound next to the picture.
    using BufferHandler =
        std::function<void(std::span<const uint8_t> planar, size_t frames, double captureTime)>;

    virtual ~AudioCapture() = default;
    // Starts recording the device `UID` (empty: the system default input), replacing any
    // earlier recording. If the audio server is not there, or goes away later, capture comes
    // back by itself when the server does; meanwhile no buffers arrive.
    virtual void start(const QString& UID, int sampleRate, int channels, BufferHandler handler) = 0;
    // Stops; once it returns the handler is not called again.
    virtual void stop() = 0;
    // True while buffers are flowing.
    virtual bool isRunning() const = 0;
};
