#include "OutputNames.h"

#include "BundleInfo.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <mutex>

QString OutputNames::getFileNameForNowTime(const QDateTime& now) {
    return now.toLocalTime().toString("yyyyMMdd_HHmmss");
}

QString OutputNames::dateToString(const QDateTime& date) {
    return date.toLocalTime().toString("yyyy/MM/dd HH:mm:ss");
}

namespace {

QString defaultFolder() {
    QString movies = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (movies.isEmpty())
        movies = QDir::homePath();
    return movies + "/" + BundleInfo::CFBundleName;
}

} // namespace

QString OutputNames::outputFolder() {
    const QString chosen = Preferences::shared().string(PrefKey::RecordingsFolder);
    if (!chosen.isEmpty() && QDir().mkpath(chosen))
        return chosen;
    const QString folder = defaultFolder();
    QDir().mkpath(folder);
    return folder;
}

QString OutputNames::outputFolderPath() {
    const QString chosen = Preferences::shared().string(PrefKey::RecordingsFolder);
    return chosen.isEmpty() ? defaultFolder() : chosen;
}

QString OutputNames::firstFreePath(const QString& folder, const QString& stem,
                                   const QString& extension, const QSet<QString>& taken) {
    QString path = folder + "/" + stem + extension;
    for (int n = 2; QFileInfo::exists(path) || taken.contains(path); ++n)
        path = folder + "/" + stem + "_" + QString::number(n) + extension;
    return path;
}

QString OutputNames::makeOutputPath(const QString& extension, const QDateTime& now) {
    static std::mutex mutex;
    static QSet<QString> handedOut;
    const QString folder = outputFolder();
    std::lock_guard lock(mutex);
    const QString path = firstFreePath(folder, getFileNameForNowTime(now), extension, handedOut);
    handedOut.insert(path);
    return path;
}
