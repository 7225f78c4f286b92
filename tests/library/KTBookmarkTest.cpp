#include "KTBookmark.h"
#include "Preferences.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(KTBookmark, KeysAndLifecycleOfARememberedFile) {
    EXPECT_NE(KTBookmark::keyForPath("/home/u/logo.png"),
              KTBookmark::keyForPath("/home/u/logo2.png"));
    // Fixed for every run and machine: bookmarks saved by an earlier run are found again.
    EXPECT_EQ(KTBookmark::keyForPath("/a"), "Access:7660865432161832061");
    QTemporaryDir dir;
    Preferences store(dir.filePath("store.conf"));
    KTBookmark bookmarks(store);
    const QString image = dir.filePath("mark.png");

    EXPECT_FALSE(bookmarks.saveOpenFileToBookmarkWithFilePath(image));
    EXPECT_FALSE(bookmarks.BookmarkStartAccessingSecurityScopedResourceWithFilePath(image));
    EXPECT_FALSE(bookmarks.BookmarkStopAccessingSecurityScopedResourceWithFilePath(image));

    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(bookmarks.saveOpenFileToBookmarkWithFilePath(image));
    // Flushed at once: a fresh store sees the bookmark.
    Preferences reopened(store.fileName());
    EXPECT_EQ(reopened.string(KTBookmark::keyForPath(image)), image);

    EXPECT_TRUE(bookmarks.BookmarkStartAccessingSecurityScopedResourceWithFilePath(image));
    EXPECT_FALSE(bookmarks.BookmarkStopAccessingSecurityScopedResourceWithFilePath(image));

    ASSERT_TRUE(QFile::remove(image));
    EXPECT_FALSE(bookmarks.BookmarkStartAccessingSecurityScopedResourceWithFilePath(image));
    EXPECT_TRUE(bookmarks.BookmarkStopAccessingSecurityScopedResourceWithFilePath(image));

    bookmarks.removeFileBookmarkInfoWithFilePath(image);
    EXPECT_FALSE(store.contains(KTBookmark::keyForPath(image)));
    EXPECT_FALSE(bookmarks.BookmarkStopAccessingSecurityScopedResourceWithFilePath(image));
}

} // namespace
