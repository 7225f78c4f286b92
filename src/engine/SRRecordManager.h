// The one object that owns a recording: the recording mode and area, the screen capture chain,
// the encoder adapter, the recording status and clock, and what each delivered frame and
// buffer becomes. Its jobs are classes of their own: ScreenCaptureChain, RecordingClock and
// AudioTrack.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "AudioTrack.h"
#include "CameraCaptureChain.h"
#include "ClickEffectState.h"
#include "Displays.h"
#include "EncodeManager.h"
#include "RecordingClock.h"
#include "RecordingSettings.h"
#include "SRRecordManagerHost.h"
#include "ScreenCaptureChain.h"
#include "SerialQueue.h"

class CompositionSettings;
class CursorOverlay;
class Platform;
class QImage;

class SRRecordManager : public QObject {
    Q_OBJECT
public:
    using Status = RecordingClock::Status;
    static constexpr Status Idle = RecordingClock::Idle, Recording = RecordingClock::Recording,
                            Paused = RecordingClock::Paused, Resumed = RecordingClock::Resumed;
    enum VideoType : unsigned {
        FullScreen = 0,
        CustomArea = 1,
        AppWindow = 2,
        Camera = 3,
        AudioOnly = 4
    };

    SRRecordManager(Platform& platform, SRRecordManagerHost& host);
    ~SRRecordManager() override;

    EncodeManager& encodeManager() { return encodeManager_; }
    // The application's current choices, which a recording starts from.
    RecordingSettings recordingSettings() { return host_.recordingSettings(); }
    // What the application shows of the encoder: whether it is writing, the bytes written and
    // the milliseconds recorded.
    bool isEncoding() const { return encodeManager_.isWorking(); }
    double filesize() const { return encodeManager_.filesize(); }
    int64_t countRecordedDuration() const { return encodeManager_.countRecordedDuration(); }

    void setScreen(const std::optional<DisplayInfo>& screen);
    void setScreenNumber(int64_t number) { screenNumber = number; }
    void setCaptureRect(const QRectF& rect) { captureRect = rect; }

    // From now on every screen frame carries the cursor, click ring and watermark these
    // settings ask for. Without settings frames go to the encoder as captured.
    void setCompositionSettings(const CompositionSettings& settings);
    // Draws cursor, highlight, click ring and watermark into a screen frame in place.
    void appendMouseCursor(QImage& frame);

    void captrueScreenInputEnable(bool enable);
    // Opens the camera chain on the chosen camera (the default one when none was chosen), or
    // closes it. Without any camera the chain stays closed.
    void captrueVideoInputEnable(bool enable);
    // Records the settings' screen and area at their rate and quality, in the current mode.
    void startRecording(const RecordingSettings& settings);
    void pauseRecording();
    void resumeRecording();
    void stopRecording();
    void stopCapture();

    // Recorded seconds so far, paused time left out.
    double recordedTime() { return clock_.elapsed(); }

    // A screen frame arrived on "ScreenOutputQueue"; a null one repeats the previous picture.
    void captureOutput(QImage frame);
    // Whether the screen chain may skip grabbing a screen that did not change: the previous
    // picture reached the encoder and the overlays would draw it again as they did.
    bool canRepeatFrame() const;
    // An audio buffer arrived on "AudioDataOutputQueue": `frames` interleaved 32-bit frames,
    // the first captured at wall-clock time `captureTime`.
    void captureAudioOutput(std::span<const uint8_t> buffer, size_t frames, double captureTime);
    // A camera frame arrived on "VideoOutputQueue".
    void captureCameraOutput(const QImage& frame);
    // The selected window's picture at its current place, covered parts included.
    QImage getCapturedImage();

    void captureSessionRuntimeErrorNotification(const QString& error);

