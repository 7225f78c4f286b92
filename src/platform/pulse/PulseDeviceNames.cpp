#include "PulseDeviceNames.h"

QString hardwareInputName(const QString& description) {
    if (description.endsWith("Microphone", Qt::CaseInsensitive))
        return description;
    return description + " Microphone";
}
