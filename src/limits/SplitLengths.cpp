#include "SplitLengths.h"

#include "EncodeManager.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

void loadSplitLengths(EncodeManager& encoder, const Preferences& store) {
    const auto stored = [&](const char* key, int32_t fallback) {
        const qint64 value = store.integer(key);
        return value == 0 ? fallback : int32_t(value);
    };
    encoder.splitTime = stored(PrefKey::SplitTime, 20);
    encoder.splitSize = stored(PrefKey::SplitSize, 10);
}
