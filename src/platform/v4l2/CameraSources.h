// Where a camera's pictures come from: a V4L2 device path, "format:input" for an FFmpeg input
// device (e.g. "lavfi:testsrc2=size=640x480:rate=30"), or a file or stream URL. Extra cameras
// are listed as "Name=SOURCE" entries separated by ";".
#pragma once

#include <QString>

#include <vector>

#include "CameraCapture.h"

struct CameraSource {
    // The FFmpeg input format to open with; empty: FFmpeg probes the input.
    QString format;
    QString url;
};

// How `source` is opened.
CameraSource cameraSourceOf(const QString& source);

// The cameras of a "Name=SOURCE;Name=SOURCE" list; an entry without a name is named by its source.
std::vector<CameraDevice> camerasOfList(const QString& list);
