// An X11 desktop asks no permission to read the screen, and Tapedeck asks none for the camera
// or the microphone: capture is always authorised.
#pragma once

#include "CaptureAuthorization.h"
#include "MainQueue.h"

class X11CaptureAuthorization : public CaptureAuthorization {
public:
    AuthorizationStatus authorizationStatus(CaptureMediaType) const override {
        return AuthorizationStatus::Authorized;
    }
    void requestAccess(CaptureMediaType, std::function<void(bool granted)> done) override {
        MainQueue::async([done = std::move(done)] { done(true); });
    }
};
