#include "MainWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppDelegate.h"
#include "AudioDeviceRecovery.h"
#include "AudioOnOffMenus.h"
#include "AudioOnlyPanel.h"
#include "CameraControls.h"
#include "CameraSwitch.h"
#include "LevelBars.h"
#include "LimitWindowButtons.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "Platform.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "RecordFlows.h"
#include "SRButton.h"
#include "SRPopUpButton.h"
#include "SplitLengths.h"
#include "StartSetsButton.h"

namespace {

QString tr_(const char* key) {
    return Localization::localizedStringForKey(key);
}

constexpr const char* kModeKeys[5] = {"Main_Full_Screen", "Main_Custom_Area", "Main_App_Window",
                                      "Main_Camera", "Main_Audio_Only"};
constexpr const char* kModeImages[5] = {"btnFullScreen", "btnCustomArea", "btnAppWindow",
                                        "btnCamera", "btnAudioOnly"};
constexpr const char* kQualityKeys[3] = {"Main_Fram_Original_Quality", "Main_Fram_HD_Quality",
                                         "Main_Fram_SD_Quality"};
// Labels of the video settings, in the order of MainWindow::videoLabels_.
constexpr const char* kVideoLabelKeys[4] = {"Set_label_2", "Set_label_3", "Set_label_1",
                                            "Main_Screen"};

SRPopUpButton* popUp(const QStringList& items) {
    auto* p = new SRPopUpButton;
    p->setTitle(QString());
    for (const QString& item : items)
        p->addItemWithTitle(item);
    return p;
}

// "23.976 fps" -> 23.976
float fpsOfTitle(const QString& title) {
    return title.section(' ', 0, 0).toFloat();
}

} // namespace

