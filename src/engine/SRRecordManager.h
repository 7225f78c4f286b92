// The one object that owns a recording: the screen capture chain, the encoder adapter, the
// recording status and the pause-free recording clock.
#pragma once

#include <QObject>
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

#include "AudioTimeline.h"
#include "ClickEffectState.h"
#include "Displays.h"
#include "EncodeManager.h"
#include "SRRecordAreaController.h"
#include "SRRecordManagerHost.h"
#include "WindowList.h"

class CompositionSettings;
class CursorOverlay;
class Platform;
class ScreenCaptureSession;
class SerialQueue;
class QImage;

class SRRecordManager : public QObject {
    Q_OBJECT
public:
    enum Status : unsigned { Idle = 0, Recording = 1, Paused = 2, Resumed = 3 };
    enum VideoType : unsigned {
        FullScreen = 0,
        CustomArea = 1,
        AppWindow = 2,
        Camera = 3,
        AudioOnly = 4
    };

    SRRecordManager(Platform& platform, SRRecordManagerHost& host);
    ~SRRecordManager() override;

    EncodeManager& encodeManager();

    void setScreen(const std::optional<DisplayInfo>& screen);
    void setScreenNumber(int64_t number) { screenNumber = number; }
    void setCaptureRect(const QRectF& rect) { captureRect = rect; }

    // From now on every screen frame carries the cursor, click ring and watermark these
    // settings ask for. Without settings frames go to the encoder as captured.
    void setCompositionSettings(const CompositionSettings& settings);
    // Draws cursor, highlight, click ring and watermark into a screen frame in place.
    void appendMouseCursor(QImage& frame);

    void captrueScreenInputEnable(bool enable);
    void startRecording();
    void pauseRecording();
    void resumeRecording();
    void stopRecording();
    void stopCapture();

    // Recorded seconds so far, paused time left out. Starts the clock on the first frame.
    double recordedTime();

    // A screen frame arrived on "ScreenOutputQueue".
    void captureOutput(QImage frame);
    // An audio buffer arrived on "AudioDataOutputQueue": `frames` planar 32-bit samples per
    // channel, the first captured at wall-clock time `captureTime`.
    void captureAudioOutput(std::span<const uint8_t> buffer, size_t frames, double captureTime);
    // A camera frame arrived on "VideoOutputQueue".
    void captureCameraOutput(const QImage& frame);
    // The selected window's picture at its current place, covered parts included.
    QImage getCapturedImage();

    // The recording-area session: one controller per screen, made by
    // createRecordWindowController, until one of them confirms its selection or all are
    // cancelled. Main thread only.
    void startRecordScreen();
    void readyToRecordScreen();
    void clearRecordWindowControllerArray();
    void changeKeyWindowWithScreen(const DisplayInfo& screen);
    // Clears the controller's delegate, cleans it up and drops it from the list.
    void removeRecordWindowController(SRRecordAreaController* controller);
    void recordScreenWindowControllerDidSelectRegion(SRRecordAreaController* controller);
    void recordScreenWindowControllerRemoveEventMonitor(SRRecordAreaController* controller);
    void recordScreenWindowControllerDidCancel(SRRecordAreaController* controller);
    void recordScreenWindowController(SRRecordAreaController* controller, const QString& fileName,
                                      bool saveToLocal);

    void captureSessionStoppedRunningNotification(ScreenCaptureSession* session);
    void captureSessionRuntimeErrorNotification(const QString& error);

    unsigned status() const { return status_.load(); }
    bool isWorking() const { return isWorking_.load(); }
    std::vector<double> fileTimes() const;
    ScreenCaptureSession* captureScreenSession() const { return captureScreenSession_.get(); }

    SRRecordAudioManagerDelegate* delegate = nullptr;
    std::atomic<unsigned> recordAudioType{0};
    std::atomic<unsigned> recordVideoType{FullScreen};
    // The chosen camera's device; empty while no camera is attached.
    QString selectedVideoDevice;
    std::optional<DisplayInfo> screen;
    int64_t screenNumber = 0;
    QRectF captureRect; // changes on the delivery queue in window mode; guarded by rectMutex_
    std::vector<uint32_t> exceptWinodwArray;
    std::vector<uint32_t> desktopElements;
    std::vector<uint32_t> onScreenWindows;
    bool isDisableChangeScreen = false;
    // The on-screen windows when the area selection started, front to back.
    std::vector<WindowInfo> arrayRect;
    std::vector<std::shared_ptr<SRRecordAreaController>> recordWindowControllerArray;
    // Makes the recording-area controller of one screen; without it no selection starts.
    std::function<std::shared_ptr<SRRecordAreaController>()> createRecordWindowController;
    // Armed by mouse-downs on the main thread, advanced by each composed frame.
    ClickEffectState clickEffect;

    // The clock; tests replace it.
    std::function<double()> now;
    // Measures the level of every audio buffer, recording or not.
    std::function<void(std::span<const uint8_t> buffer)> audioVolum;
    // Shows a mirrored camera picture: in the main window's camera view in camera mode,
    // else in the floating camera window. Called on the main queue.
    std::function<void(const QImage& picture, bool cameraMode)> showCameraPicture;
    // Called after a session error has been logged; the audio layer recovers devices here.
    std::function<void(const QString& error)> sessionErrorRecovery;

private:
    // Each value rounded down to an even number.
    static QRectF evenBounds(const QRectF& bounds);
    bool isRecording() const;
    // The recording time of wall-clock time `t`, on the clock recordedTime reads.
    double recordedTimeAt(double t);
    // While paused: everything recorded before the pause.
    double pausedRecordedTime() const;
    void pushFrame(const QImage& frame, double ptsMs);
    // Pushes `frames` frames of planar sound, after `silence` frames of silence, the first
    // `skip` frames left out. Holds audioMutex_.
    void pushAudio(std::span<const uint8_t> buffer, size_t frames, AudioTimeline::Placement at);
    // Controllers taken off the list may still be running the call that removed them.
    void releaseLater(std::vector<std::shared_ptr<SRRecordAreaController>> controllers);

    Platform& platform_;
    SRRecordManagerHost& host_;
    std::unique_ptr<EncodeManager> encodeManager_;
    std::unique_ptr<ScreenCaptureSession> captureScreenSession_;
    std::unique_ptr<CursorOverlay> overlay_;
    std::shared_ptr<SerialQueue> screenOutputQueue_;

    std::atomic<unsigned> status_{Idle};
    std::atomic<bool> isWorking_{false};
    mutable std::mutex rectMutex_;
    mutable std::mutex clockMutex_; // startDate and fileTimes, read on the delivery queue
    double startDate_ = 0;
    std::vector<double> fileTimes_;
    // Audio pushes, and the silence that ends the sound at stop, one at a time.
    std::mutex audioMutex_;
    AudioTimeline audioTimeline_;
};
