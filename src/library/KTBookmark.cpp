#include "KTBookmark.h"

#include "PreferenceKeys.h"
#include "Preferences.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QtEndian>

KTBookmark& KTBookmark::defaultShareBookmark() {
    static KTBookmark bookmark(Preferences::shared());
    return bookmark;
}

KTBookmark::KTBookmark(Preferences& store) : store_(store) {}

QString KTBookmark::keyForPath(const QString& path) {
    // qHash is seeded per process, so a digest gives the stable number instead.
    const QByteArray digest = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256);
    const quint64 hash = qFromBigEndian<quint64>(digest.constData());
    return QString("%1%2").arg(PrefKey::AccessPrefix).arg(hash);
}

QString KTBookmark::resolve(const QString& path) const {
    return store_.string(keyForPath(path));
}

bool KTBookmark::saveOpenFileToBookmarkWithFilePath(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    store_.setValue(keyForPath(path), info.absoluteFilePath());
    store_.synchronize();
    return true;
}

bool KTBookmark::BookmarkStartAccessingSecurityScopedResourceWithFilePath(const QString& path) {
    const QString resolved = resolve(path);
    return !resolved.isEmpty() && QFileInfo(resolved).isReadable();
}

bool KTBookmark::BookmarkStopAccessingSecurityScopedResourceWithFilePath(const QString& path) {
    const QString resolved = resolve(path);
    return !resolved.isEmpty() && !QFileInfo::exists(resolved);
}

void KTBookmark::removeFileBookmarkInfoWithFilePath(const QString& path) {
    store_.remove(keyForPath(path));
}