MainWindow::MainWindow(AppDelegate& app, RecordFlows& flows) : app_(app), flows_(flows) {
    setWindowTitle("Tapedeck");

    // Home: the five modes.
    home_ = new QWidget;
    auto* homeLayout = new QHBoxLayout(home_);
    for (int tag = 0; tag < 5; ++tag) {
        auto* b = new SRButton;
        b->setImageName(QString(kModeImages[tag]) + "_Normal");
        b->setTitlePosition(SRButton::TitlePosition::Below);
        b->setMinimumSize(96, 112);
        connect(b, &SRButton::clicked, this, [this, tag] { fullScreenClicked(tag); });
        homeLayout->addWidget(b);
        modeButtons_[size_t(tag)] = b;
    }

    // Settings and recording controls of the chosen mode.
    settings_ = new QWidget;
    backButton_ = new SRButton;
    backButton_->setImageName("btnBackHome_Normal");
    backButton_->setFixedSize(32, 32);
    modeLabel_ = new QLabel;
    modeLabel_->setStyleSheet("font-size: 16px; font-weight: bold;");
    auto* header = new QHBoxLayout;
    header->addWidget(backButton_);
    header->addWidget(modeLabel_, 1);
    setsBtn_ = new QToolButton;
    setsBtn_->setText(QString::fromUtf8("⚙"));
    setsBtn_->setAutoRaise(true);
    setsBtn_->setFixedSize(32, 32);
    setsBtn_->setStyleSheet("font-size: 20px;");
    header->addWidget(setsBtn_);
    fileListButton_ = new SRButton;
    fileListButton_->setImageName("btnFileList_Normal");
    fileListButton_->setFixedSize(32, 32);
    header->addWidget(fileListButton_);

    qualityPopUp_ = popUp({QString(), QString(), QString()});
    fpsPopUp_ = popUp(app_.capture.fpsTitles);
    videoTypePopUp_ = popUp(app_.capture.videoTypes);
    screenPopUp_ = popUp({});
    settingsGrid_ = new QWidget;
    auto* videoGrid = new QGridLayout(settingsGrid_);
    videoGrid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel;
        label->setBuddy(videoPopUps()[size_t(i)]);
        videoLabels_[size_t(i)] = label;
        videoGrid->addWidget(label, i / 2, i % 2 * 2);
        videoGrid->addWidget(videoPopUps()[size_t(i)], i / 2, i % 2 * 2 + 1);
    }
    videoGrid->setColumnMinimumWidth(1, 140);
    videoGrid->setColumnMinimumWidth(3, 140);
    connect(qualityPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::frameChangeAction);
    connect(fpsPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::fpsChangeAction);
    connect(videoTypePopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::videoTypeChangeAction);
    connect(screenPopUp_, &SRPopUpButton::choiceMade, this, &MainWindow::screenItemChange);

    onOffMenus_ = new AudioOnOffMenus(*videoGrid, 2, this);
    connect(onOffMenus_, &AudioOnOffMenus::typeChosen, this,
            [this](unsigned type) { audioChangeAction(int(type)); });
    audioOnlyPanel_ = new AudioOnlyPanel(app_, flows_);
    connect(audioOnlyPanel_, &AudioOnlyPanel::audioSourcePicked, this,
            [this](unsigned type) { audioChangeAction(int(type)); });
    audioOnlyPanel_->setVisible(false);
    cameraControls_ = new CameraControls(flows_, flows_.cameraSwitch());

    timeLabel_ = new QLabel("00:00:00");
    timeLabel_->setStyleSheet("font-size: 20px; font-weight: bold;");
    flows_.generateMemoryInfo();
    sizeLabel_ = new QLabel(QString::asprintf("%.2f MB / ", 0.0) + flows_.systemFreeSpace());
    // Shown while a recording loses frames, so the user knows the file skips.
    droppedLabel_ = new QLabel;
    droppedLabel_->setStyleSheet("color: #d00000;");
    droppedLabel_->setVisible(false);
    auto* progress = new QHBoxLayout;
    progress->addWidget(timeLabel_);
    progress->addStretch();
    progress->addWidget(droppedLabel_);
    progress->addStretch();
    progress->addWidget(sizeLabel_);

    recordButton_ = new SRButton;
    recordButton_->setImageName("btnStartRecrord_Normal");
    recordButton_->setFixedSize(64, 64);
    pauseButton_ = new SRButton;
    pauseButton_->setImageName("btnPauseRecord_Normal");
    pauseButton_->setFixedSize(48, 48);
    pauseButton_->setEnabled(false);
    drawToolsButton_ = new SRButton;
    drawToolsButton_->setImages("画笔选中", QString(), QString());
    drawToolsButton_->setFixedSize(40, 40);
    levelBars_ = new LevelBars;
    SRRecordManager& manager = flows_.recordManager();
    startSetsBtn_ = new StartSetsButton(app_, [&manager] { return manager.isEncoding(); });
    loadSplitLengths(manager.encodeManager(), Preferences::shared());
    auto* limitButtons = new LimitWindowButtons(app_, manager.encodeManager());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(drawToolsButton_);
    buttons->addSpacing(16);
    buttons->addWidget(pauseButton_);
    buttons->addSpacing(16);
    buttons->addWidget(recordButton_);
    buttons->addWidget(startSetsBtn_);
    buttons->addWidget(limitButtons);
    buttons->addSpacing(16);
    buttons->addWidget(levelBars_);
    buttons->addStretch();

    auto* column = new QVBoxLayout(settings_);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(header);
    column->addWidget(settingsGrid_);
    column->addWidget(cameraControls_);
    column->addWidget(audioOnlyPanel_);
    column->addLayout(progress);
    column->addLayout(buttons);
    settings_->setVisible(false);
    // Some desktops (Wayland) keep other windows and global input to themselves: say what that
    // leaves out rather than offering controls that silently do nothing.
    modeButtons_[2]->setVisible(flows_.platform().seesOtherWindows());
    sessionNote_ = new QLabel;
    sessionNote_->setWordWrap(true);
    sessionNote_->setVisible(!flows_.platform().seesGlobalInput());
    column->insertWidget(1, sessionNote_);

    // As large as the page shown: the window shrinks and grows with the mode, and pop-ups
    // keep their natural widths.
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(home_);
    layout->addWidget(settings_);

    showCapture();
    changeLanguage();

    connect(recordButton_, &SRButton::clicked, &flows_, &RecordFlows::recordScreenClicked);
    connect(startSetsBtn_, &StartSetsButton::recordScreenClicked, &flows_,
            &RecordFlows::recordScreenClicked);
    connect(startSetsBtn_, &StartSetsButton::recordAfterScreenClicked, &flows_,
            &RecordFlows::recordAfterScreenClicked);
    connect(startSetsBtn_, &StartSetsButton::countDownAction, &flows_,
            &RecordFlows::countDownAction);
    connect(pauseButton_, &SRButton::clicked, &flows_, &RecordFlows::pauseOrResumeAction);
    connect(backButton_, &SRButton::clicked, this, &MainWindow::showHome);
    connect(drawToolsButton_, &SRButton::clicked, &app_, &AppDelegate::showDoodleToolAction);
    connect(fileListButton_, &SRButton::clicked, &app_, &AppDelegate::enterFileListAction);
    connect(setsBtn_, &QToolButton::clicked, &app_, &AppDelegate::settingAction);
    connect(&flows_, &RecordFlows::recordingChanged, this, &MainWindow::updateRecording);
    connect(&flows_, &RecordFlows::recordControlsEnabled, this,
            &MainWindow::setRecordControlsEnabled);
    connect(&flows_, &RecordFlows::pauseImageChanged, this, &MainWindow::showPauseImage);
    connect(&flows_, &RecordFlows::progressChanged, this,
            [this](const QString& time, const QString& size) {
                timeLabel_->setText(time);
                sizeLabel_->setText(size);
                // The badge of this desktop: the window title.
                setWindowTitle(app_.ui.recording ? "Tapedeck — " + time : "Tapedeck");
            });
    connect(&flows_, &RecordFlows::framesDropped, this, [this](qint64 count) {
        droppedLabel_->setText(tr_("Main_Frames_Dropped").arg(count));
        droppedLabel_->setVisible(count > 0 && app_.ui.recording);
    });
    connect(&flows_, &RecordFlows::startFailed, this, [this](const QString& path) {
        QMessageBox::warning(this, tr_("Alert_Title"), tr_("Alert_Encode_Message") + "\n" + path);
    });
    connect(&flows_, &RecordFlows::cameraMissing, this, [this] {
        QMessageBox::warning(this, tr_("Alert_Title"), tr_("Alert_Camera_Message"));
    });
    // Not modal: the event loop goes on, and the record button with it.
    connect(&flows_, &RecordFlows::recordingEnded, this, [this](const QString& message) {
        auto* box = new QMessageBox(QMessageBox::Warning, tr_("Alert_Title"), message,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    connect(&app_.capture, &SettingsGroup::changed, this, &MainWindow::showCapture);
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &MainWindow::changeLanguage);
}

void MainWindow::changeLanguage() {
    for (int tag = 0; tag < 5; ++tag)
        modeButtons_[size_t(tag)]->setText(tr_(kModeKeys[tag]));
    modeLabel_->setText(tr_(kModeKeys[std::min(app_.capture.recordVideoType, 4u)]));
    for (size_t i = 0; i < videoLabels_.size(); ++i) {
        videoLabels_[i]->setText(tr_(kVideoLabelKeys[i]));
        // The screen pop-up's title stays empty.
        if (videoPopUps()[i] != screenPopUp_)
            videoPopUps()[i]->setTitle(videoLabels_[i]->text());
    }
    for (size_t i = 0; i < 3; ++i)
        qualityPopUp_->setItemText(int(i) + 1, tr_(kQualityKeys[i]));
    sessionNote_->setText(tr_(flows_.platform().offersGlobalShortcuts()
                                  ? "Main_Session_Limits_ClickRing"
                                  : "Main_Session_Limits"));
    backButton_->setToolTip(tr_("backHomeBtn.toolTip"));
    fileListButton_->setToolTip(tr_("fileListBtn.toolTip"));
    drawToolsButton_->setToolTip(tr_("Menu_Edit_DooleTool"));
    setsBtn_->setToolTip(tr_("setsBtn.toolTip"));
    setsBtn_->setAccessibleName(setsBtn_->toolTip());
    recordButton_->setToolTip(
        tr_(app_.ui.recording ? "stopRecordBtn.toolTip" : "startRecordBtn.toolTip"));
    showPauseImage(pauseButton_->imageName(SRImageState::Normal));
    onOffMenus_->changeLanguage();
    audioOnlyPanel_->changeLanguage();
    levelBars_->changeLanguage();
    cameraControls_->changeLanguage();
}

std::array<SRPopUpButton*, 4> MainWindow::videoPopUps() const {
    return {qualityPopUp_, fpsPopUp_, videoTypePopUp_, screenPopUp_};
}

void MainWindow::showCapture() {
    const CaptureGroup& c = app_.capture;
    qualityPopUp_->selectStoredIndex(c.framItemIndex);
    fpsPopUp_->selectStoredIndex(c.fpsItemIndex);
    videoTypePopUp_->selectStoredIndex(c.videoTypeBoxIndex);
    // The start-up pass stores the index; the rate itself is the chosen title's number.
    if (app_.capture.fps <= 0)
        app_.capture.fps = fpsOfTitle(fpsPopUp_->titleOfSelectedItem());
    onOffMenus_->showAudioType(c.recordAudioType);
    audioOnlyPanel_->showAudioType(c.recordAudioType);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!app_.ui.recording) {
        event->accept();
        return;
    }
    QMessageBox ask(QMessageBox::Question, tr_("Alert_Title"), tr_("Alert_Quit_Recording"),
                    QMessageBox::NoButton, this);
    QPushButton* stop = ask.addButton(tr_("Alert_Stop_Save"), QMessageBox::AcceptRole);
    ask.addButton(tr_("Alert_Keep_Recording"), QMessageBox::RejectRole);
    ask.setDefaultButton(stop);
    ask.exec();
    if (ask.clickedButton() != stop || !app_.ui.recording) {
        event->ignore();
        return;
    }
    flows_.recordScreenClicked();
    event->accept();
}

