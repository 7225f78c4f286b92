// The recordings catalogue "filelist.plist": an XML property list whose root is an array of
// entry dictionaries, newest first. Every operation reads the file afresh and replaces it whole,
// atomically, so a crash or a full disk never leaves it half written or missing.
#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

class Catalogue {
public:
    // ~/.cache/org.tapedeck.Tapedeck/filelist.plist; the folder and an empty file are created
    // when missing.
    static QString plistPath();

    explicit Catalogue(QString path = plistPath());

    // The entries; nullopt when the file is empty or unreadable.
    std::optional<QVariantList> read() const;
    // Puts the entry first. An unreadable catalogue is moved aside and a new one started.
    // False (and "<function> <line> 存储数据失败" in the log) when the file could not be written.
    bool insert(const QVariantMap& entry);
    // Removes the last entry whose "path" is `mediaPath`, then the media file itself when it is a
    // regular file (never a folder, never through a link), whether or not an entry matched.
    // False when the catalogue could not be written; the media file is then kept.
    bool remove(const QString& mediaPath);

    // Sets `fields` on the newest entry whose "path" is `mediaPath`. False when there is none or
    // the catalogue could not be written.
    bool update(const QString& mediaPath, const QVariantMap& fields);

    static QVariantMap recordingEntry(const QString& path, double duration, double size,
                                      const QString& date, bool isVideo);
    static QVariantMap screenshotEntry(const QString& path, qint64 pngLength, const QString& date);
    // Readers treat a missing key as 0: an entry is an image exactly when "isImage" is true.
    static bool isImageEntry(const QVariantMap& entry);

private:
    enum class State { Empty, Unreadable, Read };
    State load(QVariantList& entries) const;
    // The entries of the file, after moving an unreadable file aside.
    QVariantList entriesForRewrite() const;
    bool write(const QVariantList& entries) const;

    QString path_;
};
