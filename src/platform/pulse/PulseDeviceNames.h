// Where the recorder's virtual devices live on the server: null sinks whose monitor source is
// their input side.
#pragma once

#include <QByteArray>
#include <QString>

inline constexpr const char* kLoopbackUID = "BlackHole2ch_UID";
inline constexpr const char* kInputAggregateUID = "ZR-InputDevice";

// True for a sink whose monitor stands as the device's input.
bool isVirtualDevice(const char* sinkName);
// The name of the source that carries a device's input side.
QByteArray sourceName(const QString& UID);
// What a capture card's input is called. The routing knows microphones by names ending in
// "Microphone", and PulseAudio calls them after the card ("Built-in Audio Analog Stereo"), so a
// hardware input is named as the microphone it is.
QString hardwareInputName(const QString& description);
