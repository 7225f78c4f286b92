#include "WatermarkFonts.h"

#include <QFontDatabase>

QStringList getFontNameArray() {
    QStringList families = QFontDatabase::families();
    families.removeAll(QStringLiteral("Helvetica"));
    return families;
}
