// Capture permissions the test decides; a request answers at once with `grants`.
#pragma once

#include "CaptureAuthorization.h"

#include <map>

class FakeCaptureAuthorization : public CaptureAuthorization {
public:
    std::map<CaptureMediaType, AuthorizationStatus> statuses;
    bool grants = true;
    int requests = 0;

    AuthorizationStatus authorizationStatus(CaptureMediaType type) const override {
        auto found = statuses.find(type);
        return found == statuses.end() ? AuthorizationStatus::Authorized : found->second;
    }
    void requestAccess(CaptureMediaType type, std::function<void(bool)> done) override {
        ++requests;
        statuses[type] = grants ? AuthorizationStatus::Authorized : AuthorizationStatus::Denied;
        done(grants);
    }
};
