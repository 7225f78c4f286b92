#include "FFmpegCameras.h"

#include <QDir>
#include <QFileInfo>

#include "CameraSources.h"
#include "FFmpegCameraSession.h"

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
}

namespace {

// The by-id name of a device node, which stays when other cameras come and go.
QString stableName(const QString& node) {
    const QString canonical = QFileInfo(node).canonicalFilePath();
    for (const QFileInfo& link : QDir("/dev/v4l/by-id").entryInfoList(QDir::System | QDir::Files))
        if (link.canonicalFilePath() == canonical)
            return link.absoluteFilePath();
    return node;
}

std::vector<CameraDevice> v4l2Devices() {
    avdevice_register_all();
    std::vector<CameraDevice> found;
    const AVInputFormat* v4l2 = av_find_input_format("video4linux2");
    AVDeviceInfoList* list = nullptr;
    if (!v4l2 || avdevice_list_input_sources(v4l2, nullptr, nullptr, &list) < 0)
        return found;
    for (int i = 0; i < list->nb_devices; ++i) {
        const AVDeviceInfo* d = list->devices[i];
        found.push_back({stableName(QString::fromUtf8(d->device_name)),
                         QString::fromUtf8(d->device_description)});
    }
    avdevice_free_list_devices(&list);
    return found;
}

} // namespace

FFmpegCameras::FFmpegCameras(const QString& extraSources) : extra_(camerasOfList(extraSources)) {}

std::vector<CameraDevice> FFmpegCameras::videoDevices() const {
    std::vector<CameraDevice> all = v4l2Devices();
    all.insert(all.end(), extra_.begin(), extra_.end());
    return all;
}

std::optional<CameraDevice> FFmpegCameras::defaultDevice() const {
    const std::vector<CameraDevice> all = videoDevices();
    if (all.empty())
        return std::nullopt;
    return all.front();
}

std::unique_ptr<CameraCaptureSession> FFmpegCameras::createCameraCaptureSession() {
    return std::make_unique<FFmpegCameraSession>();
}
