#include "SRRecordManager.h"

#include <QImage>

#include <cmath>
#include <numeric>

#include "CursorOverlay.h"
#include "KTLog.h"
#include "MainQueue.h"
#include "Platform.h"
#include "RecordingClock.h"
#include "ScreenCaptureSession.h"
#include "SerialQueue.h"
#include "WindowList.h"

SRRecordManager::SRRecordManager(Platform& platform, SRRecordManagerHost& host)
    : now(getNowTimeTimestamp), platform_(platform), host_(host) {}

SRRecordManager::~SRRecordManager() {
    captrueScreenInputEnable(false);
    // Frames still queued refer to this object; let them run before it goes.
    screenOutputQueue_.reset();
}

EncodeManager& SRRecordManager::encodeManager() {
    if (!encodeManager_) {
        encodeManager_ = std::make_unique<EncodeManager>();
        encodeManager_->isAudioOnlyMode = [this] { return recordVideoType == AudioOnly; };
    }
    return *encodeManager_;
}

void SRRecordManager::setScreen(const std::optional<DisplayInfo>& s) {
    if (!s)
        KTLOG("no screen");
    screen = s;
}

void SRRecordManager::captrueScreenInputEnable(bool enable) {
    if (!enable) {
        if (captureScreenSession_) {
            captureScreenSession_->removeInput();
            captureScreenSession_->removeOutput();
            captureScreenSession_->stopRunning();
        }
        return;
    }
    clickEffect.cursorEffectWidth = 0;
    clickEffect.isCursorClick = false;
    if (captureScreenSession_) {
        // The old chain stops delivering before it is replaced.
        captureScreenSession_->removeOutput();
        captureScreenSession_->stopRunning();
    }
    captureScreenSession_ = platform_.createScreenCaptureSession();
    if (!captureScreenSession_)
        return;
    {
        std::lock_guard lock(clockMutex_);
        startDate_ = 0;
    }
    for (const DisplayInfo& d : platform_.displays().screens())
        KTLOG("NSScreenNumber %u", d.number);
    KTLOG("screen NSScreenNumber %u", screen ? screen->number : 0u);

    // The integer part of the frame rate; below one frame a second still means one.
    const int fps = std::max(1, int(host_.fps()));
    const bool added = screen && captureScreenSession_->addInput(screen->number, 1.0 / fps);
    if (!added)
        KTLOG("screen input not added");
    if (!captureRect.isNull()) {
        captureRect.setWidth(captureRect.width() - 2);
        captureRect.setHeight(captureRect.height() - 2);
        captureScreenSession_->setCropRect(captureRect);
    }
    if (!screenOutputQueue_)
        screenOutputQueue_ = std::make_shared<SerialQueue>("ScreenOutputQueue");
    captureScreenSession_->addOutput(screenOutputQueue_,
                                     [this](QImage frame) { captureOutput(std::move(frame)); });
    ScreenCaptureSession* session = captureScreenSession_.get();
    connect(session, &ScreenCaptureSession::didStopRunning, this,
            [this, session] { captureSessionStoppedRunningNotification(session); });
    connect(session, &ScreenCaptureSession::runtimeError, this,
            &SRRecordManager::captureSessionRuntimeErrorNotification);
    session->startRunning();
}

