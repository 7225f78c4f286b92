#include "DesktopFiles.h"

#include "KTLog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopFiles::isOpenable(const QString& path) {
    static const QStringList kTypes = {"mov", "mp4", "m4v", "flv", "avi",
                                       "mp3", "wav", "m4a", "png"};
    const QFileInfo info(path);
    return !info.isSymLink() && info.isFile() && kTypes.contains(info.suffix().toLower());
}

bool DesktopFiles::openFile(const QString& path) {
    if (!isOpenable(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void DesktopFiles::revealFolder(const QString& folder) {
    const QUrl url = QUrl::fromLocalFile(QFileInfo(folder).absoluteFilePath());
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1",
                                                       "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    call << QStringList{url.toString()} << QString();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        QDesktopServices::openUrl(url);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [watcher, url] {
        watcher->deleteLater();
        if (!watcher->isError())
            return;
        // No file manager offers the service: the folder opens in whatever handles folders.
        KTLOG("ShowItems: %s", qPrintable(watcher->error().message()));
        QDesktopServices::openUrl(url);
    });
}
