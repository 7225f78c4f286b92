#include "MainWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "AppDelegate.h"
#include "AudioDeviceRecovery.h"
#include "AudioOnOffMenus.h"
#include "AudioOnlyPanel.h"
#include "LevelBars.h"
#include "Localization.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "RecordFlows.h"
#include "SRButton.h"
#include "SRPopUpButton.h"

namespace {

QString tr_(const char* key) {
    return Localization::localizedStringForKey(key);
}

constexpr const char* kModeKeys[5] = {"Main_Full_Screen", "Main_Custom_Area", "Main_App_Window",
                                      "Main_Camera", "Main_Audio_Only"};
constexpr const char* kModeImages[5] = {"btnFullScreen", "btnCustomArea", "btnAppWindow",
                                        "btnCamera", "btnAudioOnly"};

SRPopUpButton* popUp(const QString& title, const QStringList& items, int storedIndex) {
    auto* p = new SRPopUpButton;
    p->setTitle(title);
    for (const QString& item : items)
        p->addItemWithTitle(item);
    p->selectStoredIndex(storedIndex);
    return p;
}

} // namespace

MainWindow::MainWindow(AppDelegate& app, RecordFlows& flows) : app_(app), flows_(flows) {
    setWindowTitle("Tapedeck");
    panels_ = new QStackedWidget(this);

    // Home: the five modes.
    auto* home = new QWidget;
    auto* homeLayout = new QHBoxLayout(home);
    for (int tag = 0; tag < 5; ++tag) {
        auto* b = new SRButton;
        b->setImageName(QString(kModeImages[tag]) + "_Normal");
        b->setText(tr_(kModeKeys[tag]));
        b->setTitlePosition(SRButton::TitlePosition::Below);
        b->setFixedSize(96, 112);
        connect(b, &SRButton::clicked, this, [this, tag] { fullScreenClicked(tag); });
        homeLayout->addWidget(b);
        modeButtons_[size_t(tag)] = b;
    }
    panels_->addWidget(home);

    // Settings and recording controls of the chosen mode.
    auto* settings = new QWidget;
    auto* grid = new QGridLayout(settings);
    modeLabel_ = new QLabel;
    qualityPopUp_ = popUp(tr_("Set_label_2"),
                          {tr_("Main_Fram_Original_Quality"), tr_("Main_Fram_HD_Quality"),
                           tr_("Main_Fram_SD_Quality")},
                          app_.capture.framItemIndex);
    fpsPopUp_ = popUp(tr_("Set_label_3"), app_.capture.fpsTitles, app_.capture.fpsItemIndex);
    // The start-up pass stores the index; the rate itself is the chosen title's number.
    if (app_.capture.fps <= 0)
        app_.capture.fps = fpsPopUp_->titleOfSelectedItem().section(' ', 0, 0).toFloat();
    videoTypePopUp_ =
        popUp(tr_("Set_label_1"), app_.capture.videoTypes, app_.capture.videoTypeBoxIndex);
    audioPopUp_ = popUp(tr_("Main_Audio_System"),
                        {tr_("Main_Audio_System"), tr_("Main_Audio_Micphone"),
                         tr_("Main_Audio_System&Micphone"), tr_("Main_Audio_None")},
                        int(app_.capture.recordAudioType));
    connect(qualityPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::frameChangeAction);
    connect(fpsPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::fpsChangeAction);
    connect(videoTypePopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::videoTypeChangeAction);
    connect(audioPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::audioChangeAction);
    onOffMenus_ = new AudioOnOffMenus;
    onOffMenus_->showAudioType(app_.capture.recordAudioType);
    connect(onOffMenus_, &AudioOnOffMenus::typeChosen, this,
            [this](unsigned type) { audioChangeAction(int(type)); });
    audioOnlyPanel_ = new AudioOnlyPanel(app_, flows_);
    connect(audioOnlyPanel_, &AudioOnlyPanel::audioSourcePicked, this,
            [this](unsigned type) { audioChangeAction(int(type)); });
    audioOnlyPanel_->setVisible(false);
    levelBars_ = new LevelBars;
    screenPopUp_ = new SRPopUpButton;
    connect(screenPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::screenItemChange);

    recordButton_ = new SRButton;
    recordButton_->setImageName("btnStartRecrord_Normal");
    recordButton_->setFixedSize(64, 64);
    pauseButton_ = new SRButton;
    pauseButton_->setImageName("btnPauseRecord_Normal");
    pauseButton_->setFixedSize(48, 48);
    pauseButton_->setEnabled(false);
    backButton_ = new SRButton;
    backButton_->setImageName("btnBackHome_Normal");
    backButton_->setFixedSize(40, 40);
    timeLabel_ = new QLabel("00:00:00");
    timeLabel_->setStyleSheet("font-size: 20px; font-weight: bold;");
    flows_.generateMemoryInfo();
    sizeLabel_ = new QLabel(QString::asprintf("%.2f MB / ", 0.0) + flows_.systemFreeSpace());

    grid->addWidget(backButton_, 0, 0);
    grid->addWidget(modeLabel_, 0, 1, 1, 3);
    grid->addWidget(qualityPopUp_, 1, 0, 1, 2);
    grid->addWidget(fpsPopUp_, 1, 2, 1, 2);
    grid->addWidget(videoTypePopUp_, 2, 0, 1, 2);
    grid->addWidget(audioPopUp_, 3, 0, 1, 2);
    grid->addWidget(screenPopUp_, 3, 2, 1, 2);
    grid->addWidget(timeLabel_, 4, 0, 1, 2);
    grid->addWidget(sizeLabel_, 4, 2, 1, 2);
    grid->addWidget(pauseButton_, 5, 1);
    grid->addWidget(recordButton_, 5, 2);
    grid->addWidget(levelBars_, 5, 3);
    grid->addWidget(onOffMenus_, 6, 0, 1, 4);
    grid->addWidget(audioOnlyPanel_, 7, 0, 1, 4);
    panels_->addWidget(settings);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panels_);

    connect(recordButton_, &SRButton::clicked, &flows_, &RecordFlows::recordScreenClicked);
    connect(pauseButton_, &SRButton::clicked, &flows_, &RecordFlows::pauseOrResumeAction);
    connect(backButton_, &SRButton::clicked, this, &MainWindow::showHome);
    connect(&flows_, &RecordFlows::recordingChanged, this, &MainWindow::updateRecording);
    connect(&flows_, &RecordFlows::recordControlsEnabled, this,
            &MainWindow::setRecordControlsEnabled);
    connect(&flows_, &RecordFlows::pauseImageChanged, pauseButton_, &SRButton::setImageName);
    connect(&flows_, &RecordFlows::progressChanged, this,
            [this](const QString& time, const QString& size) {
                timeLabel_->setText(time);
                sizeLabel_->setText(size);
                // The badge of this desktop: the window title.
                setWindowTitle(app_.ui.recording ? "Tapedeck — " + time : "Tapedeck");
            });
    connect(&flows_, &RecordFlows::startFailed, this, [this](const QString& path) {
        QMessageBox::warning(this, tr_("Alert_Title"), tr_("Alert_Encode_Message") + "\n" + path);
    });
    connect(&flows_, &RecordFlows::cameraMissing, this, [this] {
        QMessageBox::warning(this, tr_("Alert_Title"), tr_("Alert_Camera_Message"));
    });
}

