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

constexpr const char* kSourceKeys[] = {"Main_Audio_System", "Main_Audio_Micphone",
                                       "Main_Audio_System&Micphone", "Main_Audio_None"};

} // namespace

AudioOnlyPanel::AudioOnlyPanel(AppDelegate& app, RecordFlows& flows, QWidget* parent)
    : QWidget(parent), app_(app), flows_(flows), waveView_(new SKVoiceWaveView),
      onlyAudio_AudioTypePopBtn_(new SRPopUpButton), audioExtensionPopUp_(new SRPopUpButton),
      audioButton_(new SRButton), formatLabel_(new QLabel) {
    waveView_->setFixedSize(AudioLevelMeter::kWaveViewSize.toSize());
    // The idle columns are white: they need the level bars' dark track behind them.
    QPalette dark = waveView_->palette();
    dark.setColor(QPalette::Window, QColor::fromRgbF(0.192f, 0.192f, 0.239f));
    waveView_->setPalette(dark);
    waveView_->setAutoFillBackground(true);

    onlyAudio_AudioTypePopBtn_->setTitle(QString());
    for (size_t i = 0; i < std::size(kSourceKeys); ++i)
        onlyAudio_AudioTypePopBtn_->addItemWithTitle(QString());
    audioExtensionPopUp_->setTitle(QString());
    for (const QString& extension : app_.capture.audioExtensions)
        audioExtensionPopUp_->addItemWithTitle(extension);
    formatLabel_->setBuddy(audioExtensionPopUp_);
    audioButton_->setFixedSize(32, 32);
    showAudioType(app_.capture.recordAudioType);
    changeLanguage();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(waveView_, 0, 0, 1, 5, Qt::AlignHCenter);
    grid->addWidget(audioButton_, 1, 0);
    grid->addWidget(onlyAudio_AudioTypePopBtn_, 1, 1);
    grid->setColumnMinimumWidth(2, 12);
    grid->addWidget(formatLabel_, 1, 3);
    grid->addWidget(audioExtensionPopUp_, 1, 4);
    grid->setColumnStretch(5, 1);

    connect(audioExtensionPopUp_, &SRPopUpButton::choiceMade, this,
            &AudioOnlyPanel::audioExpChangeAction);
    connect(onlyAudio_AudioTypePopBtn_, &SRPopUpButton::choiceMade, this,
            [this](int index) { emit audioSourcePicked(unsigned(index)); });
    connect(audioButton_, &SRButton::clicked, this, &AudioOnlyPanel::AudioExImAction);
    connect(&flows_, &RecordFlows::recordingChanged, this, &AudioOnlyPanel::updateRecording);
}

void AudioOnlyPanel::changeLanguage() {
    for (int i = 0; i < int(std::size(kSourceKeys)); ++i)
        onlyAudio_AudioTypePopBtn_->setItemText(i + 1, tr_(kSourceKeys[i]));
    onlyAudio_AudioTypePopBtn_->setToolTip(tr_("audioSourcePopUp.toolTip"));
    const QString format = tr_("Set_label_4");
    formatLabel_->setText(format);
    audioExtensionPopUp_->setTitle(format);
    audioButton_->setToolTip(tr_("audioBtn.toolTip"));
    waveView_->setToolTip(tr_("waveView.toolTip"));
    waveView_->setAccessibleName(waveView_->toolTip());
}

void AudioOnlyPanel::audioExpChangeAction(int i) {
    app_.capture.audioExtensionIndex = i;
    Preferences::shared().setValue(PrefKey::AudioTypeIndex, i);
    emit app_.capture.changed();
}

void AudioOnlyPanel::AudioExImAction() {
    if (flows_.recordManager().isEncoding())
        return;
    onlyAudio_AudioTypePopBtn_->showPopup();
}

void AudioOnlyPanel::showAudioType(unsigned type) {
    audioExtensionPopUp_->selectStoredIndex(app_.capture.audioExtensionIndex);
    onlyAudio_AudioTypePopBtn_->selectStoredIndex(int(type));
    audioButton_->setImageName(type == 3 ? "btnNotRecordAudio_Normal" : "btnMainRec_Audio_Normal");
}

void AudioOnlyPanel::updateRecording(bool recording) {
    audioExtensionPopUp_->setEnabled(!recording);
    onlyAudio_AudioTypePopBtn_->setEnabled(!recording);
    audioButton_->setEnabled(!recording);
}