    unsigned status() const { return clock_.status(); }
    bool isWorking() const { return isWorking_.load(); }
    std::vector<double> fileTimes() const { return clock_.fileTimes(); }
    ScreenCaptureSession* captureScreenSession() const { return screenChain_.session(); }
    CameraCaptureSession* captureVideoSession() const { return cameraChain_.session(); }
    // Returns once the screen frames composed so far are in the encoder.
    void waitForPushes() {
        pushQueue_.sync([] {});
    }

    SRRecordAudioManagerDelegate* delegate = nullptr;
    std::atomic<unsigned> recordAudioType{0};
    std::atomic<unsigned> recordVideoType{FullScreen};
    // The chosen camera; none while no camera is attached.
    std::optional<CameraDevice> selectedVideoDevice;
    std::optional<DisplayInfo> screen;
    int64_t screenNumber = 0;
    // The screen's own points in the area modes; window-list bounds in window mode, which
    // change on the delivery queue as the window moves (guarded by rectMutex_).
    QRectF captureRect;
    std::vector<uint32_t> exceptWinodwArray;
    std::vector<uint32_t> desktopElements;
    std::vector<uint32_t> onScreenWindows;
    // Armed by mouse-downs on the main thread, advanced by each composed frame.
    ClickEffectState clickEffect;

    // The clock; tests replace it.
    std::function<double()> now = getNowTimeTimestamp;
    // Measures the level of every audio buffer, recording or not.
    std::function<void(std::span<const uint8_t> buffer)> audioVolum;
    // Shows a mirrored camera picture: in the main window's camera view in camera mode,
    // else in the floating camera window. Called on the main queue.
    std::function<void(const QImage& picture, bool cameraMode)> showCameraPicture;
    // Called after a session error has been logged; the audio layer recovers devices here.
    std::function<void(const QString& error)> sessionErrorRecovery;

signals:
    // The encoder stopped writing for good (full disk, removed drive); on the main thread,
    // once per recording. The recording has to be stopped.
    void encoderFailed();
    // The screen being recorded can no longer be captured (its display went away); on the main
    // thread. The recording has to be stopped.
    void captureFailed();
    // The camera could not be opened, went away or its stream ended; the chain delivers
    // nothing until it is opened again.
    void cameraLost(const QString& error);

private:
    // Opens the camera chain unless it reads the chosen camera already; or closes it.
    void keepCameraChain(bool open);
    // Each value rounded down to an even number.
    static QRectF evenBounds(const QRectF& bounds);
    // Window-list bounds as a crop of the recorded screen.
    QRectF screenCropOfWindow(const QRectF& bounds) const;
    // Whether a frame of the current recording goes to the encoder, and its time in ms.
    std::optional<double> framePts();
    void pushFrame(const QImage& frame, double ptsMs);
    // The encoder's previous picture again, for a screen that did not change.
    void pushRepeat(double ptsMs);
    // After a push on a delivery queue: tells the main thread when the recorded second changed.
    void noteProgress();
    void reportDuration();

    Platform& platform_;
    SRRecordManagerHost& host_;
    // Made on the main thread; the delivery queues copy it for their main-queue tasks.
    const QPointer<const QObject> self_;
    EncodeManager encodeManager_;
    std::unique_ptr<CursorOverlay> overlay_;
    std::atomic<bool> isWorking_{false};
    std::atomic<int64_t> reportedSecond_{-1};
    // The encoder holds the picture of the last screen frame, so an unchanged screen may
    // repeat it. On "ScreenOutputQueue": the last frame went to the pushing queue.
    std::atomic<bool> encoderHasPicture_{false};
    bool lastFrameSent_ = false;
    mutable std::mutex rectMutex_;
    RecordingClock clock_;
    AudioTrack audioTrack_;
    float fps_ = 30; // the recording's rate, which paces the screen chain
    // Screen frames on their way into the encoder; it goes after the capture chains and
    // before the encoder adapter, running what is queued.
    SerialQueue pushQueue_{"ScreenPushQueue"};
    // Last, so they go first: no frame arrives once the rest is gone.
    ScreenCaptureChain screenChain_;
    CameraCaptureChain cameraChain_;
};
