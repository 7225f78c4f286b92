#include "AudioOnOffMenus.h"

#include <QHBoxLayout>

#include "Localization.h"
#include "SRPopUpButton.h"

namespace {

SRPopUpButton* onOffMenu(const char* titleKey) {
    auto* menu = new SRPopUpButton;
    menu->setTitle(Localization::localizedStringForKey(titleKey));
    menu->addItemWithTitle(Localization::localizedStringForKey("Main_On"));
    menu->addItemWithTitle(Localization::localizedStringForKey("Main_Off"));
    return menu;
}

bool isOn(const SRPopUpButton* menu) {
    return menu->indexOfSelectedItem() == 1;
}

} // namespace

AudioOnOffMenus::AudioOnOffMenus(QWidget* parent)
    : QWidget(parent), systemAudioBox_(onOffMenu("Main_Audio_System")),
      micphoneBox_(onOffMenu("Main_Audio_Micphone")) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(systemAudioBox_);
    layout->addWidget(micphoneBox_);
    connect(systemAudioBox_, &SRPopUpButton::choiceMade, this,
            &AudioOnOffMenus::systemAudioBoxChange);
    connect(micphoneBox_, &SRPopUpButton::choiceMade, this, &AudioOnOffMenus::micphoneBoxChange);
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
