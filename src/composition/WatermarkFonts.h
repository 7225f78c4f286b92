// The font families offered for the text watermark.
#pragma once

#include <QStringList>

// Every family the system offers except "Helvetica", in the system's order.
QStringList getFontNameArray();
