#include "SettingsWatermarkSection.h"

#include "AppDelegate.h"
#include "KTBookmark.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRPopUpButton.h"
#include "SettingsTexts.h"
#include "WatermarkText.h"
#include "WatermarkTimeText.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QDateTime>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cmath>

namespace {

QSlider* alphaSlider() {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setMinimumWidth(160);
    return slider;
}

QString percentText(float alpha) {
    return QString::asprintf("%.f%%", double(alpha) * 100);
}

} // namespace

SettingsWatermarkSection::SettingsWatermarkSection(AppDelegate& app, SettingsTexts& texts)
    : app_(app) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    // Type: tags 1 text, 2 image, 3 none.
    auto* types = new QHBoxLayout;
    types->addWidget(texts.add(new QLabel, "Set_waterLabel_1"));
    typeGroup_ = new QButtonGroup(this);
    for (int tag = 1; tag <= 3; ++tag) {
        auto* button = texts.add(new QRadioButton, QString("Set_waterLabel_%1").arg(tag + 1));
        typeGroup_->addButton(button, tag);
        types->addWidget(button);
    }
    types->addStretch();
    column->addLayout(types);
    connect(typeGroup_, &QButtonGroup::idToggled, this, [this](int tag, bool on) {
        if (on)
            changeWatermarkType(tag);
    });

    // Text.
    textPanel_ = new QWidget;
    auto* text = new QGridLayout(textPanel_);
    text->setContentsMargins(16, 0, 0, 0);
    customTextwatermarkBtn_ = texts.add(new QRadioButton, "Set_textWaterlabel_1");
    timeWwatermarkBtn_ = texts.add(new QRadioButton, "Set_textWaterlabel_2");
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(customTextwatermarkBtn_);
    kinds->addButton(timeWwatermarkBtn_);
    watermarkText_ = new QLineEdit;
    texts.addAccessibleName(watermarkText_, "Set_textWaterlabel_1");
    timeFramTypeBtn_ = new SRPopUpButton;
    fontTypeBtn_ = new QPushButton;
    fontColorBtn_ = new QPushButton;
    fontColorBtn_->setFixedWidth(48);
    textWaterAlphaSlider_ = alphaSlider();
    alphaValueTextField_ = new QLabel;
    waterShadowBtn_ = texts.add(settingsCheckBox(), "Set_textWaterlabel_7");
    auto* textPreview = texts.add(new QPushButton, "Set_textWaterlabel_8");
    const auto labelled = [&](const char* key, QWidget* control) {
        auto* label = texts.add(new QLabel, key);
        label->setBuddy(control);
        return label;
    };
    text->addWidget(customTextwatermarkBtn_, 0, 0);
    text->addWidget(watermarkText_, 0, 1, 1, 2);
    text->addWidget(timeWwatermarkBtn_, 1, 0);
    text->addWidget(labelled("Set_textWaterlabel_3", timeFramTypeBtn_), 2, 0);
    text->addWidget(timeFramTypeBtn_, 2, 1, 1, 2);
    text->addWidget(labelled("Set_textWaterlabel_4", fontTypeBtn_), 3, 0);
    text->addWidget(fontTypeBtn_, 3, 1);
    text->addWidget(labelled("Set_textWaterlabel_5", fontColorBtn_), 4, 0);
    text->addWidget(fontColorBtn_, 4, 1);
    text->addWidget(labelled("Set_textWaterlabel_6", textWaterAlphaSlider_), 5, 0);
    text->addWidget(textWaterAlphaSlider_, 5, 1);
    text->addWidget(alphaValueTextField_, 5, 2);
    text->addWidget(waterShadowBtn_, 6, 0);
    text->addWidget(textPreview, 7, 0);
    text->setColumnStretch(3, 1);
    column->addWidget(textPanel_);

    // Image.
    imagePanel_ = new QWidget;
    auto* image = new QGridLayout(imagePanel_);
    image->setContentsMargins(16, 0, 0, 0);
    waterImagePathTextField_ = new QLineEdit;
    waterImagePathTextField_->setReadOnly(true);
    waterImagePathTextField_->setMinimumWidth(220);
    auto* addwaterImageBtn = texts.add(new QPushButton, "Set_imageWaterlabel_2");
    imageWaterAlphaSlider_ = alphaSlider();
    watermarkAlphaLabel_ = new QLabel;
    auto* imagePreview = texts.add(new QPushButton, "Set_imageWaterlabel_4");
    image->addWidget(labelled("Set_imageWaterlabel_1", waterImagePathTextField_), 0, 0);
    image->addWidget(waterImagePathTextField_, 0, 1);
    image->addWidget(addwaterImageBtn, 0, 2);
    image->addWidget(labelled("Set_imageWaterlabel_3", imageWaterAlphaSlider_), 1, 0);
    image->addWidget(imageWaterAlphaSlider_, 1, 1);
    image->addWidget(watermarkAlphaLabel_, 1, 2);
    image->addWidget(imagePreview, 2, 0);
    image->setColumnStretch(3, 1);
    column->addWidget(imagePanel_);

    // Checking one radio button unchecks the other, which loadControls cannot keep quiet.
    connect(timeWwatermarkBtn_, &QRadioButton::toggled, this, [this](bool time) {
        if (!loading_)
            textwatermarkType(time);
    });
    connect(watermarkText_, &QLineEdit::editingFinished, this,
            &SettingsWatermarkSection::refreshTextWatermark);
    connect(timeFramTypeBtn_, &SRPopUpButton::choiceMade, this,
            &SettingsWatermarkSection::timeWatermarkChangeAction);
    connect(fontTypeBtn_, &QPushButton::clicked, this,
            &SettingsWatermarkSection::watermarkFontAction);
    connect(fontColorBtn_, &QPushButton::clicked, this,
            &SettingsWatermarkSection::watermarkColorActiion);
    for (QSlider* slider : {textWaterAlphaSlider_, imageWaterAlphaSlider_})
        connect(slider, &QSlider::valueChanged, this,
                &SettingsWatermarkSection::watermarkAlphaAction);
    connect(waterShadowBtn_, &QCheckBox::toggled, this, [this](bool on) {
        app_.composition.isWatermarkShadow = on;
        watermarkChanged();
    });
    connect(addwaterImageBtn, &QPushButton::clicked, this,
            &SettingsWatermarkSection::addwatermarkImageBtn);
    for (QPushButton* preview : {textPreview, imagePreview})
        connect(preview, &QPushButton::clicked, this, [this] {
            if (app_.composition.watermarkType == 0)
                refreshTextWatermark();
            emit previewRequested();
        });
}

