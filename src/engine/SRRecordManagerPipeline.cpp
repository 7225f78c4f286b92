// What happens to each delivered frame: which branch it takes, its pause-free time, and its
// hand-over to the encoder on the main queue.
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "CursorOverlay.h"
#include "KTLog.h"
#include "MainQueue.h"
#include "Platform.h"
#include "SRRecordManager.h"
#include "WindowList.h"

QRectF SRRecordManager::evenBounds(const QRectF& b) {
    auto even = [](double v) { return 2 * std::floor(float(v) / 2); };
    return QRectF(even(b.x()), even(b.y()), even(b.width()), even(b.height()));
}

void SRRecordManager::setCompositionSettings(const CompositionSettings& settings) {
    overlay_ = std::make_unique<CursorOverlay>(platform_.pointer(), platform_.cursor(),
                                               platform_.displays(), clickEffect, settings, [this] {
                                                   std::lock_guard lock(rectMutex_);
                                                   // Window mode keeps the window's bounds; the
                                                   // other modes a part of the screen.
                                                   return CaptureArea{
                                                       screen ? screen->frame : QRectF(),
                                                       captureRect, recordVideoType == AppWindow};
                                               });
}

void SRRecordManager::appendMouseCursor(QImage& frame) {
    if (overlay_)
        overlay_->appendMouseCursor(frame);
}

bool SRRecordManager::isRecording() const {
    const unsigned s = status_;
    return (s == Recording || s == Resumed) && encodeManager_ && encodeManager_->isWorking();
}

QImage SRRecordManager::getCapturedImage() {
    const uint32_t selected = host_.selectedWindowNumber();
    QRectF rect;
    {
        std::lock_guard lock(rectMutex_);
        for (auto i = desktopElements.size(); i-- > 0;) {
            if (desktopElements[i] != selected)
                continue;
            // The rectangle follows the window while it moves or changes size.
            if (std::optional<WindowInfo> w = platform_.windowList().windowInfo(selected))
                captureRect = evenBounds(w->bounds);
        }
        rect = captureRect;
    }
    if (rect.width() < 2 || rect.height() < 2)
        return {};
    if (!exceptWinodwArray.empty())
        return platform_.windowList().imageOfWindows(rect, desktopElements);
    return platform_.windowList().imageOfScreen(rect);
}

void SRRecordManager::captureOutput(QImage frame) {
    if (!isRecording() || recordVideoType == AudioOnly || recordVideoType == Camera ||
        frame.isNull())
        return;
    const double ptsMs = recordedTime() * 1000.0;
    if (recordVideoType == AppWindow) {
        frame = getCapturedImage();
        if (frame.isNull())
            return;
    }
    if (frame.format() != QImage::Format_ARGB32_Premultiplied)
        frame = std::move(frame).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    appendMouseCursor(frame);
    // The push runs on the main queue, in arrival order, never at the same time as a stop.
    MainQueue::async([this, frame = std::move(frame), ptsMs] { pushFrame(frame, ptsMs); }, this);
}

void SRRecordManager::captureAudioOutput(std::span<const uint8_t> buffer, size_t frames,
                                         double captureTime) {
    if (audioVolum)
        audioVolum(buffer);
    if (!isRecording() || recordAudioType == 3 || frames == 0)
        return;
    {
        // The encoder times sound by its samples; place them where they were captured.
        std::lock_guard lock(audioMutex_);
        if (!isRecording())
            return;
        const int rate = encodeManager_->audioSamples > 0 ? encodeManager_->audioSamples : 44100;
        pushAudio(buffer, frames, audioTimeline_.place(recordedTimeAt(captureTime), frames, rate));
    }
    if (delegate)
        MainQueue::async(
            [this] {
                delegate->recordScreenTimeDuration(
                    int32_t(encodeManager().countRecordedDuration() / 1000));
            },
            this);
}

void SRRecordManager::pushAudio(std::span<const uint8_t> buffer, size_t frames,
                                AudioTimeline::Placement at) {
    const size_t channels = size_t(std::max(encodeManager_->audioChannels, 1));
    // Silence goes out in one-second pieces, so a long gap never needs one huge buffer.
    const size_t piece = size_t(std::max(encodeManager_->audioSamples, 1));
    for (size_t left = at.silence; left > 0;) {
        const size_t n = std::min(left, piece);
        const std::vector<uint8_t> silence(n * channels * sizeof(int32_t), 0);
        encodeManager_->encoderPushAudio(silence);
        left -= n;
    }
    if (at.skip >= frames)
        return;
    if (at.skip == 0) {
        encodeManager_->encoderPushAudio(buffer);
        return;
    }
    // Each channel's block loses its first `skip` samples.
    const size_t kept = frames - at.skip;
    std::vector<uint8_t> tail(kept * channels * sizeof(int32_t));
    for (size_t c = 0; c < channels; ++c)
        std::copy_n(buffer.data() + (c * frames + at.skip) * sizeof(int32_t),
                    kept * sizeof(int32_t), tail.data() + c * kept * sizeof(int32_t));
    encodeManager_->encoderPushAudio(tail);
}

void SRRecordManager::captureCameraOutput(const QImage& delivered) {
    if (delivered.isNull())
        return;
    QImage mirrored =
        delivered.convertToFormat(QImage::Format_ARGB32_Premultiplied).mirrored(true, false);
    const bool cameraMode = recordVideoType == Camera;
    if (cameraMode && status_ == Idle) {
        // Ready for the camera's size and the chosen quality before the recording starts.
        EncodeManager& encoder = encodeManager();
        encoder.videoBitrate = EncodeManager::videoBitrateForQuality(host_.framItemIndex());
        encoder.setImageSize(mirrored.width(), mirrored.height());
        encoder.fps = float(host_.fps());
    }
    const bool push = cameraMode && isRecording();
    const double ptsMs = push ? recordedTime() * 1000.0 : 0;
    MainQueue::async(
        [this, mirrored = std::move(mirrored), cameraMode, push, ptsMs] {
            if (showCameraPicture)
                showCameraPicture(mirrored, cameraMode);
            if (push)
                pushFrame(mirrored, ptsMs);
        },
        this);
}

void SRRecordManager::pushFrame(const QImage& frame, double ptsMs) {
    MediaVideoFrame record{MEDIA_ENCODER_PIXEL_BGRA,
                           frame.width(),
                           frame.height(),
                           int32_t(frame.bytesPerLine()),
                           const_cast<uint8_t*>(frame.constBits()),
                           int32_t(frame.sizeInBytes()),
                           0};
    encodeManager().encoderPushVideo(&record, ptsMs);
    if (delegate)
        delegate->recordScreenTimeDuration(int32_t(encodeManager().countRecordedDuration() / 1000));
}
