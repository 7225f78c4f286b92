// Recording from one audio input device: signed 32-bit integer samples at the asked rate and
// channel count, interleaved (L R L R ...), handed on on the serial queue
// "AudioDataOutputQueue" in capture order.
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
    using BufferHandler = std::function<void(std::span<const uint8_t> interleaved, size_t frames,
                                             double captureTime)>;
    // Sound went missing (true: a source or the sound server is gone, silence is delivered in
    // its place) or came back (false). Called on "AudioDataOutputQueue", once per change.
    using MissingHandler = std::function<void(bool missing, const QString& what)>;

    virtual ~AudioCapture() = default;
    // Starts recording the device `UID` (empty: the default input), replacing any earlier
    // recording. Sound flows from then on, without gaps: while a source or the sound server is
    // missing, as silence; capture comes back by itself when they do.
    virtual void start(const QString& UID, int sampleRate, int channels, BufferHandler handler) = 0;
    // Stops; once it returns the handler is not called again.
    virtual void stop() = 0;
    // True while every source of the device delivers sound.
    virtual bool isRunning() const = 0;
    // Who hears about missing sound; set before start.
    virtual void setMissingHandler(MissingHandler handler) = 0;
};
