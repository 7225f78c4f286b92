#include "Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList loggedLines;
void captureLog(QtMsgType, const QMessageLogContext&, const QString& message) {
    loggedLines << message;
}

void touch(const QString& path, const QByteArray& content = "data") {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QStringList paths(const QVariantList& entries) {
    QStringList out;
    for (const QVariant& e : entries)
        out << e.toMap().value("path").toString();
    return out;
}

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue = dir.filePath("filelist.plist");
        loggedLines.clear();
        previous = qInstallMessageHandler(captureLog);
    }
    void TearDown() override { qInstallMessageHandler(previous); }

    QTemporaryDir dir;
    QString catalogue;
    QtMessageHandler previous = nullptr;
};

TEST_F(CatalogueTest, FirstCatalogueIsAnEmptyCacheFileThenNewestFirstWithTypesKept) {
    const QString folder = QDir::homePath() + "/.cache/org.tapedeck.Tapedeck";
    QDir(folder).removeRecursively();
    const QString path = Catalogue::plistPath();
    EXPECT_EQ(path, folder + "/filelist.plist");
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(QFileInfo(path).size(), 0);
    // First recording ever: nothing to read, then the entries newest first.
    Catalogue c;
    EXPECT_FALSE(c.read());
    ASSERT_TRUE(
        c.insert(Catalogue::recordingEntry("/v/1.mp4", 12.5, 1.5e6, "2024/03/05 14:15:02", true)));
    ASSERT_TRUE(
        c.insert(Catalogue::recordingEntry("/v/2.m4a", 3.25, 4096, "2024/03/05 14:16:00", false)));
    ASSERT_TRUE(c.insert(Catalogue::screenshotEntry("/v/3.png", 777, "2024/03/05 14:17:00")));
    const auto entries = c.read();
    ASSERT_TRUE(entries);
    EXPECT_EQ(paths(*entries), QStringList({"/v/3.png", "/v/2.m4a", "/v/1.mp4"}));

    const QVariantMap shot = (*entries)[0].toMap();
    EXPECT_TRUE(Catalogue::isImageEntry(shot));
    EXPECT_EQ(shot.value("name").toString(), "3.png");
    EXPECT_EQ(shot.value("duration").typeId(), QMetaType::LongLong);
    EXPECT_FALSE(shot.contains("isVideo"));

    const QVariantMap audio = (*entries)[1].toMap();
    EXPECT_FALSE(Catalogue::isImageEntry(audio));
    EXPECT_EQ(audio.value("isVideo").toLongLong(), 0);
    EXPECT_EQ(audio.value("duration").typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(audio.value("duration").toDouble(), 3.25);
    EXPECT_EQ((*entries)[2].toMap().value("isVideo").toLongLong(), 1);
}

TEST_F(CatalogueTest, DeleteRemovesTheLaterOfTwoEntriesAndTheFileButNeverFoldersOrLinks) {
    const QString media = dir.filePath("dup.mp4"), unlisted = dir.filePath("unlisted.wav");
    const QString folder = dir.filePath("folder.mp4"), target = dir.filePath("target.mp4");
    const QString link = dir.filePath("link.mp4");
    touch(media);
    touch(unlisted);
    touch(target);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(target, link));
    Catalogue c(catalogue);
    ASSERT_TRUE(c.insert(Catalogue::recordingEntry(media, 1, 1, "older", true)));
    ASSERT_TRUE(c.insert(Catalogue::recordingEntry("/v/other.mp4", 1, 1, "middle", true)));
    ASSERT_TRUE(c.insert(Catalogue::recordingEntry(media, 2, 2, "newer", true)));
    for (const QString& p : {folder, link})
        ASSERT_TRUE(c.insert(Catalogue::recordingEntry(p, 1, 1, "d", true)));
    for (const QString& p : {media, unlisted, folder, link})
        EXPECT_TRUE(c.remove(p)) << p.toStdString();
    const auto entries = c.read();
    ASSERT_TRUE(entries);
    EXPECT_EQ(paths(*entries), QStringList({media, "/v/other.mp4"}));
    EXPECT_EQ((*entries)[0].toMap().value("date").toString(), "newer");
    EXPECT_FALSE(QFileInfo::exists(media));
    EXPECT_FALSE(QFileInfo::exists(unlisted));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(target));
}

TEST_F(CatalogueTest, UnreadableCatalogueIsMovedAsideAndReplaced) {
    const QByteArray garbage = "<?xml version=\"1.0\"?><plist><array><dict><key>pa";
    for (const QByteArray& content :
         {garbage, QByteArray("<plist><string>not an array</string></plist>")}) {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        touch(catalogue, content);
        Catalogue c(catalogue);
        EXPECT_FALSE(c.read());
        ASSERT_TRUE(c.insert(Catalogue::recordingEntry("/v/new.mp4", 1, 1, "d", true)));
        EXPECT_EQ(paths(*c.read()), QStringList({"/v/new.mp4"}));

        const QStringList aside =
            QDir(dir.path()).entryList({"filelist.plist.corrupt-*"}, QDir::Files);
        ASSERT_EQ(aside.size(), 1) << content.constData();
        QFile kept(dir.filePath(aside[0]));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), content);
        EXPECT_TRUE(loggedLines.join("\n").contains(aside[0]));
    }
}

TEST_F(CatalogueTest, FailedWriteIsLoggedAndKeepsTheMediaFile) {
    const QString blocker = dir.filePath("not-a-folder");
    touch(blocker);
    Catalogue c(blocker + "/filelist.plist");
    EXPECT_FALSE(c.insert(Catalogue::recordingEntry("/v/x.mp4", 1, 1, "d", true)));
    ASSERT_FALSE(loggedLines.isEmpty());
    EXPECT_TRUE(loggedLines.last().endsWith(QString::fromUtf8(" 存储数据失败")));
    EXPECT_TRUE(loggedLines.last().startsWith("write "));

    const QString media = dir.filePath("keep.mp4");
    touch(media);
    EXPECT_FALSE(c.remove(media));
    EXPECT_TRUE(QFileInfo::exists(media));
}

TEST_F(CatalogueTest, EntriesWithForeignKeysSurviveARewrite) {
    Catalogue c(catalogue);
    QVariantMap foreign = Catalogue::recordingEntry("/v/f.mov", 1, 2, "d", true);
    foreign.insert("note", QVariantList{true, QByteArray("\x00\x01", 2), -5});
    ASSERT_TRUE(c.insert(foreign));
    ASSERT_TRUE(c.insert(Catalogue::screenshotEntry("/v/s.png", 1, "d")));
    ASSERT_TRUE(c.remove("/v/s.png"));
    const QVariantList note = c.read()->at(0).toMap().value("note").toList();
    ASSERT_EQ(note.size(), 3);
    EXPECT_EQ(note[0], QVariant(true));
    EXPECT_EQ(note[1].toByteArray(), QByteArray("\x00\x01", 2));
    EXPECT_EQ(note[2].toLongLong(), -5);
}

} // namespace
