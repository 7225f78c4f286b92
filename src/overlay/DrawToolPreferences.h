// What the drawing tools keep for the next time they open: "Linewidth", "LineColor",
// "DrawTextFontName" and "DrawTextFontSize".
#pragma once

#include <QColor>
#include <QFont>

namespace DrawToolPreferences {

// The system font at `points` (20 when none is given).
QFont systemFont(double points = 20);

// The stored width, at least 2; the result is written back.
double takeLineWidth();
void storeLineWidth(double width);
// The stored colour at full alpha, or red when none is stored.
QColor lineColor();
void storeLineColor(const QColor& color);
// The stored font; the system font at 20 points when no name is stored, at the stored size
// when the named font is missing.
QFont textFont();
void storeTextFont(const QFont& font);

} // namespace DrawToolPreferences
