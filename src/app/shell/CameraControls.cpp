#include "CameraControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

#include "CameraSwitch.h"
#include "Localization.h"
#include "RecordFlows.h"
#include "SRButton.h"
#include "SRPopUpButton.h"
#include "SRVideoView.h"

namespace {

QString tr_(const char* key) {
    return Localization::localizedStringForKey(key);
}

} // namespace

CameraControls::CameraControls(RecordFlows& flows, CameraSwitch& cameraSwitch, QWidget* parent)
    : QWidget(parent), flows_(flows), switch_(cameraSwitch), cameraButton_(new SRButton),
      captruesBox_(new SRPopUpButton), switchTitle_(new QLabel), switchLabel_(new QLabel),
      cameraLabel_(new QLabel), captrueItemBox_(new SRPopUpButton), preview_(new SRVideoView) {
    cameraButton_->setFixedSize(32, 32);
    for (int item = 0; item < 3; ++item)
        captruesBox_->addItemWithTitle(QString());
    preview_->setFixedSize(320, 240);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    switchTitle_->setBuddy(captruesBox_);
    cameraLabel_->setBuddy(captrueItemBox_);
    grid->addWidget(switchTitle_, 0, 0);
    grid->addWidget(captruesBox_, 0, 1);
    grid->addWidget(cameraLabel_, 0, 2);
    grid->addWidget(captrueItemBox_, 0, 3);
    grid->addWidget(cameraButton_, 0, 4);
    grid->addWidget(switchLabel_, 0, 5);
    grid->setColumnStretch(6, 1);
    grid->addWidget(preview_, 1, 0, 1, 7, Qt::AlignCenter);
    showSwitch(switch_.isCaptrue());
    changeLanguage();

    connect(cameraButton_, &SRButton::clicked, this, &CameraControls::CameraImAction);
    connect(captruesBox_, &SRPopUpButton::choiceMade, &switch_,
            [this](int stored) { switch_.captrueChangeAction(stored + 1); });
    connect(captrueItemBox_, &SRPopUpButton::choiceMade, &switch_,
            [this](int stored) { switch_.captrueSwitchAction(stored + 1); });
    connect(&switch_, &CameraSwitch::switchChanged, this, &CameraControls::showSwitch);
    connect(&switch_, &CameraSwitch::selectedCameraChanged, this,
            &CameraControls::refillCameraList);
    connect(&switch_, &CameraSwitch::previewPicture, preview_, [this](const QImage& picture) {
        preview_->setNotice(QString());
        preview_->setPicture(picture);
    });
    connect(&switch_, &CameraSwitch::cameraMissing, this, [this] {
        showSwitch(switch_.isCaptrue());
        QMessageBox::warning(window(), tr_("Alert_Title"), tr_("Alert_Camera_Message"));
    });
    // A recording it stopped is reported by the main window.
    connect(&flows_, &RecordFlows::cameraLost, this,
            [this] { preview_->setNotice(tr_("Camera_Gone")); });
}

void CameraControls::setMode(unsigned mode) {
    mode_ = mode;
    const bool camera = mode == SRRecordManager::Camera;
    setVisible(mode != SRRecordManager::AudioOnly);
    for (QWidget* w : {static_cast<QWidget*>(cameraButton_), static_cast<QWidget*>(captruesBox_),
                       static_cast<QWidget*>(switchTitle_), static_cast<QWidget*>(switchLabel_)})
        w->setVisible(!camera);
    preview_->setVisible(camera);
    if (mode != SRRecordManager::AudioOnly)
        switch_.modeChosen(mode);
}

void CameraControls::setRecording(bool recording) {
    captrueItemBox_->setEnabled(!recording);
}

void CameraControls::changeLanguage() {
    const QString title = tr_("Set_label_15");
    switchTitle_->setText(title);
    captruesBox_->setTitle(title);
    cameraLabel_->setText(tr_("Main_Camera"));
    captruesBox_->setItemText(1, tr_("Main_On"));
    captruesBox_->setItemText(2, tr_("Main_Off"));
    cameraButton_->setToolTip(tr_("Set_captrueSettingsBtn"));
    showSwitch(switch_.isCaptrue());
    refillCameraList();
}

void CameraControls::CameraImAction() {
    captrueItemBox_->showPopup();
}

void CameraControls::refillCameraList() {
    const std::vector<CameraDevice> cameras = switch_.videoDevices();
    const std::optional<CameraDevice> selected = flows_.recordManager().selectedVideoDevice;
    captrueItemBox_->removeAllItems();
    captrueItemBox_->setTitle(tr_("SelectCaptrue"));
    int chosen = -1;
    for (size_t i = 0; i < cameras.size(); ++i) {
        captrueItemBox_->addItemWithTitle(CameraSwitch::displayName(cameras[i]));
        if (cameras[i] == selected)
            chosen = int(i);
    }
    captrueItemBox_->selectStoredIndex(chosen);
}

void CameraControls::showSwitch(bool on) {
    cameraButton_->setImageName(on ? "btnMainRec_Camera_Normal" : "btnMainRec_NoCamera_Normal");
    captruesBox_->selectItemAtIndex(on ? CameraSwitch::kOn : CameraSwitch::kOff);
    switchLabel_->setText(captruesBox_->titleOfSelectedItem());
}
