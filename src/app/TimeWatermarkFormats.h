// Date patterns offered for the time watermark; the engine renders them.
#pragma once

#include <QStringList>

// The patterns offered; the two Chinese ones only when the interface is not English.
QStringList timeWatermarkStyles(bool englishLanguage);
