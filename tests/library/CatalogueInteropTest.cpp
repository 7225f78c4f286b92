// The catalogue checked against an independent property-list implementation (python3 plistlib).
#include "Catalogue.h"
#include "TestProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray runPython(const QString& script, const QStringList& args) {
    int status = -1;
    const QString output = runTool("python3", QStringList{"-c", script} + args, &status);
    EXPECT_EQ(status, 0);
    return output.toUtf8();
}

TEST(CatalogueInterop, PlistlibReadsWhatWeWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("filelist.plist");
    Catalogue c(path);
    ASSERT_TRUE(c.insert(
        Catalogue::recordingEntry("/v/录像 1.mp4", 61.5, 2.5e7, "2024/03/05 14:15:02", true)));
    ASSERT_TRUE(c.insert(Catalogue::screenshotEntry("/v/a&b<c>.png", 4096, "2024/03/05 14:16:00")));

    const QString script = R"py(
import json, plistlib, sys
with open(sys.argv[1], 'rb') as f:
    data = plistlib.load(f, fmt=plistlib.FMT_XML)
print(json.dumps([{k: [type(v).__name__, v] for k, v in e.items()} for e in data]))
)py";
    const QJsonArray entries = QJsonDocument::fromJson(runPython(script, {path})).array();
    ASSERT_EQ(entries.size(), 2);
    const QJsonObject shot = entries[0].toObject();
    const QJsonObject movie = entries[1].toObject();
    EXPECT_FALSE(shot.contains("isVideo"));
    // Each value as [Python type, value].
    const struct {
        const QJsonObject& entry;
        const char* key;
        const char* want;
    } rows[] = {
        {shot, "path", R"(["str","/v/a&b<c>.png"])"},
        {shot, "duration", R"(["int",0])"},
        {shot, "size", R"(["int",4096])"},
        {shot, "isImage", R"(["int",1])"},
        {movie, "name", R"(["str","录像 1.mp4"])"},
        {movie, "duration", R"(["float",61.5])"},
        {movie, "size", R"(["float",25000000])"},
        {movie, "isVideo", R"(["int",1])"},
        {movie, "date", R"(["str","2024/03/05 14:15:02"])"},
    };
    for (const auto& r : rows) {
        const QJsonDocument value(r.entry.value(r.key).toArray());
        EXPECT_EQ(QString::fromUtf8(value.toJson(QJsonDocument::Compact)).toStdString(), r.want)
            << r.key;
    }
}

TEST(CatalogueInterop, WeReadWhatPlistlibWrites) {
    QTemporaryDir dir;
    const QString script = R"py(
import plistlib, sys
entries = [
    {"path": "/v/shot.png", "name": "shot.png", "duration": 0, "size": 12,
     "date": "2024/01/01 00:00:00", "isImage": True},
    {"path": "/v/talk.m4a", "name": "talk.m4a", "duration": 7.75, "size": 9000.0,
     "date": "2024/01/01 00:00:01", "isVideo": 0},
]
for name, fmt in (("xml.plist", plistlib.FMT_XML), ("binary.plist", plistlib.FMT_BINARY)):
    with open(sys.argv[1] + "/" + name, "wb") as f:
        plistlib.dump(entries, f, fmt=fmt)
)py";
    runPython(script, {dir.path()});
    for (const char* name : {"xml.plist", "binary.plist"}) {
        Catalogue c(dir.filePath(name));
        const auto entries = c.read();
        ASSERT_TRUE(entries) << name;
        ASSERT_EQ(entries->size(), 2);
        const QVariantMap shot = (*entries)[0].toMap();
        const QVariantMap talk = (*entries)[1].toMap();
        EXPECT_TRUE(Catalogue::isImageEntry(shot)) << name;
        EXPECT_EQ(shot.value("size").toLongLong(), 12);
        EXPECT_FALSE(Catalogue::isImageEntry(talk));
        EXPECT_DOUBLE_EQ(talk.value("duration").toDouble(), 7.75);
        EXPECT_EQ(talk.value("path").toString(), "/v/talk.m4a");
        // A rewrite keeps both entries and puts the new one first.
        ASSERT_TRUE(c.insert(Catalogue::recordingEntry("/v/n.mp4", 1, 1, "d", true)));
        EXPECT_EQ(c.read()->size(), 3);
    }
}

} // namespace
