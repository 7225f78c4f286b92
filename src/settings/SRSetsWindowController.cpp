#include "SRSetsWindowController.h"

#include "AppDelegate.h"
#include "EncodeManager.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "OutputNames.h"
#include "PreWatermarkWindowController.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRPopUpButton.h"
#include "SettingsHotkeyRows.h"
#include "SettingsWatermarkSection.h"
#include "SplitFields.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr const char* kSectionKeys[6] = {"Set_normalSetingsBtn",        "Set_mouseSetingsBtn",
                                         "Set_shortcutSettingsBtn",     "Set_watermarkSettingsBtn",
                                         "Set_recordScreenSettingsBtn", "Set_captrueSettingsBtn"};
constexpr const char* kQualityKeys[3] = {"Main_Fram_Original_Quality", "Main_Fram_HD_Quality",
                                         "Main_Fram_SD_Quality"};
constexpr int kWatermarkSection = 3;

SRPopUpButton* popUp(const QStringList& items) {
    auto* p = new SRPopUpButton;
    p->setTitle(QString());
    for (const QString& item : items)
        p->addItemWithTitle(item);
    p->setMinimumWidth(160);
    return p;
}

QLineEdit* numberField(int tag) {
    auto* field = new QLineEdit;
    field->setProperty("tag", tag);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), field));
    field->setFixedWidth(72);
    return field;
}

} // namespace

SRSetsWindowController::SRSetsWindowController(AppDelegate& app, EncodeManager& encoder,
                                               HotkeyDispatcher* hotkeys, Platform& platform)
    : app_(app), encoder_(encoder), platform_(platform) {
    texts_.add(static_cast<QWidget*>(this), "setsBtn.toolTip");
    auto* nav = new QVBoxLayout;
    sectionButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        auto* button = texts_.add(new QPushButton, kSectionKeys[i]);
        button->setCheckable(true);
        sectionButtons_->addButton(button, i);
        nav->addWidget(button);
    }
    nav->addStretch();
    connect(sectionButtons_, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on)
            selectSection(index);
    });

    hotkeyRows_ = new SettingsHotkeyRows(app_.hotkeys, hotkeys, texts_);
    watermark_ = new SettingsWatermarkSection(app_, texts_);
    auto* camera = new QWidget;
    captrueBtn_ = texts_.add(settingsCheckBox(), "Set_label_17");
    (new QVBoxLayout(camera))->addWidget(captrueBtn_);
    const std::array<QWidget*, 6> bodies = {buildGeneral(), buildCursor(), hotkeyRows_,
                                            watermark_,     buildSplit(),  camera};

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    for (int i = 0; i < 6; ++i) {
        auto* section = new QWidget;
        auto* layout = new QVBoxLayout(section);
        layout->setContentsMargins(0, 8, 0, 16);
        auto* heading = texts_.add(new QLabel, kSectionKeys[i]);
        heading->setStyleSheet("font-weight: bold; font-size: 15px;");
        layout->addWidget(heading);
        layout->addWidget(bodies[size_t(i)]);
        column->addWidget(section);
        sections_[size_t(i)] = section;
    }
    column->addStretch();
    scroll_ = new QScrollArea;
    scroll_->setWidget(page);
    scroll_->setWidgetResizable(true);
    scroll_->setMinimumSize(560, 420);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &SRSetsWindowController::followScrolling);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(nav);
    layout->addWidget(scroll_, 1);
    resize(720, 520);

    connect(captrueBtn_, &QCheckBox::toggled, this, [this](bool on) {
        app_.capture.isCaptrueMirror = on;
        Preferences::shared().setValue(PrefKey::IsCaptrueMirrored, on);
    });
    connect(watermark_, &SettingsWatermarkSection::previewRequested, this,
            &SRSetsWindowController::preViewWatermarkAction);
    connect(&app_.capture, &SettingsGroup::changed, this, &SRSetsWindowController::showCapture);
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &SRSetsWindowController::ChangeLoanguage);
    ChangeLoanguage();
}

SRSetsWindowController::~SRSetsWindowController() {
    hotkeyRows_->removeMonitor();
}

