// What the limit windows' number fields keep of what the user types.
#pragma once

#include <QString>

// The seconds and megabytes fields: only the digits stay, shown as their integer value (0 when
// none remain); text of digits alone is left as typed.
QString limitFieldText(const QString& text);

// The hours, minutes and seconds fields of the time limit: text that is not all digits, or
// nothing, shows "00"; a value above 60 shows "59" (60 itself stays).
QString timeFieldText(const QString& text);
