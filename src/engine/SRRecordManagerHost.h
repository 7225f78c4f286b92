// What the recording session controller asks of the application controller, and the delegate
// that hears the recorded seconds.
#pragma once

#include <QString>

#include <cstdint>

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
    virtual double fps() = 0;
    // Quality pop-up index: 0 original, 1 HD, other SD.
    virtual int framItemIndex() = 0;
    virtual void refreshStateMenuItem() = 0;
    virtual void setTimeSetsBtnEnabled(bool enabled) = 0;
    // Takes the recording-area view of the recording window away and orders the window out.
    virtual void removeRecordScreenView() = 0;
};