void MainWindow::showHome() {
    if (app_.ui.recording)
        return;
    panels_->setCurrentIndex(0);
    emit modeChoiceShown();
}

void MainWindow::fullScreenClicked(int tag) {
    app_.hotkeys.isCanKeyEvent = true;
    app_.capture.recordVideoType = unsigned(tag);
    flows_.recordManager().recordVideoType = unsigned(tag);
    for (int i = 0; i < 5; ++i)
        modeButtons_[size_t(i)]->setChecked(i == tag);
    modeLabel_->setText(tr_(kModeKeys[tag]));
    const bool audioOnly = tag == 4;
    qualityPopUp_->setVisible(!audioOnly);
    fpsPopUp_->setVisible(!audioOnly);
    videoTypePopUp_->setVisible(!audioOnly);
    audioOnlyPanel_->setVisible(audioOnly);
    levelBars_->setMode(unsigned(tag));
    if (audioOnly)
        screenPopUp_->setVisible(false);
    else
        refillScreenPopUp();
    panels_->setCurrentIndex(1);
    // The chosen source starts capturing again.
    audioChangeAction(int(app_.capture.recordAudioType));
}

void MainWindow::refillScreenPopUp() {
    const std::vector<DisplayInfo> screens = flows_.screens();
    screenPopUp_->removeAllItems();
    screenPopUp_->setTitle(QString());
    for (const DisplayInfo& screen : screens)
        screenPopUp_->addItemWithTitle(screen.name);
    screenPopUp_->selectStoredIndex(0);
    screenItemChange(0);
    screenPopUp_->setVisible(screens.size() >= 2);
}

