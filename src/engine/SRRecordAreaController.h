// What the session controller needs of one screen's recording-area controller. The controllers
// themselves, with their overlays and windows, belong to the capture targets.
#pragma once

#include "Displays.h"

class SRRecordAreaController {
public:
    virtual ~SRRecordAreaController() = default;

    virtual DisplayInfo screen() const = 0;
    // Covers the screen with its overlay and starts listening for Escape and Return.
    virtual void startRecorderScreen(const DisplayInfo& screen) = 0;
    // From now on the controller tells the session controller nothing.
    virtual void clearDelegate() = 0;
    // Takes the overlay off the screen and stops listening for keys.
    virtual void cleanup() = 0;
    virtual void orderOut() = 0;
    virtual void removeEventMonitor() = 0;
    virtual void makeKeyAndOrderFront() = 0;
};