void MainWindow::showHome() {
    if (app_.ui.recording)
        return;
    settings_->setVisible(false);
    home_->setVisible(true);
    flows_.cameraSwitch().modeLeft();
    emit modeChoiceShown();
    flows_.refreshStateMenuItem();
}

void MainWindow::fullScreenClicked(int tag) {
    app_.hotkeys.isCanKeyEvent = true;
    emit app_.hotkeys.changed();
    app_.capture.recordVideoType = unsigned(tag);
    flows_.recordManager().recordVideoType = unsigned(tag);
    for (int i = 0; i < 5; ++i)
        modeButtons_[size_t(i)]->setChecked(i == tag);
    modeLabel_->setText(tr_(kModeKeys[tag]));
    const bool audioOnly = tag == 4;
    settingsGrid_->setVisible(!audioOnly);
    audioOnlyPanel_->setVisible(audioOnly);
    levelBars_->setMode(unsigned(tag));
    if (!audioOnly)
        refillScreenPopUp();
    cameraControls_->setMode(unsigned(tag));
    home_->setVisible(false);
    settings_->setVisible(true);
    flows_.refreshStateMenuItem();
    // The chosen source starts capturing again (and the pop-ups show the capture settings).
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
    const bool choice = screens.size() >= 2;
    screenPopUp_->setVisible(choice);
    videoLabels_[3]->setVisible(choice);
}

