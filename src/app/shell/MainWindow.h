// The main window: mode buttons, the recording settings pop-ups, the record, pause and back
// buttons, and the time, size and free-space labels. It is as large as the chosen mode's
// controls, follows the capture settings and retitles itself when the language changes.
#pragma once

#include <QWidget>

#include <array>

#include "AudioLevelMeter.h"

class AppDelegate;
class AudioOnOffMenus;
class AudioOnlyPanel;
class CameraControls;
class LevelBars;
class QLabel;
class QToolButton;
class RecordFlows;
class SRButton;
class SRPopUpButton;
class StartSetsButton;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(AppDelegate& app, RecordFlows& flows);

    // Mode choice: the button's tag 0..4 becomes the recording mode.
    void fullScreenClicked(int tag);
    void frameChangeAction(int storedIndex);
    void fpsChangeAction(int storedIndex);
    void videoTypeChangeAction(int storedIndex);
    // The audio source menus: 0 system, 1 microphone, 2 both, 3 none. A source with a
    // microphone needs one; without it the user is told and nothing changes.
    void audioChangeAction(int storedIndex);
    // Where the levels of captured sound are shown.
    AudioLevelMeter::Views levelViews() const;
    // The screen a full-screen recording takes: entry i of the screen pop-up is screen i - 1.
    void screenItemChange(int storedIndex);
    // Every text, tool tip and accessible name from the current table.
    void changeLanguage();
    // The chosen mode's settings and record buttons show (not the mode choice).
    bool isRecordPanelShown() const { return !settings_->isHidden(); }

    SRButton* recordButton() const { return recordButton_; }
    SRButton* pauseButton() const { return pauseButton_; }
    QLabel* timeLabel() const { return timeLabel_; }
    QLabel* sizeLabel() const { return sizeLabel_; }
    SRPopUpButton* screenPopUp() const { return screenPopUp_; }
    StartSetsButton* startSetsButton() const { return startSetsBtn_; }
    CameraControls* cameraControls() const { return cameraControls_; }

signals:
    // The user chose the audio source (0 system, 1 microphone, 2 both, 3 none).
    void audioSourceChosen(unsigned type);
    // Back at the mode choice: no sound is captured until a mode is chosen again.
    void modeChoiceShown();

protected:
    // Closing while recording asks whether to stop and save; no answer keeps recording.
    void closeEvent(QCloseEvent* event) override;

private:
    void showHome();
    // Quality, frame rate, container and screen, in the order of their labels.
    std::array<SRPopUpButton*, 4> videoPopUps() const;
    // The pop-ups and menus show the capture settings as they are now.
    void showCapture();
    // One entry per display after the empty title; shown only with two or more displays.
    void refillScreenPopUp();
    void updateRecording(bool recording);
    void showPauseImage(const QString& imageName);
    void setRecordControlsEnabled(bool enabled);

    AppDelegate& app_;
    RecordFlows& flows_;
    QWidget* home_ = nullptr;
    QWidget* settings_ = nullptr;
    std::array<SRButton*, 5> modeButtons_{};
    QWidget* settingsGrid_ = nullptr;
    std::array<QLabel*, 4> videoLabels_{};
    SRPopUpButton* qualityPopUp_ = nullptr;
    SRPopUpButton* fpsPopUp_ = nullptr;
    SRPopUpButton* videoTypePopUp_ = nullptr;
    SRPopUpButton* screenPopUp_ = nullptr;
    AudioOnOffMenus* onOffMenus_ = nullptr;
    AudioOnlyPanel* audioOnlyPanel_ = nullptr;
    CameraControls* cameraControls_ = nullptr;
    LevelBars* levelBars_ = nullptr;
    SRButton* recordButton_ = nullptr;
    SRButton* pauseButton_ = nullptr;
    StartSetsButton* startSetsBtn_ = nullptr;
    SRButton* backButton_ = nullptr;
    SRButton* drawToolsButton_ = nullptr;
    SRButton* fileListButton_ = nullptr;
    QToolButton* setsBtn_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLabel* droppedLabel_ = nullptr;
    // What this desktop does not let Tapedeck do; shown only there.
    QLabel* sessionNote_ = nullptr;
};
