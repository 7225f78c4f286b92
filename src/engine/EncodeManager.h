// The recording's link to the encoder library: settings in the library's call order, pushes
// while a recording runs, and the encoder's failures written to the system log. Video and
// sound are pushed on their delivery queues; one guard lets pushes of both run side by side
// and keeps every one of them out of the handle's changes and the stop.
#pragma once

#include <QSizeF>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <shared_mutex>
#include <span>

#include "MediaEncoder.h"

class EncodeManager {
public:
    // The audio bit rate every recording with sound uses, in kbit/s.
    static constexpr int32_t kAudioBitrate = 128;

    EncodeManager();
    EncodeManager(const EncodeManager&) = delete;
    EncodeManager& operator=(const EncodeManager&) = delete;
    ~EncodeManager();

    // A fresh encoder for the next recording; the previous handle is released.
    void initHandle();
    void setOutputPath(const QString& path);
    void setImageSize(double width, double height);
    void setUpVideoSettings();
    void setUpAudioSettings();
    void setSplit();
    void startEncoderEncode();
    // pts in milliseconds of the pause-free recording clock. True when the encoder took the
    // picture, which it can then repeat.
    bool encoderPushVideo(const MediaVideoFrame* frame, double pts);
    // The picture of the previous push again, for a screen that did not change; false when the
    // encoder has none to repeat (the previous one was dropped) or did not take this one.
    bool encoderPushVideoRepeat(double pts);
    // One captured buffer of interleaved 32-bit frames.
    void encoderPushAudio(std::span<const uint8_t> buffer);
    double filesize() const;
    int64_t countRecordedDuration() const;
    // Frames the encoder library dropped or never got in time, this recording (kept after the
    // stop until the next recording starts).
    int64_t droppedFrames() const;
    // Blocks until the file is complete.
    void stopEncoderEncode();

    bool isWorking() const { return isWorking_.load(); }
    int64_t nTotalAudiosize() const { return nTotalAudiosize_.load(); }
    MediaEncoder* handle() const { return handle_; }
    QString outputPath() const { return outputPath_; }
    QSizeF imageSize() const { return imageSize_; }

    // Plain settings, written before a recording starts; the sound settings are read on the
    // audio queue, so their writer and that reader share a lock.
    int32_t splitTime = 0;
    int32_t splitSize = 0;
    // 0 no cutting, 1 by time, 2 by size for the recordings of this run; none: the stored
    // "SplitType" decides at every start.
    std::optional<int> splitType;
    float fps = 0;
    int32_t audioBitrate = 0;
    int32_t audioChannels = 0;
    int32_t audioSamples = 0;
    int64_t videoBitrate = 0;

    // Whether the recording is audio only; the session controller answers.
    std::function<bool()> isAudioOnlyMode = [] { return false; };
    // Called once per recording, on the pushing thread, when the encoder stopped writing for
    // good (full disk, removed drive, failed encoder): the recording has to end.
    std::function<void()> writeFailed;

    // Milliseconds of media in a finished file, read back from the file itself; negative when
    // it cannot be read or holds nothing.
    static int64_t mediaDuration(const QString& path);
    // Finishes a file whose recorder died, where its container needs it.
    static void finishInterruptedFile(const QString& path);

private:
    void closeHandle();
    void pushFailed(int code, const char* what);

    // Pushes hold it shared; the stop and the handle's changes hold it alone.
    mutable std::shared_mutex pushGuard_;
    std::atomic<bool> isWorking_{false};
    std::atomic<int64_t> droppedAtStop_{0};
    std::atomic<int64_t> nTotalAudiosize_{0};
    std::atomic<int> loggedPushFailure_{MEDIA_ENCODER_OK};
    std::atomic<bool> writeFailedReported_{false};
    MediaEncoder* handle_ = nullptr;
    bool started_ = false;
    QString outputPath_;
    QSizeF imageSize_;
};
