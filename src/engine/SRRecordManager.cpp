#include "SRRecordManager.h"

#include <QImage>

#include <cmath>

#include "CoordinateSpace.h"
#include "CursorOverlay.h"
#include "KTLog.h"
#include "Platform.h"
#include "WindowList.h"

SRRecordManager::SRRecordManager(Platform& platform, SRRecordManagerHost& host)
    : platform_(platform), host_(host), self_(this), clock_([this] { return now(); }),
      audioTrack_(encodeManager_, clock_),
      screenChain_(
          platform, [this](QImage frame) { captureOutput(std::move(frame)); },
          [this] { return canRepeatFrame(); }),
      cameraChain_(platform, [this](QImage frame) { captureCameraOutput(frame); }) {
    encodeManager_.isAudioOnlyMode = [this] { return recordVideoType == AudioOnly; };
    encodeManager_.writeFailed = [this] {
        QMetaObject::invokeMethod(this, &SRRecordManager::encoderFailed, Qt::QueuedConnection);
    };
    connect(&screenChain_, &ScreenCaptureChain::runtimeError, this,
            &SRRecordManager::captureSessionRuntimeErrorNotification);
    connect(&screenChain_, &ScreenCaptureChain::runtimeError, this, [this] {
        if (status() != Idle)
            emit captureFailed();
    });
    connect(&cameraChain_, &CameraCaptureChain::runtimeError, this, [this](const QString& error) {
        captureSessionRuntimeErrorNotification(error);
        emit cameraLost(error);
    });
}

SRRecordManager::~SRRecordManager() = default;

void SRRecordManager::setScreen(const std::optional<DisplayInfo>& s) {
    if (!s)
        KTLOG("no screen");
    screen = s;
}

void SRRecordManager::captrueScreenInputEnable(bool enable) {
    if (!enable) {
        screenChain_.close();
        return;
    }
    clickEffect.cursorEffectWidth = 0;
    clickEffect.isCursorClick = false;
    if (!captureRect.isNull()) {
        captureRect.setWidth(captureRect.width() - 2);
        captureRect.setHeight(captureRect.height() - 2);
    }
    screenChain_.open(screen, fps_, captureRect);
}

void SRRecordManager::captrueVideoInputEnable(bool enable) {
    if (!enable) {
        cameraChain_.close();
        return;
    }
    if (!selectedVideoDevice && platform_.cameras())
        selectedVideoDevice = platform_.cameras()->defaultDevice();
    if (!selectedVideoDevice) {
        KTLOG("no camera");
        return;
    }
    cameraChain_.open(*selectedVideoDevice);
}

void SRRecordManager::startRecording(const RecordingSettings& settings) {
    fps_ = settings.fps;
    screen = settings.screen;
    captureRect = settings.captureRect;
    isWorking_ = true;
    host_.setRecording(true);
    EncodeManager& encoder = encodeManager_;
    encoder.initHandle();
    encoder.fps = settings.fps;
    encoder.videoBitrate = settings.videoBitrate;

    const unsigned mode = recordVideoType;
    if (mode != Camera) {
        if (host_.checkCaptureAudio())
            captrueScreenInputEnable(mode != AudioOnly);
        if (host_.checkCapture(false))
            keepCameraChain(host_.isCaptrue());
    } else {
        captrueScreenInputEnable(false);
        keepCameraChain(true);
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
            bool followsWindow = false;
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
                        followsWindow = true;
                    }
                }
            }
            encoder.setImageSize(captureRect.width(), captureRect.height());
            screenChain_.setCropRect(followsWindow ? screenCropOfWindow(captureRect) : captureRect);
        }
    }

    clock_.start();
    reportedSecond_ = -1;
    if (recordAudioType != 3) {
        audioTrack_.begin(settings.audio);
        encoder.setUpAudioSettings();
    }
    if (mode != AudioOnly)
        encoder.setUpVideoSettings();
    encoder.setOutputPath(host_.outputPath());
    encoder.startEncoderEncode();
    host_.refreshStateMenuItem();
}

void SRRecordManager::keepCameraChain(bool open) {
    // A chain already reading the chosen camera goes on: reopening the device would lose the
    // first moments of the recording and blank the picture.
    if (open && selectedVideoDevice && cameraChain_.camera() == selectedVideoDevice)
        return;
    captrueVideoInputEnable(open);
}

QRectF SRRecordManager::evenBounds(const QRectF& b) {
    auto even = [](double v) { return 2 * std::floor(float(v) / 2); };
    return QRectF(even(b.x()), even(b.y()), even(b.width()), even(b.height()));
}

QRectF SRRecordManager::screenCropOfWindow(const QRectF& bounds) const {
    const std::optional<DisplayInfo> primary = platform_.displays().mainScreen();
    if (!primary || !screen)
        return bounds;
    // Window-list bounds count from the primary screen's top left, y down; a crop counts from
    // the recorded screen's lower left, y up.
    const CoordinateSpace space(QRect(QPoint(), primary->frame.size().toSize()));
    return space.toBottomLeft(space.fromWindowList(bounds)).translated(-screen->frame.topLeft());
}

void SRRecordManager::pauseRecording() {
    isWorking_ = false;
    clock_.pause();
}

void SRRecordManager::resumeRecording() {
    clock_.resume();
    isWorking_ = true;
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
    audioTrack_.finish(recordAudioType != 3);
    clock_.stop();
    encodeManager_.stopEncoderEncode();
    // Frames still on their way are refused now; none is left to reach the next recording.
    waitForPushes();
    host_.removeRecordScreenView();
    host_.refreshStateMenuItem();
}

void SRRecordManager::stopCapture() {
    isWorking_ = false;
}

void SRRecordManager::captureSessionRuntimeErrorNotification(const QString& error) {
    KTLOG("error:%s", qPrintable(error));
    KTLog::showMessage(QString("error:%1").arg(error));
    if (sessionErrorRecovery)
        sessionErrorRecovery(error);
}
