// The settings window's watermark section: the type (text, image, none) and the sub-panel of
// that type. Text: custom text or the date and time, time format, font, colour, opacity,
// shadow. Image: the picture file and opacity. Both opacity sliders always show one value.
#pragma once

#include <QWidget>

class AppDelegate;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class SRPopUpButton;
class SettingsTexts;

class SettingsWatermarkSection : public QWidget {
    Q_OBJECT
public:
    SettingsWatermarkSection(AppDelegate& app, SettingsTexts& texts);

    void loadControls();
    // A text watermark's picture made again from the field's text or the current time.
    void refreshTextWatermark();

    void changeWatermarkType(int tag);
    void watermarkAlphaAction(int percent);

signals:
    // A preview button was pressed (the text watermark is already refreshed).
    void previewRequested();

private:
    void textwatermarkType(bool time);
    void timeWatermarkChangeAction(int index);
    void watermarkFontAction();
    void watermarkColorActiion();
    void addwatermarkImageBtn();
    void showFontAndColour();
    void watermarkChanged();

    AppDelegate& app_;
    QButtonGroup* typeGroup_ = nullptr;
    QWidget* textPanel_ = nullptr;
    QWidget* imagePanel_ = nullptr;
    QRadioButton* customTextwatermarkBtn_ = nullptr;
    QRadioButton* timeWwatermarkBtn_ = nullptr;
    QLineEdit* watermarkText_ = nullptr;
    SRPopUpButton* timeFramTypeBtn_ = nullptr;
    QPushButton* fontTypeBtn_ = nullptr;
    QPushButton* fontColorBtn_ = nullptr;
    QSlider* textWaterAlphaSlider_ = nullptr;
    QSlider* imageWaterAlphaSlider_ = nullptr;
    QLabel* alphaValueTextField_ = nullptr;
    QLabel* watermarkAlphaLabel_ = nullptr;
    QCheckBox* waterShadowBtn_ = nullptr;
    QLineEdit* waterImagePathTextField_ = nullptr;
    bool loading_ = false;
};
