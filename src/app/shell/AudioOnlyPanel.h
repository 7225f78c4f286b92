// The audio-only mode's panel of the main window: the scrolling wave, its own audio source
// menu with the audio button that pops that menu up, and the output format menu
// (.mp3 .wav .m4a).
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
    // Labels, entries and tool tips from the current table.
    void changeLanguage();

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
    QLabel* formatLabel_;
};
