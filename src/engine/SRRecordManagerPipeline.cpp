// What happens to each delivered frame and buffer: which branch it takes, its pause-free
// time, and its hand-over to the encoder.
#include <QImage>

#include "CursorOverlay.h"
#include "MainQueue.h"
#include "Platform.h"
#include "SRRecordManager.h"
#include "WindowList.h"

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

std::optional<double> SRRecordManager::framePts() {
    if (!encodeManager_.isWorking())
        return std::nullopt;
    // The status test and the clock reading are one step: a pause cannot fall between them.
    const std::optional<double> t = clock_.recordedTime();
    return t ? std::optional(*t * 1000.0) : std::nullopt;
}

QImage SRRecordManager::getCapturedImage() {
    const uint32_t selected = host_.selectedWindowNumber();
    QRectF rect;
    // Copied under the lock: the stop clears the list on the main thread while frames arrive.
    std::optional<std::vector<uint32_t>> windows;
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
        if (!exceptWinodwArray.empty())
            windows = desktopElements;
    }
    if (rect.width() < 2 || rect.height() < 2)
        return {};
    if (windows)
        return platform_.windowList().imageOfWindows(rect, *windows);
    return platform_.windowList().imageOfScreen(rect);
}

bool SRRecordManager::canRepeatFrame() const {
    // Window mode builds its pictures from the window list, not from the screen's.
    if (recordVideoType == AppWindow || !encoderHasPicture_)
        return false;
    return !overlay_ || overlay_->drawsAsBefore();
}

void SRRecordManager::captureOutput(QImage frame) {
    const unsigned mode = recordVideoType;
    if (mode == AudioOnly || mode == Camera)
        return;
    const std::optional<double> ptsMs = framePts();
    const bool sent = std::exchange(lastFrameSent_, bool(ptsMs));
    if (!ptsMs) {
        // Not in the file: the screen may change before the next frame that is.
        encoderHasPicture_ = false;
        return;
    }
    if (frame.isNull()) {
        // Only a frame that went to the encoder can be shown again.
        if (sent)
            pushQueue_.async([this, pts = *ptsMs] { pushRepeat(pts); });
        else
            encoderHasPicture_ = false;
        lastFrameSent_ = sent;
        return;
    }
    if (mode == AppWindow) {
        frame = getCapturedImage();
        if (frame.isNull())
            return;
    }
    // Opaque screens come as RGB32, whose undefined fourth byte the encoder ignores.
    if (frame.format() != QImage::Format_ARGB32_Premultiplied &&
        frame.format() != QImage::Format_RGB32)
        frame = std::move(frame).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    appendMouseCursor(frame);
    // Not through the main thread, so a busy window costs no frame; on a queue of its own, so
    // the conversion inside the push never delays the next frame's time. In arrival order; the
    // encoder adapter keeps the push out of a stop.
    pushQueue_.async([this, frame = std::move(frame), pts = *ptsMs] { pushFrame(frame, pts); });
}

void SRRecordManager::captureAudioOutput(std::span<const uint8_t> buffer, size_t frames,
                                         double captureTime) {
    if (audioVolum)
        audioVolum(buffer);
    if (recordAudioType == 3 || frames == 0)
        return;
    if (audioTrack_.push(buffer, frames, captureTime))
        noteProgress();
}

void SRRecordManager::captureCameraOutput(const QImage& delivered) {
    if (delivered.isNull())
        return;
    QImage mirrored =
        delivered.convertToFormat(QImage::Format_ARGB32_Premultiplied).mirrored(true, false);
    const bool cameraMode = recordVideoType == Camera;
    if (const std::optional<double> ptsMs = cameraMode ? framePts() : std::nullopt)
        pushFrame(mirrored, *ptsMs);
    MainQueue::async(
        [this, mirrored = std::move(mirrored), cameraMode] {
            if (cameraMode && status() == Idle) {
                // Ready for the camera's size and the chosen quality before the recording
                // starts.
                const RecordingSettings settings = host_.recordingSettings();
                encodeManager_.videoBitrate = settings.videoBitrate;
                encodeManager_.fps = settings.fps;
                encodeManager_.setImageSize(mirrored.width(), mirrored.height());
            }
            if (showCameraPicture)
                showCameraPicture(mirrored, cameraMode);
        },
        self_);
}

void SRRecordManager::pushFrame(const QImage& frame, double ptsMs) {
    MediaVideoFrame record{MEDIA_ENCODER_PIXEL_BGRA,
                           frame.width(),
                           frame.height(),
                           int32_t(frame.bytesPerLine()),
                           const_cast<uint8_t*>(frame.constBits()),
                           int32_t(frame.sizeInBytes()),
                           0};
    encoderHasPicture_ = encodeManager_.encoderPushVideo(&record, ptsMs);
    noteProgress();
}

void SRRecordManager::pushRepeat(double ptsMs) {
    encoderHasPicture_ = encodeManager_.encoderPushVideoRepeat(ptsMs);
    noteProgress();
}

void SRRecordManager::noteProgress() {
    // The main thread hears of each new whole second the encoder reached, not of every push.
    const int64_t second = encodeManager_.countRecordedDuration() / 1000;
    if (reportedSecond_.exchange(second) != second)
        MainQueue::async([this] { reportDuration(); }, self_);
}

void SRRecordManager::reportDuration() {
    if (delegate)
        delegate->recordScreenTimeDuration(int32_t(encodeManager_.countRecordedDuration() / 1000));
}
