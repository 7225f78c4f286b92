#include "AudioOnlyPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "AppDelegate.h"
#include "AudioLevelMeter.h"
#include "Localization.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "RecordFlows.h"
#include "SKVoiceWaveView.h"
#include "SRButton.h"
#include "SRPopUpButton.h"

namespace {

QString tr_(const char* key) {
    return Localization::localizedStringForKey(key);
}

} // namespace

AudioOnlyPanel::AudioOnlyPanel(AppDelegate& app, RecordFlows& flows, QWidget* parent)
    : QWidget(parent), app_(app), flows_(flows), waveView_(new SKVoiceWaveView),
      onlyAudio_AudioTypePopBtn_(new SRPopUpButton), audioExtensionPopUp_(new SRPopUpButton),
      audioButton_(new SRButton), timeLabel_(new QLabel("00:00:00")), sizeLabel_(new QLabel) {
    waveView_->setFixedSize(AudioLevelMeter::kWaveViewSize.toSize());

    onlyAudio_AudioTypePopBtn_->setTitle(QString());
    for (const char* key : {"Main_Audio_System", "Main_Audio_Micphone",
                            "Main_Audio_System&Micphone", "Main_Audio_None"})
        onlyAudio_AudioTypePopBtn_->addItemWithTitle(tr_(key));
    audioExtensionPopUp_->setTitle(tr_("Set_label_4"));
    for (const QString& extension : app_.capture.audioExtensions)
        audioExtensionPopUp_->addItemWithTitle(extension);
    audioExtensionPopUp_->selectStoredIndex(app_.capture.audioExtensionIndex);
    audioButton_->setFixedSize(40, 40);
    showAudioType(app_.capture.recordAudioType);
    sizeLabel_->setText(QString::asprintf("%.2f MB / ", 0.0) + flows_.systemFreeSpace());

    auto* grid = new QGridLayout(this);
    grid->addWidget(waveView_, 0, 0, 1, 3);
    grid->addWidget(audioButton_, 1, 0);
    grid->addWidget(onlyAudio_AudioTypePopBtn_, 1, 1);
    grid->addWidget(audioExtensionPopUp_, 1, 2);
    grid->addWidget(timeLabel_, 2, 0, 1, 2);
    grid->addWidget(sizeLabel_, 2, 2);

    connect(audioExtensionPopUp_, &SRPopUpButton::choiceMade, this,
            &AudioOnlyPanel::audioExpChangeAction);
    connect(onlyAudio_AudioTypePopBtn_, &SRPopUpButton::choiceMade, this,
            [this](int index) { emit audioSourcePicked(unsigned(index)); });
    connect(audioButton_, &SRButton::clicked, this, &AudioOnlyPanel::AudioExImAction);
    connect(&flows_, &RecordFlows::recordingChanged, this, &AudioOnlyPanel::updateRecording);
    connect(&flows_, &RecordFlows::progressChanged, this,
            [this](const QString& time, const QString& size) {
                timeLabel_->setText(time);
                sizeLabel_->setText(size);
            });
}

void AudioOnlyPanel::audioExpChangeAction(int i) {
    app_.capture.audioExtensionIndex = i;
    Preferences::shared().setValue(PrefKey::AudioTypeIndex, i);
}

void AudioOnlyPanel::AudioExImAction() {
    if (flows_.recordManager().isEncoding())
        return;
    onlyAudio_AudioTypePopBtn_->showPopup();
}

void AudioOnlyPanel::showAudioType(unsigned type) {
    onlyAudio_AudioTypePopBtn_->selectStoredIndex(int(type));
    audioButton_->setImageName(type == 3 ? "btnNotRecordAudio_Normal" : "btnMainRec_Audio_Normal");
}

void AudioOnlyPanel::updateRecording(bool recording) {
    audioExtensionPopUp_->setEnabled(!recording);
    onlyAudio_AudioTypePopBtn_->setEnabled(!recording);
    if (!recording)
        timeLabel_->setText("00:00:00");
}
