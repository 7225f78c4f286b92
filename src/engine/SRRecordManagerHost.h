// What the recording session controller asks of the application controller, and the delegate
// that hears the recorded seconds.
#pragma once

#include <QString>

#include <cstdint>

#include "RecordingSettings.h"

class SRRecordAudioManagerDelegate {
public:
    virtual ~SRRecordAudioManagerDelegate() = default;
    virtual void recordScreenTimeDuration(int32_t seconds) = 0;
};

class SRRecordManagerHost {
public:
    virtual ~SRRecordManagerHost() = default;
    virtual void setRecording(bool recording) = 0;
    virtual bool checkCaptureAudio() = 0;
    // Camera permission; with alert NO nothing is shown.
    virtual bool checkCapture(bool alert) = 0;
    // The camera picture-in-picture is wanted.
    virtual bool isCaptrue() = 0;
    virtual QString outputPath() = 0;
    virtual uint32_t selectedWindowNumber() = 0;
    virtual QString selectedWindowName() = 0;
    // The user's current frame rate, quality and sound format, without screen or area: the
    // one source the recording-area session and the idle camera read them from.
    virtual RecordingSettings recordingSettings() = 0;
    virtual void refreshStateMenuItem() = 0;
    virtual void setTimeSetsBtnEnabled(bool enabled) = 0;
    // Takes the recording-area view of the recording window away and orders the window out.
    virtual void removeRecordScreenView() = 0;
};
