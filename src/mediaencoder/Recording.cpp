#include "Recording.h"

#include <algorithm>
#include <cmath>

#include "MediaEncoder.h"

namespace mediaencoder {

Recording::Recording(const EncoderSettings& settings) : s_(settings) {
    limitSlots_ = s_.limitSeconds > 0 ? std::llround(s_.limitSeconds * s_.fps) : 0;
    limitSamples_ = s_.limitSeconds > 0 ? int64_t(s_.limitSeconds) * s_.encodedRate() : 0;
}

int Recording::openPiece() {
    ++piece_;
    file_ = std::make_unique<OutputFile>();
    return file_->open(s_, piecePath(s_.outputPath, piece_));
}

int Recording::start() {
    if (int rc = openPiece(); rc != MEDIA_ENCODER_OK)
        return rc;
    if (s_.hasAudio && !audio_.open(s_.srcChannels, s_.srcRate, file_->audioFormat(),
                                    s_.encodedChannels(), s_.encodedRate()))
        return MEDIA_ENCODER_ECODEC;
    updateStats();
    return MEDIA_ENCODER_OK;
}

void Recording::updateStats() {
    bytes_ = closedBytes_ + (file_ ? file_->bytes() : 0);
}

bool Recording::sizeReached() const {
    return s_.limitMegabytes > 0 && file_->expectedBytes() >= int64_t(s_.limitMegabytes) * 1000000;
}

int Recording::cut(int64_t slot) {
    int rc = file_->finish();
    closedBytes_ += file_->bytes();
    if (rc != MEDIA_ENCODER_OK)
        return rc;
    if ((rc = openPiece()) != MEDIA_ENCODER_OK)
        return rc;
    if (s_.hasVideo) {
        pieceSlot_ = slot;
        // Samples already sent past the cut time start the new piece that much later.
        int64_t cutSample = std::llround(slot * s_.encodedRate() / s_.fps);
        pieceAudioBase_ = std::min(audioSent_, cutSample);
    } else {
        pieceAudioBase_ = audioSent_;
    }
    updateStats();
    return MEDIA_ENCODER_OK;
}

int Recording::video(AVFrame* picture, int64_t slot) {
    if ((limitSlots_ > 0 && slot - pieceSlot_ >= limitSlots_) || sizeReached()) {
        if (int rc = cut(slot); rc != MEDIA_ENCODER_OK)
            return rc;
    }
    int rc = file_->writeVideo(picture, slot - pieceSlot_);
    encodedMs_ = std::llround(slot * 1000.0 / s_.fps);
    updateStats();
    return rc;
}

bool Recording::audioPieceFull() const {
    if (s_.hasVideo)
        return false; // video decides where pieces end
    return (limitSamples_ > 0 && audioSent_ - pieceAudioBase_ >= limitSamples_) || sizeReached();
}

int Recording::writeAudioFrame(int samples) {
    AVFrame* frame = file_->audioFrame();
    if (!frame || !audio_.read(frame, samples))
        return MEDIA_ENCODER_ENOMEM;
    int rc = file_->writeAudio(audioSent_ - pieceAudioBase_);
    audioSent_ += samples;
    if (!s_.hasVideo)
        encodedMs_ = audioSent_ * 1000 / s_.encodedRate();
    updateStats();
    return rc;
}

int Recording::writeAudio(bool endOfInput) {
    const int frameSize = file_->audioFrameSize();
    while (audio_.available() >= frameSize || (endOfInput && audio_.available() > 0)) {
        if (audioPieceFull()) {
            if (int rc = cut(0); rc != MEDIA_ENCODER_OK)
                return rc;
        }
        int n = std::min(frameSize, audio_.available());
        // An audio-only piece cut by time ends on its exact sample count.
        if (!s_.hasVideo && limitSamples_ > 0)
            n = int(std::min<int64_t>(n, limitSamples_ - (audioSent_ - pieceAudioBase_)));
        if (int rc = writeAudioFrame(n); rc != MEDIA_ENCODER_OK)
            return rc;
    }
    return MEDIA_ENCODER_OK;
}

int Recording::audio(const int32_t* samples, int frames) {
    if (!audio_.push(samples, frames))
        return MEDIA_ENCODER_ENOMEM;
    return writeAudio(false);
}

int Recording::silence(int64_t frames) {
    while (frames > 0) {
        int n = int(std::min<int64_t>(frames, 1 << 16));
        if (!audio_.pushSilence(n))
            return MEDIA_ENCODER_ENOMEM;
        if (int rc = writeAudio(false); rc != MEDIA_ENCODER_OK)
            return rc;
        frames -= n;
    }
    return MEDIA_ENCODER_OK;
}

int Recording::finish() {
    int rc = MEDIA_ENCODER_OK;
    if (s_.hasAudio) {
        if (!audio_.drain())
            rc = MEDIA_ENCODER_ENOMEM;
        else
            rc = writeAudio(true);
    }
    int closed = file_->finish();
    closedBytes_ += file_->bytes();
    file_.reset();
    updateStats();
    return rc != MEDIA_ENCODER_OK ? rc : closed;
}

} // namespace mediaencoder
