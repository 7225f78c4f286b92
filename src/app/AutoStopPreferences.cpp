#include "AutoStopPreferences.h"

#include "PreferenceKeys.h"
#include "Preferences.h"

namespace {
qint64 integerOr(const Preferences& store, const char* key, qint64 fallback) {
    const qint64 value = store.integer(key);
    return value == 0 ? fallback : value;
}
} // namespace

double storedAutoStopTime(const Preferences& store) {
    return double(integerOr(store, PrefKey::AutoStop_Time, 600));
}

double storedAutoStopFileSize(const Preferences& store) {
    return double(integerOr(store, PrefKey::AutoStop_FileSize, 100));
}

int storedFinishIndex(const Preferences& store) {
    return int(integerOr(store, PrefKey::AutoStop_FinshIndex, 1));
}