void SRRecordManager::startRecording() {
    isWorking_ = true;
    {
        std::lock_guard lock(clockMutex_);
        startDate_ = 0;
    }
    host_.setRecording(true);
    EncodeManager& encoder = encodeManager();
    encoder.initHandle();

    const unsigned mode = recordVideoType;
    if (mode != Camera) {
        if (host_.checkCaptureAudio())
            captrueScreenInputEnable(mode != AudioOnly);
        // The camera picture-in-picture window comes with the camera source.
    } else {
        captrueScreenInputEnable(false);
    }
    encoder.setOutputPath(host_.outputPath());

    onScreenWindows.clear();
    for (const WindowInfo& w : platform_.windowList().onScreenWindows())
        onScreenWindows.push_back(w.number);
    desktopElements = onScreenWindows;

    if (mode != Camera) {
        if (captureRect.isNull()) {
            const QSizeF size = screen ? screen->frame.size() : QSizeF(0, 0);
            encoder.setImageSize(size.width(), size.height());
        } else {
            if (mode == AppWindow) {
                const uint32_t selected = host_.selectedWindowNumber();
                const bool keepAll = host_.selectedWindowName().contains("Desktop");
                for (auto i = desktopElements.size(); i-- > 0;) {
                    std::optional<WindowInfo> w =
                        platform_.windowList().windowInfo(desktopElements[i]);
                    if (!w)
                        continue;
                    if (w->number != selected) {
                        KTLOG("%s %s %u (%g, %g, %g, %g)", qPrintable(w->ownerName),
                              qPrintable(w->name), w->number, w->bounds.x(), w->bounds.y(),
                              w->bounds.width(), w->bounds.height());
                        if (!keepAll)
                            desktopElements.erase(desktopElements.begin() + long(i));
                    } else {
                        captureRect = evenBounds(w->bounds);
                    }
                }
            }
            encoder.setImageSize(captureRect.width(), captureRect.height());
            if (captureScreenSession_)
                captureScreenSession_->setCropRect(captureRect);
        }
    }

    {
        std::lock_guard lock(clockMutex_);
        startDate_ = 0;
        fileTimes_.clear();
    }
    {
        std::lock_guard lock(audioMutex_);
        audioTimeline_.reset();
    }
    status_ = Recording;
    if (recordAudioType != 3)
        encoder.setUpAudioSettings();
    if (mode != AudioOnly)
        encoder.setUpVideoSettings();
    encoder.setOutputPath(host_.outputPath());
    encoder.startEncoderEncode();
    host_.refreshStateMenuItem();
}

void SRRecordManager::pauseRecording() {
    isWorking_ = false;
    {
        std::lock_guard lock(clockMutex_);
        // Before the first frame nothing has been recorded yet; now - 0 would be decades.
        fileTimes_.push_back(startDate_ == 0 ? 0.0 : now() - startDate_);
    }
    status_ = Paused;
}

void SRRecordManager::resumeRecording() {
    {
        std::lock_guard lock(clockMutex_);
        startDate_ = now();
    }
    isWorking_ = true;
    status_ = Resumed;
}

void SRRecordManager::stopRecording() {
    isWorking_ = false;
    host_.setTimeSetsBtnEnabled(true);
    host_.setRecording(false);
    {
        std::lock_guard lock(rectMutex_);
        desktopElements.clear();
        onScreenWindows.clear();
    }
    {
        // End the sound with the picture: what was still on its way is silence.
        std::lock_guard lock(audioMutex_);
        const int rate = encodeManager().audioSamples;
        const double end = status_ == Paused ? pausedRecordedTime() : recordedTimeAt(now());
        if (recordAudioType != 3 && rate > 0)
            pushAudio({}, 0, {audioTimeline_.silenceUntil(end, rate), 0});
        status_ = Idle; // under the lock: no buffer is pushed after the silence
    }
    encodeManager().stopEncoderEncode();
    host_.removeRecordScreenView();
    host_.refreshStateMenuItem();
}

void SRRecordManager::stopCapture() {
    isWorking_ = false;
}

double SRRecordManager::recordedTime() {
    return recordedTimeAt(now());
}

double SRRecordManager::recordedTimeAt(double t) {
    std::lock_guard lock(clockMutex_);
    if (startDate_ == 0) {
        fileTimes_.clear();
        startDate_ = now();
    }
    return (t - startDate_) + std::accumulate(fileTimes_.begin(), fileTimes_.end(), 0.0);
}

double SRRecordManager::pausedRecordedTime() const {
    std::lock_guard lock(clockMutex_);
    return std::accumulate(fileTimes_.begin(), fileTimes_.end(), 0.0);
}

std::vector<double> SRRecordManager::fileTimes() const {
    std::lock_guard lock(clockMutex_);
    return fileTimes_;
}

void SRRecordManager::captureSessionStoppedRunningNotification(ScreenCaptureSession* session) {
    if (session != captureScreenSession_.get())
        return;
    session->removeInput();
    session->removeOutput();
    // Deleted later: this runs inside the session's own signal.
    captureScreenSession_.release()->deleteLater();
}

void SRRecordManager::captureSessionRuntimeErrorNotification(const QString& error) {
    KTLOG("error:%s", qPrintable(error));
    KTLog::showMessage(QString("error:%1").arg(error));
    if (sessionErrorRecovery)
        sessionErrorRecovery(error);
}
