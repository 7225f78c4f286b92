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
