// The two labelled on/off menus of the main window, one for system sound and one for the
// microphone (item 1 on, item 2 off); together they make the audio source type. They sit in
// a row of the window's settings grid, so their labels line up with the other settings.
#pragma once

#include <QObject>

class QGridLayout;
class QLabel;
class SRPopUpButton;

class AudioOnOffMenus : public QObject {
    Q_OBJECT
public:
    // Label, menu, label, menu in row `row` of `grid`.
    AudioOnOffMenus(QGridLayout& grid, int row, QObject* parent = nullptr);

    // System on and microphone off 0, off and on 1, both on 2, anything else 3 (none).
    static unsigned recordAudioType(bool systemOn, bool micOn);

    // Shows the pair that stands for a source type.
    void showAudioType(unsigned type);
    // Labels and entries from the current table.
    void changeLanguage();
    void setEnabled(bool enabled);

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
    QLabel* systemLabel_;
    QLabel* micphoneLabel_;
};
