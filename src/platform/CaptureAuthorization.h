// Permission to capture the screen, the camera and the microphone.
#pragma once

#include <functional>

enum class CaptureMediaType { Screen, Video, Audio };

enum class AuthorizationStatus { NotDetermined, Restricted, Denied, Authorized };

class CaptureAuthorization {
public:
    virtual ~CaptureAuthorization() = default;

    virtual AuthorizationStatus authorizationStatus(CaptureMediaType type) const = 0;
    // Asks the user when needed; the completion runs on the main queue with the answer.
    virtual void requestAccess(CaptureMediaType type, std::function<void(bool granted)> done) = 0;
};
