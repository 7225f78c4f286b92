// The two on/off menus of the main window, one for system sound and one for the microphone
// (item 1 on, item 2 off); together they make the audio source type.
#pragma once

#include <QWidget>

class SRPopUpButton;

class AudioOnOffMenus : public QWidget {
    Q_OBJECT
public:
    explicit AudioOnOffMenus(QWidget* parent = nullptr);

    // System on and microphone off 0, off and on 1, both on 2, anything else 3 (none).
    static unsigned recordAudioType(bool systemOn, bool micOn);

    // Shows the pair that stands for a source type.
    void showAudioType(unsigned type);

    SRPopUpButton* systemAudioBox() const { return systemAudioBox_; }
    SRPopUpButton* micphoneBox() const { return micphoneBox_; }

signals:
    // The user changed one of the menus; the pair now stands for `type`.
    void typeChosen(unsigned type);

private:
    void systemAudioBoxChange();
    void micphoneBoxChange();

    SRPopUpButton* systemAudioBox_;
    SRPopUpButton* micphoneBox_;
};
