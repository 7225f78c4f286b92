// Remembered access to files the user picked (the watermark image). Without a sandbox there is
// nothing to unlock: the store keeps the plain path under "Access:<hash of the path>", and access
// succeeds when the file is readable.
#pragma once

#include <QString>

class Preferences;

class KTBookmark {
public:
    static KTBookmark& defaultShareBookmark();
    explicit KTBookmark(Preferences& store);

    // Remembers the file and flushes the store; false when there is no such file.
    bool saveOpenFileToBookmarkWithFilePath(const QString& path);
    // True when a bookmark exists for the path and its file is readable.
    bool BookmarkStartAccessingSecurityScopedResourceWithFilePath(const QString& path);
    // True when the bookmark is stale: remembered, but its file is gone.
    bool BookmarkStopAccessingSecurityScopedResourceWithFilePath(const QString& path);
    void removeFileBookmarkInfoWithFilePath(const QString& path);

    // The store key of a path; the hash is stable across runs and machines.
    static QString keyForPath(const QString& path);

private:
    QString resolve(const QString& path) const;

    Preferences& store_;
};
