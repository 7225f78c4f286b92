// Saving screenshots: a PNG that reads back as the picture, catalogued as an image with its
// byte count, under a new name each time; a file that could not be written is not catalogued.
#include "Screenshot.h"
#include "Catalogue.h"
#include "TestApplication.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(ScreenshotTest, SavedPicturesAreCataloguedUnderNewNamesAndFailedOnesAreNot) {
    QFile::remove(Catalogue::plistPath());
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    const QString first = Screenshot::saveImage(picture);
    const QString second = Screenshot::saveImage(picture);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_EQ(QImage(second), picture.convertToFormat(QImage(second).format()));

    EXPECT_EQ(Screenshot::saveImage(picture, "/no/such/folder/shot.png"), "");
    EXPECT_EQ(Screenshot::saveImage(QImage()), "");
    const QVariantList entries = Catalogue().read().value_or(QVariantList());
    ASSERT_EQ(entries.size(), 2);
    const QVariantMap newest = entries[0].toMap();
    EXPECT_EQ(newest.value("path").toString(), second);
    EXPECT_TRUE(Catalogue::isImageEntry(newest));
    EXPECT_EQ(newest.value("size").toLongLong(), QFileInfo(second).size());
}

} // namespace
