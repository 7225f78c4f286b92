#include "Preferences.h"

#include "BundleInfo.h"

#include <QStandardPaths>

#include <cmath>
#include <limits>
#include <optional>

namespace {

QString defaultStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
           BundleInfo::CFBundleName + "/" + BundleInfo::CFBundleName + ".conf";
}

// The text store keeps booleans as "true"/"false" and numbers as text; read them back the way a
// number object would answer.
std::optional<double> numberFromText(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == "true" || t == "yes")
        return 1.0;
    if (t == "false" || t == "no")
        return 0.0;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok)
        return d;
    return std::nullopt;
}

} // namespace

Preferences& Preferences::shared() {
    static Preferences store(defaultStorePath());
    return store;
}

Preferences::Preferences(const QString& filePath) : settings_(filePath, QSettings::IniFormat) {}

QString Preferences::fileName() const {
    return settings_.fileName();
}

bool Preferences::contains(QAnyStringView key) const {
    std::lock_guard lock(mutex_);
    return settings_.contains(key);
}

QVariant Preferences::object(QAnyStringView key) const {
    std::lock_guard lock(mutex_);
    return settings_.value(key);
}

qint64 Preferences::integer(QAnyStringView key) const {
    return toInteger(object(key));
}

double Preferences::floating(QAnyStringView key) const {
    return toFloating(object(key));
}

bool Preferences::boolean(QAnyStringView key) const {
    return toBoolean(object(key));
}

QString Preferences::string(QAnyStringView key) const {
    const QVariant v = object(key);
    if (v.typeId() == QMetaType::QString || v.canConvert<QString>())
        return v.toString();
    return {};
}

QVariantList Preferences::array(QAnyStringView key) const {
    const QVariant v = object(key);
    if (v.typeId() == QMetaType::QStringList) {
        QVariantList list;
        for (const QString& s : v.toStringList())
            list.append(s);
        return list;
    }
    if (v.typeId() == QMetaType::QVariantList)
        return v.toList();
    return {};
}

QVariantMap Preferences::dictionary(QAnyStringView key) const {
    const QVariant v = object(key);
    return v.typeId() == QMetaType::QVariantMap ? v.toMap() : QVariantMap{};
}

void Preferences::setValue(QAnyStringView key, const QVariant& value) {
    std::lock_guard lock(mutex_);
    settings_.setValue(key, value);
}

void Preferences::remove(QAnyStringView key) {
    std::lock_guard lock(mutex_);
    settings_.remove(key);
}

void Preferences::clear() {
    std::lock_guard lock(mutex_);
    settings_.clear();
}

bool Preferences::synchronize() {
    std::lock_guard lock(mutex_);
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

qint64 Preferences::toInteger(const QVariant& value) {
    const double d = toFloating(value);
    if (std::isnan(d))
        return 0;
    // Out-of-range values saturate instead of overflowing the conversion.
    constexpr double limit = 9.2e18;
    if (d >= limit)
        return std::numeric_limits<qint64>::max();
    if (d <= -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(d));
}

double Preferences::toFloating(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return numberFromText(value.toString()).value_or(0.0);
    default:
        break;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? d : 0.0;
}

bool Preferences::toBoolean(const QVariant& value) {
    return toFloating(value) != 0.0;
}