void MainWindow::screenItemChange(int i) {
    const std::vector<DisplayInfo> screens = flows_.screens();
    if (i >= 0 && size_t(i) < screens.size())
        flows_.setRecordScreen(screens[size_t(i)]);
}

void MainWindow::frameChangeAction(int i) {
    app_.capture.framItemIndex = i;
    Preferences::shared().setValue(PrefKey::FramItemIndex, i);
    emit app_.capture.changed();
}

void MainWindow::fpsChangeAction(int i) {
    app_.capture.fpsItemIndex = i;
    app_.capture.fps = fpsOfTitle(fpsPopUp_->titleOfSelectedItem());
    Preferences::shared().setValue(PrefKey::FpsItemIndex, i);
    emit app_.capture.changed();
}

void MainWindow::videoTypeChangeAction(int i) {
    app_.capture.videoTypeBoxIndex = i;
    Preferences::shared().setValue(PrefKey::VideoTypeIndex, i);
    emit app_.capture.changed();
}

void MainWindow::audioChangeAction(int i) {
    if ((i == 1 || i == 2) &&
        !AudioDeviceRecovery::hasMicrophone(EZAudioDevice::inputDevices(app_.audioHardware()))) {
        QMessageBox::information(this, QString(), tr_("Alert_Mic_Message"));
        showCapture();
        return;
    }
    if (i == 3)
        levelBars_->clear();
    app_.capture.recordAudioType = unsigned(i);
    flows_.recordManager().recordAudioType = unsigned(i);
    Preferences::shared().setValue(PrefKey::RecordAudioType, i);
    emit app_.capture.changed();
    emit audioSourceChosen(unsigned(i));
}

AudioLevelMeter::Views MainWindow::levelViews() const {
    return {audioOnlyPanel_->waveView(), levelBars_->progressView(), levelBars_->systemBar(),
            levelBars_->micBar()};
}

void MainWindow::setRecordControlsEnabled(bool enabled) {
    backButton_->setEnabled(enabled);
    for (SRPopUpButton* p : videoPopUps())
        p->setEnabled(enabled);
    onOffMenus_->setEnabled(enabled);
}

void MainWindow::updateRecording(bool recording) {
    recordButton_->setImageName(recording ? "btnStopRecord_Normal" : "btnStartRecrord_Normal");
    recordButton_->setToolTip(tr_(recording ? "stopRecordBtn.toolTip" : "startRecordBtn.toolTip"));
    pauseButton_->setEnabled(recording);
    setRecordControlsEnabled(!recording);
    cameraControls_->setRecording(recording);
    if (!recording)
        timeLabel_->setText("00:00:00");
    else
        droppedLabel_->setVisible(false);
}

void MainWindow::showPauseImage(const QString& imageName) {
    pauseButton_->setImageName(imageName);
    const bool paused = imageName == "btnContinueRecord_Normal";
    pauseButton_->setToolTip(tr_(paused ? "resumeBtn.toolTip" : "pauseBtn.toolTip"));
}
