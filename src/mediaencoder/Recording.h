// The encoding thread's side of a recording: the current piece, when to cut to the next one,
// and the conversion of samples for the encoders.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "AudioConverter.h"
#include "EncoderSettings.h"
#include "OutputFile.h"

namespace mediaencoder {

class Recording {
public:
    explicit Recording(const EncoderSettings& settings);

    // Opens the first piece. Returns a MEDIA_ENCODER_* code.
    int start();
    // One yuv420p picture of the encoded size at frame slot `slot` of the recording's timeline.
    int video(AVFrame* picture, int64_t slot);
    // Interleaved source samples that follow the ones before.
    int audio(const int32_t* samples, int frames);
    int silence(int64_t frames);
    // Writes what is left and closes the last piece.
    int finish();

    // Readable from any thread.
    int64_t bytes() const { return bytes_.load(); }
    int64_t encodedMs() const { return encodedMs_.load(); }
    int pieces() const { return piece_; }

private:
    int openPiece();
    int cut(int64_t slot);
    int writeAudio(bool endOfInput);
    int writeAudioFrame(int samples);
    bool audioPieceFull() const;
    bool sizeReached() const;
    void updateStats();

    const EncoderSettings s_;
    std::unique_ptr<OutputFile> file_;
    AudioConverter audio_;
    int piece_ = 0;
    int64_t closedBytes_ = 0;

    // Video: the slot this piece's time starts at.
    int64_t pieceSlot_ = 0;
    int64_t limitSlots_ = 0;
    // Audio, in encoded samples: sent to encoders so far, and the count at this piece's time zero.
    int64_t audioSent_ = 0;
    int64_t pieceAudioBase_ = 0;
    int64_t limitSamples_ = 0;

    std::atomic<int64_t> bytes_{0};
    std::atomic<int64_t> encodedMs_{0};
};

} // namespace mediaencoder
