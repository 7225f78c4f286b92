// What a recording-area controller asks of the application controller and its main window.
#pragma once

#include "Displays.h"

#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class SRRecordScreenWindowController;

class SRRecordScreenHost {
public:
    virtual ~SRRecordScreenHost() = default;

    // The countdown runs before the recording starts.
    virtual bool isShowReverseTime() = 0;
    // Makes the next video output path and keeps it as the application's output path.
    virtual QString createoutputPath() = 0;
    // The screen picked in the main window's screen chooser; none while the chooser offers a
    // single screen or its title entry is selected.
    virtual std::optional<DisplayInfo> chosenScreen() = 0;
    // Whether a compositing manager blends the overlays with the screen underneath.
    virtual bool isCompositing() = 0;

    // The current recording-area controller; the application keeps it while it records and
    // stops, pauses and resumes it with the recording.
    virtual void setRecordWC(std::shared_ptr<SRRecordScreenWindowController> controller) = 0;
    // The window under the pointer and the selection as it is drawn.
    virtual void setSelectedWindow(uint32_t number, const QString& name) = 0;
    virtual void setLastWindowRect(const QRectF& rect) = 0;

    // The back button and the view, frame-rate, quality, camera and audio choosers.
    virtual void setRecordControlsEnabled(bool enabled) = 0;
    // The stop image and the elapsed-time and size labels.
    virtual void showRecordingLook() = 0;
    // The status timer's reading: whole recorded seconds and the file's size in bytes.
    virtual void showRecordProgress(int64_t seconds, double fileSizeBytes) = 0;
    // The encoder could not start; the user is told, nothing records.
    virtual void startFailed(const QString& path) = 0;
};
