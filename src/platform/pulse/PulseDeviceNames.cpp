#include "PulseDeviceNames.h"

bool isVirtualDevice(const char* sinkName) {
    return qstrcmp(sinkName, kLoopbackUID) == 0 || qstrcmp(sinkName, kInputAggregateUID) == 0;
}

QByteArray sourceName(const QString& UID) {
    QByteArray name = UID.toUtf8();
    if (isVirtualDevice(name.constData()))
        name += ".monitor";
    return name;
}

QString hardwareInputName(const QString& description) {
    if (description.endsWith("Microphone", Qt::CaseInsensitive))
        return description;
    return description + " Microphone";
}
