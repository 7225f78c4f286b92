// The application controller's record flows: the start/stop toggle for every mode, pause and
// resume, the progress shown while recording, free disk space, and the catalogue entry a
// finished recording leaves. It answers the session controller's questions about the
// application's current settings.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "SRRecordManager.h"
#include "SRRecordManagerHost.h"

class AppCompositionSettings;
class CameraSwitch;
class RecordAreaHost;
class SRRecordAreaSession;
class SRRecordScreenWindowController;
class AppDelegate;
class ClickEffectArming;
class DiskSpaceWatch;
class Platform;

class RecordFlows : public QObject,
                    public SRRecordManagerHost,
                    public SRRecordAudioManagerDelegate {
    Q_OBJECT
public:
    RecordFlows(AppDelegate& app, Platform& platform);
    ~RecordFlows() override;

    // The session controller, created on first use with this object as its delegate; from
    // then on every mouse-down arms its click ring.
    SRRecordManager& recordManager();
    const Platform& platform() const { return platform_; }
    // The camera rules of the window, the menus and the hotkey; created on first use.
    CameraSwitch& cameraSwitch();
    // The screen a full-screen recording takes; none: the screen under the pointer.
    void setRecordScreen(const std::optional<DisplayInfo>& screen) { recordScreen_ = screen; }
    std::optional<DisplayInfo> recordScreen() const { return recordScreen_; }
    // The area (desktop pixels, origin top left) or the X window the area and window modes
    // record without the selection overlay (the command line), rounded as a dragged area is,
    // on whichever screen it lies. Each gives why it cannot be recorded, or nothing.
    QString chooseRecordArea(const QRect& desktop);
    QString chooseRecordWindow(uint32_t window);
    // From now on the screen modes start with the selection overlay on every screen; without
    // it full screen records the chosen screen at once (the command line).
    void enableAreaSelection(std::function<bool()> isCompositing);
    // The recording-area controller of the current recording; stopped, paused and resumed
    // with it.
    void setRecordWC(std::shared_ptr<SRRecordScreenWindowController> controller);
    // Takes the watermark as it is now for the recording about to start.
    void prepareOverlays();
    // The attached displays, primary first.
    std::vector<DisplayInfo> screens() const;
    // The sound format recordings take; the audio routing sets it when a source is chosen.
    AudioFormat audioFormat() const { return audioFormat_; }
    void setAudioFormat(const AudioFormat& format) { audioFormat_ = format; }

    void recordScreenClicked();
    void recordAfterScreenClicked();
    // Starts with the countdown preset of this title (3, 5 or 10 s, remembered as the
    // countdown's length).
    void countDownAction(const QString& title);
    void recordAudio();
    void recordVideo();
    void pauseOrResumeAction();
    void recordScreenTimeDuration(int32_t seconds) override;

    void generateMemoryInfo();
    QString systemFreeSpace() const;
    // "HH:MM:SS" of whole seconds, the hours wrapping at 60.
    static QString timeText(int64_t seconds);
    // Wall-clock seconds; the stop menu's countdown counts by it.
    std::function<double()> clock;

    // SRRecordManagerHost
    void setRecording(bool recording) override;
    bool checkCaptureAudio() override { return true; } // no permission gate on this desktop
    bool checkCapture(bool) override { return true; }
    bool isCaptrue() override;
    QString outputPath() override;
    uint32_t selectedWindowNumber() override;
    QString selectedWindowName() override;
    RecordingSettings recordingSettings() override;
    void refreshStateMenuItem() override;
    void setTimeSetsBtnEnabled(bool enabled) override;
    void removeRecordScreenView() override;

signals:
    void recordingChanged(bool recording);
    // Texts for the time and size labels, and the image name of the pause button.
    void progressChanged(const QString& time, const QString& size);
    // Frames this recording lost so far (0 when a recording starts).
    void framesDropped(qint64 count);
    void pauseImageChanged(const QString& imageName);
    // The encoder could not start: the user is told and nothing records.
    void startFailed(const QString& path);
    // The choosers and the back button follow the recording-area session.
    void recordControlsEnabled(bool enabled);
    // Camera mode was started with no camera: "Alert_Camera_Message" is due, nothing records.
    void cameraMissing();
    // The menus' entries should follow the recording state (a recording started or stopped,
    // a mode was chosen).
    void stateMenuChanged();
    // The user's stop has finished the file and catalogued it.
    void recordingStopped();
    // A limit was reached; the recording stops through the toggle right after.
    void limitReached();
    // The completion choice of a finished recording is to quit.
    void quitRequested();
    // A recording ended by itself (full disk, failed write, lost display) or left nothing
    // worth keeping; `message` says why and what became of the file, in the user's language.
    void recordingEnded(const QString& message);
    // The camera could not be opened, went away or ended; a camera recording it fed has been
    // stopped and saved.
    void cameraLost(const QString& error, bool recordingStopped);

public:
    // Stops the recording through the record toggle and tells the user why: the text of
    // localisation key `reasonKey`.
    void endRecording(const char* reasonKey);

private:
    void startScreenRecording();
    // Starts the encoder; when it cannot write, the user is told and all goes back to idle.
    void startOrReportFailure(const RecordingSettings& settings);
    void cameraLostAction(const QString& error);
    void stopRecordingAndCatalogue();
    // The entry gets the finished file's real length and size; a file without media goes,
    // entry and all. False when nothing was kept.
    bool correctCatalogue(const QString& path);
    void showProgress(int64_t seconds);
    // What the end of a recording undoes and does: the only-once choices and the completion
    // choice.
    void finishLimits();

    AppDelegate& app_;
    Platform& platform_;
    std::optional<DisplayInfo> recordScreen_;
    // The capture rectangle the chosen area or window gives; none: the whole screen.
    std::optional<QRectF> recordRegion_;
    AudioFormat audioFormat_;
    std::unique_ptr<AppCompositionSettings> compositionSettings_;
    std::unique_ptr<SRRecordManager> recordManager_;
    std::unique_ptr<ClickEffectArming> clickArming_;
    std::unique_ptr<RecordAreaHost> areaHost_;
    std::unique_ptr<SRRecordAreaSession> areaSession_;
    std::shared_ptr<SRRecordScreenWindowController> recordWC_;
    std::unique_ptr<DiskSpaceWatch> diskWatch_;
    // Why the recording being stopped ends, when it was not the user's stop.
    QString endReason_;
    bool cataloguing_ = false;
    // After the session controller, so it goes first.
    std::unique_ptr<CameraSwitch> cameraSwitch_;
};
