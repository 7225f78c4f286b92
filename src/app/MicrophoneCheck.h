// Recognising a microphone among the input devices by its name or identifier.
#pragma once

#include "AudioHardware.h"

#include <vector>

// The start-up check for a saved microphone source: a preferred microphone by name, or the
// loop-back device by identifier, or a microphone-like name.
bool hasMicrophoneInput(const std::vector<AudioDeviceDescription>& inputs);