void SettingsWatermarkSection::loadControls() {
    const CompositionGroup& w = app_.composition;
    loading_ = true;
    if (QAbstractButton* type = typeGroup_->button(int(w.watermarkType) + 1))
        showChecked(type, true);
    textPanel_->setVisible(w.watermarkType == 0);
    imagePanel_->setVisible(w.watermarkType == 1);
    showChecked(w.isTimeTextWatermark ? timeWwatermarkBtn_ : customTextwatermarkBtn_, true);
    loading_ = false;
    watermarkText_->setText(w.watermarkTextString);
    timeFramTypeBtn_->removeAllItems();
    timeFramTypeBtn_->setTitle(QString());
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString& style : w.timeFramStyles)
        timeFramTypeBtn_->addItemWithTitle(timeText(style, now));
    if (!timeFramTypeBtn_->selectStoredIndex(w.timeFramStyleIndex))
        timeFramTypeBtn_->selectStoredIndex(0);
    showFontAndColour();
    const int percent = int(std::lround(double(w.watermarkAlpha) * 100));
    for (QSlider* slider : {textWaterAlphaSlider_, imageWaterAlphaSlider_}) {
        const QSignalBlocker quiet(slider);
        slider->setValue(percent);
    }
    alphaValueTextField_->setText(percentText(w.watermarkAlpha));
    watermarkAlphaLabel_->setText(alphaValueTextField_->text());
    showChecked(waterShadowBtn_, w.isWatermarkShadow);
    waterImagePathTextField_->setText(Preferences::shared().string(PrefKey::Watermark_imagePath));
}

void SettingsWatermarkSection::showFontAndColour() {
    const CompositionGroup& w = app_.composition;
    fontTypeBtn_->setText(QString::asprintf("%.f", w.textWatermarkFont.pointSizeF()));
    fontTypeBtn_->setAccessibleDescription(w.textWatermarkFont.family());
    fontColorBtn_->setStyleSheet(
        QString("QPushButton { background: %1; }").arg(w.textWatermarkColor.name()));
}

void SettingsWatermarkSection::watermarkChanged() {
    emit app_.composition.changed();
}

