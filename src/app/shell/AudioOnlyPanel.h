// The audio-only mode's panel of the main window: the scrolling wave, the output format menu
// (.mp3 .wav .m4a), its own audio source menu and the audio button that pops that menu up,
// and the time and size of the recording.
#pragma once

#include <QWidget>

class AppDelegate;
class QLabel;
class RecordFlows;
class SKVoiceWaveView;
class SRButton;
class SRPopUpButton;

class AudioOnlyPanel : public QWidget {
    Q_OBJECT
public:
    AudioOnlyPanel(AppDelegate& app, RecordFlows& flows, QWidget* parent = nullptr);

    // The format menu's choice: the extension at that index names the next audio file.
    void audioExpChangeAction(int storedIndex);
    // Pops the source menu up over the audio button at its selected item, unless a
    // recording is being written.
    void AudioExImAction();
    // Shows the source type in the source menu and on the audio button.
    void showAudioType(unsigned type);

    SKVoiceWaveView* waveView() const { return waveView_; }
    SRPopUpButton* onlyAudio_AudioTypePopBtn() const { return onlyAudio_AudioTypePopBtn_; }
    SRPopUpButton* audioExtensionPopUp() const { return audioExtensionPopUp_; }
    SRButton* audioButton() const { return audioButton_; }

signals:
    // The user picked source type `type` in this panel's menu.
    void audioSourcePicked(unsigned type);

private:
    void updateRecording(bool recording);

    AppDelegate& app_;
    RecordFlows& flows_;
    SKVoiceWaveView* waveView_;
    SRPopUpButton* onlyAudio_AudioTypePopBtn_;
    SRPopUpButton* audioExtensionPopUp_;
    SRButton* audioButton_;
    QLabel* timeLabel_;
    QLabel* sizeLabel_;
};
