// The cameras of this machine through FFmpeg's device layer: every V4L2 capture device, named
// by its card, then the extra sources the user listed ("Name=SOURCE;…", any FFmpeg input).
#pragma once

#include "CameraCapture.h"

#include <QString>

class FFmpegCameras : public Cameras {
public:
    // `extraSources` as TAPEDECK_CAMERAS gives them.
    explicit FFmpegCameras(const QString& extraSources = {});

    std::vector<CameraDevice> videoDevices() const override;
    std::optional<CameraDevice> defaultDevice() const override;
    std::unique_ptr<CameraCaptureSession> createCameraCaptureSession() override;

private:
    std::vector<CameraDevice> extra_;
};
