#include "Catalogue.h"

#include "BundleInfo.h"
#include "KTLog.h"
#include "OutputNames.h"
#include "PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString Catalogue::plistPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           "/" + BundleInfo::CFBundleIdentifier;
    QDir().mkpath(folder);
    const QString path = folder + "/filelist.plist";
    if (!QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            KTLOG("%s: %s", qPrintable(path), qPrintable(file.errorString()));
    }
    return path;
}

Catalogue::Catalogue(QString path) : path_(std::move(path)) {}

Catalogue::State Catalogue::load(QVariantList& entries) const {
    QFile file(path_);
    if (!file.exists())
        return State::Empty;
    if (!file.open(QIODevice::ReadOnly))
        return State::Unreadable;
    const QByteArray document = file.readAll();
    if (document.trimmed().isEmpty())
        return State::Empty;
    const std::optional<QVariant> root = parsePropertyList(document);
    if (!root || root->typeId() != QMetaType::QVariantList)
        return State::Unreadable;
    entries = root->toList();
    return State::Read;
}

std::optional<QVariantList> Catalogue::read() const {
    QVariantList entries;
    if (load(entries) != State::Read)
        return std::nullopt;
    return entries;
}

QVariantList Catalogue::entriesForRewrite() const {
    QVariantList entries;
    if (load(entries) != State::Unreadable)
        return entries;
    // Keep what cannot be read for the user instead of overwriting it.
    const QFileInfo info(path_);
    const QString aside = OutputNames::firstFreePath(
        info.absolutePath(), info.fileName() + ".corrupt-" + OutputNames::getFileNameForNowTime(),
        QString(), {});
    if (QFile::rename(path_, aside))
        systemLog(QString::asprintf("%s %d unreadable catalogue moved to %s", __func__, __LINE__,
                                    qPrintable(aside)));
    else
        systemLog(QString::asprintf("%s %d unreadable catalogue %s could not be moved aside",
                                    __func__, __LINE__, qPrintable(path_)));
    return {};
}

bool Catalogue::write(const QVariantList& entries) const {
    const std::optional<QByteArray> document = xmlPropertyList(entries);
    QSaveFile file(path_);
    const bool ok = document && file.open(QIODevice::WriteOnly) &&
                    file.write(*document) == document->size() && file.commit();
    if (!ok)
        systemLog(QString::asprintf("%s %d 存储数据失败", __func__, __LINE__));
    return ok;
}

bool Catalogue::insert(const QVariantMap& entry) {
    QVariantList entries = entriesForRewrite();
    entries.prepend(entry);
    return write(entries);
}

bool Catalogue::remove(const QString& mediaPath) {
    QVariantList entries = entriesForRewrite();
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        if (entries[i].toMap().value("path").toString() == mediaPath) {
            entries.removeAt(i);
            break;
        }
    }
    // With the catalogue unchanged on disk the file stays too, so the entry still points at it.
    if (!write(entries))
        return false;
    const QFileInfo media(mediaPath);
    if (!media.isSymLink() && media.isFile())
        QFile::remove(mediaPath);
    else if (media.exists() || media.isSymLink())
        KTLOG("not a regular file, left in place: %s", qPrintable(mediaPath));
    return true;
}

bool Catalogue::update(const QString& mediaPath, const QVariantMap& fields) {
    QVariantList entries = entriesForRewrite();
    for (QVariant& item : entries) {
        QVariantMap entry = item.toMap();
        if (entry.value("path").toString() != mediaPath)
            continue;
        entry.insert(fields);
        item = entry;
        return write(entries);
    }
    return false;
}

QVariantMap Catalogue::recordingEntry(const QString& path, double duration, double size,
                                      const QString& date, bool isVideo) {
    return {{"path", path},         {"name", QFileInfo(path).fileName()},
            {"duration", duration}, {"size", size},
            {"date", date},         {"isVideo", isVideo ? 1 : 0}};
}

QVariantMap Catalogue::screenshotEntry(const QString& path, qint64 pngLength, const QString& date) {
    return {{"path", path},  {"name", QFileInfo(path).fileName()},
            {"duration", 0}, {"size", pngLength},
            {"date", date},  {"isImage", 1}};
}

bool Catalogue::isImageEntry(const QVariantMap& entry) {
    const QVariant flag = entry.value("isImage");
    return flag.isValid() && flag.toDouble() != 0.0;
}
