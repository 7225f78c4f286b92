// The application controller's camera rules: the floating camera picture switched on and off,
// the camera chosen from the list, the camera mode's preview, and what quitting closes. It
// owns the floating window and routes every mirrored camera picture to where it is shown.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>

#include <vector>

#include "CameraCapture.h"
#include "CaptrueVideoInputWindowController.h"

class AppDelegate;
class Platform;
class RecordFlows;

class CameraSwitch : public QObject {
    Q_OBJECT
public:
    // The on/off chooser's entries.
    static constexpr int kOn = 1, kOff = 2;

    CameraSwitch(AppDelegate& app, RecordFlows& flows, Platform& platform);
    ~CameraSwitch() override;

    // The cameras attached now, as the camera list chooser lists them after its title.
    std::vector<CameraDevice> videoDevices() const;
    // The on/off chooser: kOn shows the floating picture, kOff closes it and the camera. On
    // without any camera only says so.
    void captrueChangeAction(int entry);
    // Turns the floating picture on when it is off, else off (menus and hotkey).
    void OnorOffCaptrueCamera();
    // The camera list chooser: entry i (from 1) of two or more cameras, else the default one.
    void captrueSwitchAction(int entry);
    // What the camera does in a recording mode: the camera mode previews the chosen camera
    // (the default when none is), the other modes keep the floating picture's camera running.
    void modeChosen(unsigned mode);
    // Back at the mode choice: no camera runs unless the floating picture shows.
    void modeLeft();
    // Quit: the floating picture and the camera close.
    void applicationWillTerminate();

    bool isCaptrue() const;
    CaptrueVideoInputWindowController* captrueVideoInputImageVC() const { return window_; }
    // The name a camera is shown by.
    static QString displayName(const CameraDevice& camera);

signals:
    // The floating picture was switched: the choosers and the camera button follow.
    void switchChanged(bool on);
    // "On" was chosen with no camera attached: "Alert_Camera_Message" is due.
    void cameraMissing();
    // A camera-mode picture for the main window's preview; a null picture clears it.
    void previewPicture(const QImage& picture);
    // The chosen camera changed (the list chooser follows).
    void selectedCameraChanged();

private:
    void showPicture(const QImage& picture, bool cameraMode);
    void cameraLost();
    void closeWindow();

    AppDelegate& app_;
    RecordFlows& flows_;
    Platform& platform_;
    QPointer<CaptrueVideoInputWindowController> window_;
};
