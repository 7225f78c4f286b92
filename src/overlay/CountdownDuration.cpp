#include "CountdownDuration.h"

#include "PreferenceKeys.h"
#include "Preferences.h"

float recordTimeDuration(const Preferences& store) {
    const QVariant value = store.object(PrefKey::RECORDTIME_DURATION);
    bool ok = false;
    const float seconds = value.toString().trimmed().toFloat(&ok);
    return value.isValid() && ok ? seconds : 3.0f;
}
