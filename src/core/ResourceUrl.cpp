#include "ResourceUrl.h"

#include "BundleInfo.h"
#include "KTLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QUrl urlForAddress(const QString& address) {
    const QUrl url(address);
    if (!url.scheme().isEmpty())
        return url;
    const QString relative = QDir::cleanPath(url.path());
    if (relative.startsWith("..") || QDir::isAbsolutePath(relative))
        return {};
    QFile shipped(":/" + relative);
    if (!shipped.open(QIODevice::ReadOnly)) {
        KTLOG("no shipped page %s", qPrintable(address));
        return {};
    }
    const QByteArray content = shipped.readAll();
    const QString target = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           "/" + BundleInfo::CFBundleIdentifier + "/" + relative;
    QFile existing(target);
    if (!existing.open(QIODevice::ReadOnly) || existing.readAll() != content) {
        existing.close();
        QDir().mkpath(QFileInfo(target).absolutePath());
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() ||
            !out.commit()) {
            KTLOG("cannot write %s: %s", qPrintable(target), qPrintable(out.errorString()));
            return {};
        }
    }
    QUrl page = QUrl::fromLocalFile(target);
    page.setFragment(url.fragment());
    return page;
}
