// The application controller as the session controller sees it, with settings the test sets
// and a record of what it was told.
#pragma once

#include "SRRecordManagerHost.h"

#include <string>
#include <vector>

struct FakeRecordManagerHost : SRRecordManagerHost, SRRecordAudioManagerDelegate {
    std::string path = "/r/Rec.mp4";
    RecordingSettings settings{29.97f, 8000, {}, {}, AudioFormat::standard()};
    uint32_t selected = 0;
    QString selectedName;
    bool recording = false, timeSetsEnabled = false;
    int refreshes = 0, viewRemovals = 0;
    std::vector<int32_t> seconds;

    void setRecording(bool r) override { recording = r; }
    bool checkCaptureAudio() override { return true; }
    bool checkCapture(bool) override { return false; }
    bool isCaptrue() override { return false; }
    QString outputPath() override { return QString::fromStdString(path); }
    uint32_t selectedWindowNumber() override { return selected; }
    QString selectedWindowName() override { return selectedName; }
    RecordingSettings recordingSettings() override { return settings; }
    void refreshStateMenuItem() override { ++refreshes; }
    void setTimeSetsBtnEnabled(bool e) override { timeSetsEnabled = e; }
    void removeRecordScreenView() override { ++viewRemovals; }
    void recordScreenTimeDuration(int32_t s) override { seconds.push_back(s); }
};