QWidget* SRSetsWindowController::buildGeneral() {
    auto* general = new QWidget;
    auto* grid = new QGridLayout(general);
    videoTypeBox_ = popUp(app_.capture.videoTypes);
    frameBox_ = popUp({QString(), QString(), QString()});
    fpsBox_ = popUp(app_.capture.fpsTitles);
    audioExpBox_ = popUp(app_.capture.audioExtensions);
    const std::array<std::pair<SRPopUpButton*, const char*>, 4> rows = {
        {{videoTypeBox_, "Set_label_1"},
         {frameBox_, "Set_label_2"},
         {fpsBox_, "Set_label_3"},
         {audioExpBox_, "Set_label_4"}}};
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* label = texts_.add(new QLabel, rows[i].second);
        label->setBuddy(rows[i].first);
        grid->addWidget(label, int(i), 0);
        grid->addWidget(rows[i].first, int(i), 1);
    }
    // Each pop-up writes its index, its preference and tells the main window.
    const auto chosen = [this](int CaptureGroup::*field, const char* key) {
        return [this, field, key](int index) {
            app_.capture.*field = index;
            Preferences::shared().setValue(key, index);
            if (field == &CaptureGroup::fpsItemIndex)
                app_.capture.fps = fpsBox_->titleOfSelectedItem().section(' ', 0, 0).toFloat();
            emit app_.capture.changed();
        };
    };
    connect(videoTypeBox_, &SRPopUpButton::choiceMade, this,
            chosen(&CaptureGroup::videoTypeBoxIndex, PrefKey::VideoTypeIndex));
    connect(frameBox_, &SRPopUpButton::choiceMade, this,
            chosen(&CaptureGroup::framItemIndex, PrefKey::FramItemIndex));
    connect(fpsBox_, &SRPopUpButton::choiceMade, this,
            chosen(&CaptureGroup::fpsItemIndex, PrefKey::FpsItemIndex));
    connect(audioExpBox_, &SRPopUpButton::choiceMade, this,
            chosen(&CaptureGroup::audioExtensionIndex, PrefKey::AudioTypeIndex));

    showtimeBtn_ = texts_.add(settingsCheckBox(), "Set_label_12");
    grid->addWidget(showtimeBtn_, 4, 0, 1, 2);
    connect(showtimeBtn_, &QCheckBox::toggled, this, [this] { changemouseAction(showtimeBtn_); });

    folderField_ = new QLineEdit;
    folderField_->setReadOnly(true);
    auto* folderLabel = texts_.add(new QLabel, "Set_label_18");
    folderLabel->setBuddy(folderField_);
    auto* folderButton = texts_.add(new QPushButton, "Set_label_19");
    grid->addWidget(folderLabel, 5, 0);
    grid->addWidget(folderField_, 5, 1, 1, 2);
    grid->addWidget(folderButton, 5, 3);
    grid->setColumnStretch(2, 1);
    connect(folderButton, &QPushButton::clicked, this,
            &SRSetsWindowController::chooseRecordingsFolder);
    return general;
}

QWidget* SRSetsWindowController::buildCursor() {
    auto* cursor = new QWidget;
    auto* column = new QVBoxLayout(cursor);
    mouseShowBtn_ = texts_.add(settingsCheckBox(), "Set_label_9");
    mouseHight_ = texts_.add(settingsCheckBox(), "Set_label_10");
    mouseclickEffect_ = texts_.add(settingsCheckBox(), "Set_label_11");
    for (QCheckBox* box : {mouseShowBtn_, mouseHight_, mouseclickEffect_}) {
        column->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this, box] { changemouseAction(box); });
    }
    return cursor;
}

QWidget* SRSetsWindowController::buildSplit() {
    auto* split = new QWidget;
    auto* grid = new QGridLayout(split);
    splitTimeBtn_ = texts_.add(settingsCheckBox(), "Set_label_5");
    splitSizeBtn_ = texts_.add(settingsCheckBox(), "Set_label_6");
    splitTimeField_ = numberField(1000);
    splitSizeField_ = numberField(2000);
    texts_.addAccessibleName(splitTimeField_, "Set_label_5");
    texts_.addAccessibleName(splitSizeField_, "Set_label_6");
    grid->addWidget(splitTimeBtn_, 0, 0);
    grid->addWidget(splitTimeField_, 0, 1);
    grid->addWidget(texts_.add(new QLabel, "Set_label_7"), 0, 2);
    grid->addWidget(splitSizeBtn_, 1, 0);
    grid->addWidget(splitSizeField_, 1, 1);
    grid->addWidget(texts_.add(new QLabel, "Set_label_8"), 1, 2);
    grid->setColumnStretch(3, 1);
    connect(splitTimeBtn_, &QCheckBox::toggled, this, [this] { splitSaveAction(true); });
    connect(splitSizeBtn_, &QCheckBox::toggled, this, [this] { splitSaveAction(false); });
    for (QLineEdit* field : {splitTimeField_, splitSizeField_}) {
        connect(field, &QLineEdit::textEdited, this, [field](const QString& text) {
            const QString kept = splitFieldText(text, field->property("tag").toInt() == 1000);
            if (kept != text)
                field->setText(kept);
        });
    }
    return split;
}

void SRSetsWindowController::showWindow() {
    app_.hotkeys.isCanKeyEvent = false;
    emit app_.hotkeys.changed();
    if (!isVisible()) {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        move(screen.center() - rect().center());
    }
    hotkeyRows_->initMonitor();
    loadControls();
    show();
    raise();
    activateWindow();
    followScrolling();
}

