// The main window: mode buttons, the recording settings pop-ups, the record, pause and back
// buttons, and the time, size and free-space labels.
#pragma once

#include <QWidget>

#include <array>

class AppDelegate;
class QLabel;
class QStackedWidget;
class RecordFlows;
class SRButton;
class SRPopUpButton;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(AppDelegate& app, RecordFlows& flows);

    // Mode choice: the button's tag 0..4 becomes the recording mode.
    void fullScreenClicked(int tag);
    void frameChangeAction(int storedIndex);
    void fpsChangeAction(int storedIndex);
    void videoTypeChangeAction(int storedIndex);
    void audioExpChangeAction(int storedIndex);
    void audioChangeAction(int storedIndex);

    SRButton* recordButton() const { return recordButton_; }

signals:
    // The user chose the audio source (0 system, 1 microphone, 2 both, 3 none).
    void audioSourceChosen(unsigned type);

public:
    SRButton* pauseButton() const { return pauseButton_; }
    QLabel* timeLabel() const { return timeLabel_; }
    QLabel* sizeLabel() const { return sizeLabel_; }

private:
    void showHome();
    void updateRecording(bool recording);

    AppDelegate& app_;
    RecordFlows& flows_;
    QStackedWidget* panels_ = nullptr;
    std::array<SRButton*, 5> modeButtons_{};
    SRPopUpButton* qualityPopUp_ = nullptr;
    SRPopUpButton* fpsPopUp_ = nullptr;
    SRPopUpButton* videoTypePopUp_ = nullptr;
    SRPopUpButton* audioExtensionPopUp_ = nullptr;
    SRPopUpButton* audioPopUp_ = nullptr;
    SRButton* recordButton_ = nullptr;
    SRButton* pauseButton_ = nullptr;
    SRButton* backButton_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
};
