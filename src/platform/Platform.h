// The desktop services Tapedeck uses, behind one object so that tests can swap them.
#pragma once

#include "ArrowCursor.h"
#include "CameraCapture.h"
#include "CaptureAuthorization.h"
#include "Displays.h"
#include "InputMonitor.h"
#include "Pointer.h"
#include "ScreenCaptureSession.h"
#include "WindowList.h"

#include <memory>

class Platform {
public:
    virtual ~Platform() = default;

    virtual Displays& displays() = 0;
    virtual WindowList& windowList() = 0;
    virtual Pointer& pointer() = 0;
    virtual ArrowCursor& cursor() = 0;
    virtual InputMonitor& inputMonitor() = 0;
    virtual CaptureAuthorization& captureAuthorization() = 0;
    // A new, idle session each call.
    virtual std::unique_ptr<ScreenCaptureSession> createScreenCaptureSession() = 0;
    // The cameras; none where no camera backend was given.
    virtual Cameras* cameras() { return cameras_.get(); }
    // The camera backend of this desktop.
    void setCameras(std::unique_ptr<Cameras> cameras) { cameras_ = std::move(cameras); }

private:
    std::unique_ptr<Cameras> cameras_;
};