void SettingsWatermarkSection::changeWatermarkType(int tag) {
    app_.composition.watermarkType = unsigned(tag - 1);
    Preferences::shared().setValue(PrefKey::Watermark_Type, tag - 1);
    textPanel_->setVisible(tag == 1);
    imagePanel_->setVisible(tag == 2);
    if (tag == 1)
        refreshTextWatermark();
    else if (tag == 2) {
        const QString path = waterImagePathTextField_->text();
        if (!path.isEmpty())
            app_.composition.watermarkImage = QImage(path);
    }
    watermarkChanged();
}

void SettingsWatermarkSection::textwatermarkType(bool time) {
    app_.composition.isTimeTextWatermark = time;
    refreshTextWatermark();
}

void SettingsWatermarkSection::timeWatermarkChangeAction(int index) {
    app_.composition.timeFramStyleIndex = index;
    Preferences::shared().setValue(PrefKey::TimeFramStyleIndex, index);
    refreshTextWatermark();
}

void SettingsWatermarkSection::refreshTextWatermark() {
    CompositionGroup& w = app_.composition;
    WatermarkSettings settings;
    settings.textWatermarkFont = w.textWatermarkFont;
    settings.textWatermarkColor = w.textWatermarkColor;
    settings.watermarkAlpha = w.watermarkAlpha;
    QString text;
    if (w.isTimeTextWatermark) {
        text = timeText(timeFramStyle(w.timeFramStyles, w.timeFramStyleIndex),
                        QDateTime::currentDateTime());
    } else {
        w.watermarkTextString = watermarkText_->text();
        // Kept, so the text is there again after a restart.
        Preferences::shared().setValue(PrefKey::Watermark_textString, w.watermarkTextString);
        text = w.watermarkTextString;
    }
    w.watermarkImage = saveImageWithText(text, settings);
    watermarkChanged();
}

void SettingsWatermarkSection::watermarkFontAction() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, app_.composition.textWatermarkFont, window());
    if (!ok)
        return;
    app_.composition.textWatermarkFont = font;
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::Watermark_fontName, font.family());
    store.setValue(PrefKey::Watermark_pointSize, font.pointSizeF());
    showFontAndColour();
    refreshTextWatermark();
}

void SettingsWatermarkSection::watermarkColorActiion() {
    QColor colour = app_.composition.textWatermarkColor;
    colour.setAlphaF(app_.composition.watermarkAlpha);
    colour = QColorDialog::getColor(colour, window(), QString(), QColorDialog::ShowAlphaChannel);
    if (!colour.isValid())
        return;
    app_.composition.textWatermarkColor = colour;
    Preferences::shared().setValue(PrefKey::Watermark_color,
                                   QVariantList{colour.redF(), colour.greenF(), colour.blueF()});
    showFontAndColour();
    // The dialog's opacity is the watermark's opacity.
    watermarkAlphaAction(int(std::lround(colour.alphaF() * 100)));
}

void SettingsWatermarkSection::watermarkAlphaAction(int percent) {
    const float alpha = float(percent) / 100.0f;
    app_.composition.watermarkAlpha = alpha;
    Preferences::shared().setValue(PrefKey::Watermark_alpha, alpha);
    for (QSlider* slider : {textWaterAlphaSlider_, imageWaterAlphaSlider_}) {
        const QSignalBlocker quiet(slider);
        slider->setValue(percent);
    }
    alphaValueTextField_->setText(percentText(alpha));
    watermarkAlphaLabel_->setText(alphaValueTextField_->text());
    if (app_.composition.watermarkType == 0)
        refreshTextWatermark();
    else
        watermarkChanged();
}

void SettingsWatermarkSection::addwatermarkImageBtn() {
    const QString path = QFileDialog::getOpenFileName(window(), QString(), QString(),
                                                      "Images (*.png *.PNG *.jpg *.jpeg *.JPEG)");
    if (path.isEmpty())
        return;
    const QImage image(path);
    if (image.isNull())
        return;
    app_.composition.watermarkImage = image;
    waterImagePathTextField_->setText(path);
    KTBookmark& bookmarks = KTBookmark::defaultShareBookmark();
    bookmarks.saveOpenFileToBookmarkWithFilePath(path);
    bookmarks.BookmarkStartAccessingSecurityScopedResourceWithFilePath(path);
    Preferences::shared().setValue(PrefKey::Watermark_imagePath, path);
    watermarkChanged();
}
