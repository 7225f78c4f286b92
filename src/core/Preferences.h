// The per-user preferences store: a flat key/value file read with the typed readings the keys
// name. A missing key reads 0, NO or nothing. Safe to use from any thread.
#pragma once

#include <QAnyStringView>
#include <QSettings>
#include <QVariant>

#include <mutex>

class Preferences {
public:
    // The store of this user (~/.config/Tapedeck/Tapedeck.conf).
    static Preferences& shared();

    explicit Preferences(const QString& filePath);
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    QString fileName() const;

    bool contains(QAnyStringView key) const;
    QVariant object(QAnyStringView key) const;
    qint64 integer(QAnyStringView key) const;
    double floating(QAnyStringView key) const;
    bool boolean(QAnyStringView key) const;
    QString string(QAnyStringView key) const;
    QVariantList array(QAnyStringView key) const;
    QVariantMap dictionary(QAnyStringView key) const;

    void setValue(QAnyStringView key, const QVariant& value);
    void remove(QAnyStringView key);
    void clear();
    // Writes pending changes to disk; false when the file could not be written.
    bool synchronize();

    // The readings applied to a stored value, also used for elements of arrays.
    static qint64 toInteger(const QVariant& value);
    static double toFloating(const QVariant& value);
    static bool toBoolean(const QVariant& value);

private:
    mutable std::mutex mutex_;
    QSettings settings_;
};
