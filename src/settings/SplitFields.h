// The split-by-time (seconds) and split-by-size (MB) number fields of the settings window.
#pragma once

#include <QString>

#include <cstdint>

// What the field shows while the user types: a time above 1000 becomes 999, a size above
// 10000 becomes 9999; anything else stays as typed.
QString splitFieldText(const QString& text, bool time);
// The whole number the field gives when the window closes: 0 to 999 seconds, 0 to 9999 MB.
int32_t splitFieldValue(const QString& text, bool time);
