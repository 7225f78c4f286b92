#include "AudioOnOffMenus.h"

#include <QGridLayout>
#include <QLabel>

#include "Localization.h"
#include "SRPopUpButton.h"

namespace {

SRPopUpButton* onOffMenu() {
    auto* menu = new SRPopUpButton;
    for (int item = 0; item < 3; ++item)
        menu->addItemWithTitle(QString());
    return menu;
}

bool isOn(const SRPopUpButton* menu) {
    return menu->indexOfSelectedItem() == 1;
}

} // namespace

AudioOnOffMenus::AudioOnOffMenus(QGridLayout& grid, int row, QObject* parent)
    : QObject(parent), systemAudioBox_(onOffMenu()), micphoneBox_(onOffMenu()),
      systemLabel_(new QLabel), micphoneLabel_(new QLabel) {
    systemLabel_->setBuddy(systemAudioBox_);
    micphoneLabel_->setBuddy(micphoneBox_);
    grid.addWidget(systemLabel_, row, 0);
    grid.addWidget(systemAudioBox_, row, 1);
    grid.addWidget(micphoneLabel_, row, 2);
    grid.addWidget(micphoneBox_, row, 3);
    changeLanguage();
    connect(systemAudioBox_, &SRPopUpButton::choiceMade, this,
            &AudioOnOffMenus::systemAudioBoxChange);
    connect(micphoneBox_, &SRPopUpButton::choiceMade, this, &AudioOnOffMenus::micphoneBoxChange);
}

void AudioOnOffMenus::changeLanguage() {
    const auto retitle = [](QLabel* label, SRPopUpButton* menu, const char* key) {
        const QString title = Localization::localizedStringForKey(key);
        label->setText(title);
        menu->setTitle(title);
        menu->setItemText(1, Localization::localizedStringForKey("Main_On"));
        menu->setItemText(2, Localization::localizedStringForKey("Main_Off"));
    };
    retitle(systemLabel_, systemAudioBox_, "Main_Audio_System");
    retitle(micphoneLabel_, micphoneBox_, "Main_Audio_Micphone");
}

void AudioOnOffMenus::setEnabled(bool enabled) {
    systemAudioBox_->setEnabled(enabled);
    micphoneBox_->setEnabled(enabled);
}

unsigned AudioOnOffMenus::recordAudioType(bool systemOn, bool micOn) {
    if (systemOn)
        return micOn ? 2 : 0;
    return micOn ? 1 : 3;
}

void AudioOnOffMenus::showAudioType(unsigned type) {
    const bool systemOn = type == 0 || type == 2;
    const bool micOn = type == 1 || type == 2;
    systemAudioBox_->selectItemAtIndex(systemOn ? 1 : 2);
    micphoneBox_->selectItemAtIndex(micOn ? 1 : 2);
}

void AudioOnOffMenus::systemAudioBoxChange() {
    emit typeChosen(recordAudioType(isOn(systemAudioBox_), isOn(micphoneBox_)));
}

void AudioOnOffMenus::micphoneBoxChange() {
    emit typeChosen(recordAudioType(isOn(systemAudioBox_), isOn(micphoneBox_)));
}
