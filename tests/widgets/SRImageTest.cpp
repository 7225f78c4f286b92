#include "SRImage.h"
#include "RenderCompare.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Image sets shown with their normal, pressed and on images.
const char* const kButtonSets[] = {
    "btnStartRecrord",   "btnStopRecord",       "btnPauseRecord",   "btnContinueRecord",
    "btnMainRec_Camera", "btnMainRec_NoCamera", "btnMainRec_Audio", "btnNotRecordAudio",
    "btnBackHome",       "btnFullScreen",       "btnCustomArea",    "btnAppWindow",
    "btnCamera",         "btnAudioOnly",        "btnCommon",
};

// "3.png" and "003.png" up to "10.png" and "010.png".
QStringList countdownNames() {
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names << QString("%1.png").arg(n) << QString("%1.png").arg(n, 3, 10, QChar('0'));
    return names;
}

// Images named in ways the source scan below does not see: single images, the drawing
// palette's tools (each with a selected image named with "选中" appended), the countdown.
QStringList otherNamedImages() {
    QStringList names{"icon_18", "rd_Checked_Normal",     "rd_NoChecked_Normal",   "clipBackground",
                      "BGImage", "NSMenuOnStateTemplate", "NSStopProgressTemplate"};
    for (const char* tool : {"鼠标", "画笔", "文字", "矩形", "椭圆", "箭头", "直线", "线宽", "颜色",
                             "橡皮擦", "白板", "撤销", "清除"})
        names << QString::fromUtf8(tool) << QString::fromUtf8(tool) + QStringLiteral("选中");
    return names + countdownNames();
}

// Every file compiled in is a picture with content, and every image the program names
// exists, so a broken SVG or a misspelt name is caught here rather than as a blank button.
TEST(SRImage, EveryImageRendersAndEveryNamedImageExists) {
    for (QDirIterator it(":/images", QDir::Files); it.hasNext();) {
        const QString name = QFileInfo(it.next()).completeBaseName();
        SCOPED_TRACE(name.toStdString());
        const QSize natural = SRImage::naturalSize(name);
        ASSERT_FALSE(natural.isEmpty());
        QImage blank(natural, QImage::Format_ARGB32_Premultiplied);
        blank.fill(Qt::transparent);
        EXPECT_GT(maxChannelDifference(SRImage::image(name, natural), blank), 64);
    }
    const QRegularExpression literal(
        QStringLiteral(R"re("((?:btn|rd_)[A-Za-z0-9_]*_(?:Normal|Down|On))")re"));
    const QStringList others = otherNamedImages();
    QSet<QString> named(others.begin(), others.end());
    for (QDirIterator it(QStringLiteral(TAPEDECK_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (auto match = literal.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();)
            named.insert(match.next().captured(1));
    }
    for (const char* set : kButtonSets)
        for (const char* state : {"_Normal", "_Down", "_On"})
            named.insert(QString::fromUtf8(set) + state);
    for (const QString& name : named)
        EXPECT_TRUE(SRImage::exists(name)) << name.toStdString();
}

TEST(SRImage, StateImagesOfASetDiffer) {
    for (const char* set : kButtonSets) {
        QImage images[3];
        for (auto state : {SRImageState::Normal, SRImageState::Down, SRImageState::On})
            images[int(state)] = SRImage::image(
                SRImage::variantName(QString::fromUtf8(set) + "_Normal", state), {64, 64});
        for (auto [a, b] : {std::pair{0, 1}, {0, 2}, {1, 2}})
            EXPECT_GT(maxChannelDifference(images[a], images[b]), 16) << set << a << b;
    }
}

// Drawn at twice the size, the edge of the record mark stays as sharp: the 2x image reduced back
// matches the 1x rendering closely, which a 1x image blown up would not do in reverse.
TEST(SRImage, HighDensityScreensGetFullResolution) {
    const QPixmap pixmap = SRImage::pixmap("btnStartRecrord_Normal", {40, 30}, 1.5);
    EXPECT_EQ(pixmap.size(), QSize(60, 45));
    const QImage big = SRImage::image("btnStartRecrord_Normal", {64, 64}, 2.0);
    const QImage small = SRImage::image("btnStartRecrord_Normal", {64, 64}, 1.0);
    EXPECT_GT(maxChannelDifference(big, small.scaled(big.size())), 16);
}

// The countdown and frame drawing may render artwork away from the GUI thread.
TEST(SRImage, ImagesRenderTheSameOnOtherThreads) {
    const QStringList names = countdownNames();
    std::vector<QImage> rendered(size_t(names.size()));
    std::thread worker([&] {
        for (qsizetype i = 0; i < names.size(); i += 2)
            rendered[size_t(i)] = SRImage::image(names[i], {50, 50});
    });
    for (qsizetype i = 1; i < names.size(); i += 2)
        rendered[size_t(i)] = SRImage::image(names[i], {50, 50});
    worker.join();
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(maxChannelDifference(rendered[size_t(i)], SRImage::image(names[i], {50, 50})), 0)
            << names[i].toStdString();
}

TEST(SRImage, UnknownOrUnsafeNamesFindNothing) {
    for (const char* name : {"", "noSuchImage", "btnStartRecrord", "../images/icon_18",
                             "images/icon_18", "icon_18.jpg", "/icon_18"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(SRImage::resourcePath(name).isEmpty());
        EXPECT_TRUE(SRImage::pixmap(name, {16, 16}).isNull());
        EXPECT_TRUE(SRImage::icon(name).isNull());
        EXPECT_FALSE(SRImage::naturalSize(name).isValid());
    }
    // A name with ".png" finds the same artwork as without.
    EXPECT_EQ(SRImage::resourcePath("3.png"), SRImage::resourcePath("3"));
    EXPECT_TRUE(SRImage::image("icon_18", {0, 10}).isNull());
    EXPECT_TRUE(SRImage::image("icon_18", {10, 10}, 0).isNull());
}

TEST(SRImage, FittedRectKeepsProportionsAndCentres) {
    // BGImage is drawn 480 x 300 (8:5).
    EXPECT_EQ(SRImage::fittedRect("BGImage", {0, 0, 480, 300}), QRect(0, 0, 480, 300));
    EXPECT_EQ(SRImage::fittedRect("BGImage", {0, 0, 240, 300}), QRect(0, 75, 240, 150));
    EXPECT_EQ(SRImage::fittedRect("BGImage", {10, 20, 800, 100}), QRect(330, 20, 160, 100));
    EXPECT_EQ(SRImage::fittedRect("noSuchImage", QRect(1, 2, 3, 4)), QRect(1, 2, 3, 4));
}

} // namespace
