// Names of the in-process devices, and what a capture card's input is called.
#pragma once

#include <QString>

inline constexpr const char* kLoopbackUID = "BlackHole2ch_UID";
inline constexpr const char* kLoopbackName = "BlackHole 2ch";

// The routing knows microphones by names ending in "Microphone", and PulseAudio calls them
// after the card ("Built-in Audio Analog Stereo"), so a hardware input is named as the
// microphone it is.
QString hardwareInputName(const QString& description);
