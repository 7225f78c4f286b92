// Every platform service as a fake. Sessions it creates are kept in `sessions` until destroyed.
#pragma once

#include "FakeArrowCursor.h"
#include "FakeCameras.h"
#include "FakeCaptureAuthorization.h"
#include "FakeDisplays.h"
#include "FakeInputMonitor.h"
#include "FakePointer.h"
#include "FakeScreenCaptureSession.h"
#include "FakeWindowList.h"
#include "Platform.h"

#include <algorithm>
#include <vector>

class FakePlatform : public Platform {
public:
    FakeDisplays fakeDisplays;
    FakeWindowList fakeWindowList;
    FakePointer fakePointer;
    FakeArrowCursor fakeCursor;
    FakeInputMonitor fakeInputMonitor;
    FakeCaptureAuthorization fakeAuthorization;
    FakeCameras fakeCameras;
    std::vector<FakeScreenCaptureSession*> sessions;
    bool otherWindows = true;
    bool globalInput = true;
    bool placesWindows = true;
    // Set: the desktop chooses the screen to record, answering with this (none: cancelled).
    std::optional<std::optional<DisplayInfo>> choice;
    int choicesAsked = 0;
    int choiceReleases = 0;

    // One 1920 x 1080 primary display numbered 1.
    FakePlatform() {
        fakeDisplays.pointer = &fakePointer;
        fakeDisplays.displays.push_back({QRectF(0, 0, 1920, 1080), 1, false, "Fake"});
    }

    Displays& displays() override { return fakeDisplays; }
    WindowList& windowList() override { return fakeWindowList; }
    Pointer& pointer() override { return fakePointer; }
    ArrowCursor& cursor() override { return fakeCursor; }
    InputMonitor& inputMonitor() override { return fakeInputMonitor; }
    CaptureAuthorization& captureAuthorization() override { return fakeAuthorization; }
    Cameras* cameras() override { return &fakeCameras; }
    bool seesOtherWindows() const override { return otherWindows; }
    bool seesGlobalInput() const override { return globalInput; }
    bool canPlaceWindows() const override { return placesWindows; }
    bool choosesScreen() const override { return choice.has_value(); }
    void
    chooseScreen(std::function<void(std::optional<DisplayInfo>, const QString&)> done) override {
        ++choicesAsked;
        done(*choice, *choice ? QString() : QStringLiteral("cancelled"));
    }
    void releaseChosenScreen() override { ++choiceReleases; }
    std::unique_ptr<ScreenCaptureSession> createScreenCaptureSession() override {
        auto session = std::make_unique<FakeScreenCaptureSession>();
        for (const DisplayInfo& display : fakeDisplays.displays)
            session->knownDisplays.insert(display.number);
        FakeScreenCaptureSession* raw = session.get();
        sessions.push_back(raw);
        QObject::connect(raw, &QObject::destroyed, &m_context, [this, raw] {
            sessions.erase(std::remove(sessions.begin(), sessions.end(), raw), sessions.end());
        });
        return session;
    }

private:
    // Ends the bookkeeping connections when the platform goes before its sessions.
    QObject m_context;
};
