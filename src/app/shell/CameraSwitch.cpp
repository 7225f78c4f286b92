#include "CameraSwitch.h"

#include <QGuiApplication>
#include <QScreen>

#include "AppDelegate.h"
#include "CaptrueVideoInputWindowController.h"
#include "Platform.h"
#include "RecordFlows.h"

CameraSwitch::CameraSwitch(AppDelegate& app, RecordFlows& flows, Platform& platform)
    : app_(app), flows_(flows), platform_(platform) {
    SRRecordManager& m = flows_.recordManager();
    m.showCameraPicture = [this](const QImage& picture, bool cameraMode) {
        showPicture(picture, cameraMode);
    };
    connect(&m, &SRRecordManager::cameraLost, this, &CameraSwitch::cameraLost);
}

CameraSwitch::~CameraSwitch() {
    flows_.recordManager().showCameraPicture = nullptr;
    closeWindow();
}

std::vector<CameraDevice> CameraSwitch::videoDevices() const {
    Cameras* cameras = platform_.cameras();
    return cameras ? cameras->videoDevices() : std::vector<CameraDevice>();
}

QString CameraSwitch::displayName(const CameraDevice& camera) {
    return camera.localizedName == "FaceTime HD Camera" ? QString("FaceTime HD 高清摄像头")
                                                        : camera.localizedName;
}

bool CameraSwitch::isCaptrue() const {
    return app_.capture.isCaptrue;
}

void CameraSwitch::captrueChangeAction(int entry) {
    const bool on = entry == kOn;
    Cameras* cameras = platform_.cameras();
    if (on && !(cameras && cameras->defaultDevice())) {
        emit cameraMissing();
        return;
    }
    app_.capture.isCaptrue = on;
    SRRecordManager& m = flows_.recordManager();
    if (!on) {
        closeWindow();
        m.captrueVideoInputEnable(false);
        emit switchChanged(false);
        return;
    }
    emit switchChanged(true);
    m.captrueVideoInputEnable(true);
    emit selectedCameraChanged();
    if (!window_) {
        window_ = new CaptrueVideoInputWindowController;
        window_->windowShouldClose = [this] { captrueChangeAction(kOff); };
        if (const QScreen* main = QGuiApplication::primaryScreen())
            window_->placeAtBottomRight(main->geometry());
    }
    window_->setCameraName(m.selectedVideoDevice ? displayName(*m.selectedVideoDevice) : QString());
    window_->show();
    window_->raise();
}

void CameraSwitch::OnorOffCaptrueCamera() {
    captrueChangeAction(isCaptrue() ? kOff : kOn);
}

void CameraSwitch::captrueSwitchAction(int entry) {
    const std::vector<CameraDevice> cameras = videoDevices();
    SRRecordManager& m = flows_.recordManager();
    if (cameras.size() >= 2 && entry >= 1 && size_t(entry) <= cameras.size())
        m.selectedVideoDevice = cameras[size_t(entry) - 1];
    else
        m.selectedVideoDevice =
            platform_.cameras() ? platform_.cameras()->defaultDevice() : std::nullopt;
    emit selectedCameraChanged();
    // Only a camera in use is reopened; an idle one stays off.
    if (!isCaptrue() && m.recordVideoType != SRRecordManager::Camera)
        return;
    m.captrueVideoInputEnable(false);
    m.captrueVideoInputEnable(true);
    if (window_ && m.selectedVideoDevice)
        window_->setCameraName(displayName(*m.selectedVideoDevice));
}

void CameraSwitch::modeChosen(unsigned mode) {
    SRRecordManager& m = flows_.recordManager();
    const std::vector<CameraDevice> cameras = videoDevices();
    // A camera no longer attached is not kept.
    if (m.selectedVideoDevice &&
        std::find(cameras.begin(), cameras.end(), *m.selectedVideoDevice) == cameras.end())
        m.selectedVideoDevice.reset();
    emit previewPicture(QImage());
    if (mode == SRRecordManager::Camera) {
        const auto faceTime = std::find_if(cameras.begin(), cameras.end(), [](const auto& c) {
            return c.localizedName == "FaceTime HD Camera";
        });
        if (faceTime != cameras.end())
            m.selectedVideoDevice = *faceTime;
        m.captrueVideoInputEnable(true);
    } else {
        m.captrueVideoInputEnable(isCaptrue());
    }
    emit selectedCameraChanged();
}

void CameraSwitch::modeLeft() {
    if (!isCaptrue())
        flows_.recordManager().captrueVideoInputEnable(false);
}

void CameraSwitch::applicationWillTerminate() {
    closeWindow();
    flows_.recordManager().captrueVideoInputEnable(false);
    emit switchChanged(false);
}

void CameraSwitch::showPicture(const QImage& picture, bool cameraMode) {
    if (cameraMode)
        emit previewPicture(picture);
    else if (window_)
        window_->showPicture(picture);
}

void CameraSwitch::cameraLost() {
    if (window_)
        window_->setCameraGone(true);
}

void CameraSwitch::closeWindow() {
    if (!window_)
        return;
    // Closing by code does not ask to turn the camera off again.
    window_->windowShouldClose = nullptr;
    window_->close();
    window_->deleteLater();
    window_ = nullptr;
}
