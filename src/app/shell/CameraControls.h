// The main window's camera controls: in the screen modes the camera button, the floating
// picture's on/off chooser with the label of its state and the camera list chooser; in the
// camera mode the camera list chooser and the camera's preview. They follow the camera rules
// of CameraSwitch and tell the user when a camera is missing or lost.
#pragma once

#include <QWidget>

class CameraSwitch;
class QLabel;
class RecordFlows;
class SRButton;
class SRPopUpButton;
class SRVideoView;

class CameraControls : public QWidget {
    Q_OBJECT
public:
    CameraControls(RecordFlows& flows, CameraSwitch& cameraSwitch, QWidget* parent = nullptr);

    // Shows the controls of a recording mode (3 camera, 4 audio only: none) and lets the
    // camera follow it.
    void setMode(unsigned mode);
    // The camera cannot be changed while recording; the floating picture can be switched.
    void setRecording(bool recording);
    void changeLanguage();

    // Pops the camera list up at its selected entry (the camera button).
    void CameraImAction();

    SRPopUpButton* captruesBox() const { return captruesBox_; }
    SRPopUpButton* captrueItemBox() const { return captrueItemBox_; }
    SRVideoView* captrueContentVideoView() const { return preview_; }

private:
    // The title, then one entry per attached camera; the chosen one selected.
    void refillCameraList();
    void showSwitch(bool on);

    RecordFlows& flows_;
    CameraSwitch& switch_;
    SRButton* cameraButton_;
    SRPopUpButton* captruesBox_;
    QLabel* switchTitle_;
    // Shows the on/off chooser's chosen entry.
    QLabel* switchLabel_;
    QLabel* cameraLabel_;
    SRPopUpButton* captrueItemBox_;
    SRVideoView* preview_;
    unsigned mode_ = 0;
};