void SRSetsWindowController::loadControls() {
    showCapture();
    const CompositionGroup& w = app_.composition;
    const Preferences& store = Preferences::shared();
    showChecked(showtimeBtn_, app_.capture.isShowReverseTime);
    showChecked(mouseShowBtn_, w.isShowMouse);
    showChecked(mouseHight_, w.isMouseHight);
    showChecked(mouseclickEffect_, w.isMouseClickEffect);
    folderField_->setText(OutputNames::outputFolder());
    hotkeyRows_->loadControls();
    watermark_->loadControls();
    const qint64 type = store.integer(PrefKey::SplitType);
    showChecked(splitTimeBtn_, type == 1);
    showChecked(splitSizeBtn_, type == 2);
    splitTimeField_->setEnabled(type == 1);
    splitSizeField_->setEnabled(type == 2);
    splitTimeField_->setText(QString::number(encoder_.splitTime));
    splitSizeField_->setText(QString::number(encoder_.splitSize));
    showChecked(captrueBtn_, app_.capture.isCaptrueMirror);
}

void SRSetsWindowController::showCapture() {
    const CaptureGroup& c = app_.capture;
    videoTypeBox_->selectStoredIndex(c.videoTypeBoxIndex);
    frameBox_->selectStoredIndex(c.framItemIndex);
    fpsBox_->selectStoredIndex(c.fpsItemIndex);
    audioExpBox_->selectStoredIndex(c.audioExtensionIndex);
}

void SRSetsWindowController::ChangeLoanguage() {
    texts_.retitle();
    for (int i = 0; i < 3; ++i)
        frameBox_->setItemText(i + 1, Localization::localizedStringForKey(kQualityKeys[i]));
}

void SRSetsWindowController::selectSection(int index) {
    if (index < 0 || index >= int(sections_.size()))
        return;
    showChecked(sectionButtons_->button(index), true);
    isNeedDisplay_ = true;
    QScrollBar* bar = scroll_->verticalScrollBar();
    // With no watermark the section is short: the page's end shows it whole.
    if (index == kWatermarkSection && app_.composition.watermarkType == 2)
        bar->setValue(bar->maximum());
    else
        bar->setValue(std::min(sections_[size_t(index)]->y(), bar->maximum()));
    isNeedDisplay_ = false;
}

void SRSetsWindowController::followScrolling() {
    if (isNeedDisplay_)
        return;
    hotkeyRows_->disarm();
    const int top = scroll_->verticalScrollBar()->value();
    int inView = 0;
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i]->y() <= top + 24)
            inView = int(i);
    }
    showChecked(sectionButtons_->button(inView), true);
}

void SRSetsWindowController::changemouseAction(QCheckBox* box) {
    CompositionGroup& w = app_.composition;
    if (box == mouseShowBtn_)
        w.isShowMouse = box->isChecked();
    else if (box == mouseHight_)
        w.isMouseHight = box->isChecked();
    else if (box == mouseclickEffect_)
        w.isMouseClickEffect = box->isChecked();
    else
        app_.capture.isShowReverseTime = box->isChecked();
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::IsShowMouse, w.isShowMouse.load());
    store.setValue(PrefKey::IsMouseHighlight, w.isMouseHight.load());
    store.setValue(PrefKey::IsMouseClickEffect, w.isMouseClickEffect.load());
    store.setValue(PrefKey::IsShowReverseTime, app_.capture.isShowReverseTime);
    emit w.changed();
}

void SRSetsWindowController::splitSaveAction(bool time) {
    QCheckBox* chosen = time ? splitTimeBtn_ : splitSizeBtn_;
    QCheckBox* other = time ? splitSizeBtn_ : splitTimeBtn_;
    QLineEdit* field = time ? splitTimeField_ : splitSizeField_;
    showChecked(other, false);
    field->setEnabled(true);
    (time ? splitSizeField_ : splitTimeField_)->setEnabled(false);
    field->setFocus();
    Preferences::shared().setValue(PrefKey::SplitType, chosen->isChecked() ? (time ? 1 : 2) : 0);
}

void SRSetsWindowController::chooseRecordingsFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QString(), OutputNames::outputFolder());
    if (folder.isEmpty())
        return;
    Preferences::shared().setValue(PrefKey::RecordingsFolder, folder);
    folderField_->setText(OutputNames::outputFolder());
}

void SRSetsWindowController::preViewWatermarkAction() {
    PreWatermarkWindowController placement(app_.composition.watermarkImage, platform_, this);
    placement.exec();
}

void SRSetsWindowController::closeEvent(QCloseEvent* event) {
    windowShouldClose();
    QWidget::closeEvent(event);
}

void SRSetsWindowController::windowShouldClose() {
    encoder_.splitTime = splitFieldValue(splitTimeField_->text(), true);
    encoder_.splitSize = splitFieldValue(splitSizeField_->text(), false);
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::SplitType, splitTimeBtn_->isChecked()   ? 1
                                       : splitSizeBtn_->isChecked() ? 2
                                                                    : 0);
    store.setValue(PrefKey::SplitTime, encoder_.splitTime);
    store.setValue(PrefKey::SplitSize, encoder_.splitSize);
    hotkeyRows_->disarm();
    hotkeyRows_->removeMonitor();
    if (app_.composition.watermarkType == 0)
        watermark_->refreshTextWatermark();
    store.synchronize();
    app_.hotkeys.isCanKeyEvent = true;
    emit app_.hotkeys.changed();
}
