#include "DrawToolPreferences.h"

#include "PreferenceKeys.h"
#include "Preferences.h"

#include <QFontDatabase>

#include <algorithm>

namespace DrawToolPreferences {

namespace {

constexpr double kDefaultFontSize = 20;
constexpr double kMinimumWidth = 2;

} // namespace

QFont systemFont(double points) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points);
    return font;
}

double takeLineWidth() {
    Preferences& store = Preferences::shared();
    const double width = std::max(kMinimumWidth, store.floating(PrefKey::Linewidth));
    store.setValue(PrefKey::Linewidth, width);
    return width;
}

void storeLineWidth(double width) {
    Preferences::shared().setValue(PrefKey::Linewidth, width);
}

QColor lineColor() {
    const Preferences& store = Preferences::shared();
    if (!store.contains(PrefKey::LineColor))
        return Qt::red;
    const QVariantMap color = store.dictionary(PrefKey::LineColor);
    return QColor::fromRgbF(float(Preferences::toFloating(color.value("r"))),
                            float(Preferences::toFloating(color.value("g"))),
                            float(Preferences::toFloating(color.value("b"))), 1);
}

void storeLineColor(const QColor& color) {
    Preferences::shared().setValue(PrefKey::LineColor, QVariantMap{{"r", color.redF()},
                                                                   {"g", color.greenF()},
                                                                   {"b", color.blueF()},
                                                                   {"a", color.alphaF()}});
}

QFont textFont() {
    const Preferences& store = Preferences::shared();
    const QString name = store.string(PrefKey::DrawTextFontName);
    if (name.isEmpty())
        return systemFont(kDefaultFontSize);
    // A stored size of 0 would make no font at all.
    const double stored = store.floating(PrefKey::DrawTextFontSize);
    const double points = stored > 0 ? stored : kDefaultFontSize;
    if (!QFontDatabase::hasFamily(name))
        return systemFont(points);
    QFont font(name);
    font.setPointSizeF(points);
    return font;
}

void storeTextFont(const QFont& font) {
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::DrawTextFontName, font.family());
    store.setValue(PrefKey::DrawTextFontSize, font.pointSizeF());
}

} // namespace DrawToolPreferences