void MainWindow::screenItemChange(int i) {
    const std::vector<DisplayInfo> screens = flows_.screens();
    if (i >= 0 && size_t(i) < screens.size())
        flows_.setRecordScreen(screens[size_t(i)]);
}

void MainWindow::frameChangeAction(int i) {
    app_.capture.framItemIndex = i;
    Preferences::shared().setValue(PrefKey::FramItemIndex, i);
}

void MainWindow::fpsChangeAction(int i) {
    app_.capture.fpsItemIndex = i;
    // "23.976 fps" -> 23.976
    app_.capture.fps = fpsPopUp_->titleOfSelectedItem().section(' ', 0, 0).toFloat();
    Preferences::shared().setValue(PrefKey::FpsItemIndex, i);
}

void MainWindow::videoTypeChangeAction(int i) {
    app_.capture.videoTypeBoxIndex = i;
    Preferences::shared().setValue(PrefKey::VideoTypeIndex, i);
}

void MainWindow::audioChangeAction(int i) {
    if ((i == 1 || i == 2) &&
        !AudioDeviceRecovery::hasMicrophone(EZAudioDevice::inputDevices(app_.audioHardware()))) {
        QMessageBox::information(this, QString(), tr_("Alert_Mic_Message"));
        showAudioType(app_.capture.recordAudioType);
        return;
    }
    if (i == 3)
        levelBars_->clear();
    showAudioType(unsigned(i));
    app_.capture.recordAudioType = unsigned(i);
    flows_.recordManager().recordAudioType = unsigned(i);
    Preferences::shared().setValue(PrefKey::RecordAudioType, i);
    emit audioSourceChosen(unsigned(i));
}

void MainWindow::showAudioType(unsigned type) {
    audioPopUp_->selectStoredIndex(int(type));
    onOffMenus_->showAudioType(type);
    audioOnlyPanel_->showAudioType(type);
}

AudioLevelMeter::Views MainWindow::levelViews() const {
    return {audioOnlyPanel_->waveView(), levelBars_->progressView(), levelBars_->systemBar(),
            levelBars_->micBar()};
}

void MainWindow::setRecordControlsEnabled(bool enabled) {
    backButton_->setEnabled(enabled);
    for (SRPopUpButton* p : {qualityPopUp_, fpsPopUp_, videoTypePopUp_, audioPopUp_, screenPopUp_})
        p->setEnabled(enabled);
    onOffMenus_->setEnabled(enabled);
}

void MainWindow::updateRecording(bool recording) {
    recordButton_->setImageName(recording ? "btnStopRecord_Normal" : "btnStartRecrord_Normal");
    pauseButton_->setEnabled(recording);
    setRecordControlsEnabled(!recording);
    if (!recording)
        timeLabel_->setText("00:00:00");
}
