// Recognising a microphone among the input devices by its name or identifier.
#pragma once

#include "AudioHardware.h"

#include <vector>

// One of the preferred microphones, by whole name.
bool isPreferredMicrophoneName(const QString& name);
// A name that looks like a microphone: ends in "Microphone", "麦克风" or "咪高風", or starts
// with "macbook" in any case.
bool isMicrophoneLikeName(const QString& name);
// The start-up check for a saved microphone source: a preferred microphone by name, or the
// loop-back device by identifier, or a microphone-like name.
bool hasMicrophoneInput(const std::vector<AudioDeviceDescription>& inputs);
