#include "SRImage.h"
#include "RenderCompare.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtMath>

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

// Single images the windows, menus and overlays show by name.
const char* const kSingleImages[] = {
    "icon_18",
    "rd_Checked_Normal",
    "rd_NoChecked_Normal",
    "NSMenuOnStateTemplate",
    "NSStopProgressTemplate",
    "clipBackground",
    "BGImage",
};

// The drawing palette's tools; each has a selected image named with "选中" appended.
const char* const kPaletteTools[] = {"鼠标", "画笔", "文字",   "矩形", "椭圆", "箭头", "直线",
                                     "线宽", "颜色", "橡皮擦", "白板", "撤销", "清除"};

// "3.png" and "003.png" up to "10.png" and "010.png".
QStringList countdownNames() {
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names << QString("%1.png").arg(n) << QString("%1.png").arg(n, 3, 10, QChar('0'));
    return names;
}

QStringList everyNamedImage() {
    QStringList names;
    for (const char* set : kButtonSets) {
        for (auto state : {SRImageState::Normal, SRImageState::Down, SRImageState::On})
            names << SRImage::variantName(QString::fromUtf8(set) + "_Normal", state);
    }
    for (const char* single : kSingleImages)
        names << QString::fromUtf8(single);
    for (const char* tool : kPaletteTools)
        names << QString::fromUtf8(tool) << QString::fromUtf8(tool) + QStringLiteral("选中");
    return names + countdownNames();
}

void expectRenderable(const QString& name) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(SRImage::exists(name));
    const QSize natural = SRImage::naturalSize(name);
    ASSERT_TRUE(natural.isValid());
    ASSERT_FALSE(natural.isEmpty());
    const QImage image = SRImage::image(name, natural);
    ASSERT_EQ(image.size(), natural);
    EXPECT_GT(coverage(image), 0.02);
}

TEST(SRImage, EveryNamedImageRendersWithContent) {
    for (const QString& name : everyNamedImage())
        expectRenderable(name);
}

// Every file compiled in is a valid picture, so a broken SVG cannot hide behind a name no test
// lists.
TEST(SRImage, EveryCompiledImageIsValid) {
    int files = 0;
    for (QDirIterator it(":/images", QDir::Files); it.hasNext();) {
        const QString name = QFileInfo(it.next()).completeBaseName();
        expectRenderable(name);
        ++files;
    }
    EXPECT_GE(files, everyNamedImage().size());
}

// Image names written in the program's sources must exist, so a misspelt or missing image is
// caught here rather than as a blank button.
TEST(SRImage, ImageNamesInTheSourcesExist) {
    const QRegularExpression literal(
        QStringLiteral(R"re("((?:btn|rd_)[A-Za-z0-9_]*_(?:Normal|Down|On))")re"));
    QSet<QString> seen;
    for (QDirIterator it(QStringLiteral(TAPEDECK_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = literal.globalMatch(text); match.hasNext();)
            seen.insert(match.next().captured(1));
    }
    for (const QString& name : seen)
        EXPECT_TRUE(SRImage::exists(name)) << name.toStdString();
}

TEST(SRImage, StateImagesOfASetDiffer) {
    for (const char* set : kButtonSets) {
        SCOPED_TRACE(set);
        const QString normal = QString::fromUtf8(set) + "_Normal";
        const QImage images[] = {
            SRImage::image(normal, {64, 64}),
            SRImage::image(SRImage::variantName(normal, SRImageState::Down), {64, 64}),
            SRImage::image(SRImage::variantName(normal, SRImageState::On), {64, 64}),
        };
        EXPECT_GT(maxChannelDifference(images[0], images[1]), 16);
        EXPECT_GT(maxChannelDifference(images[0], images[2]), 16);
        EXPECT_GT(maxChannelDifference(images[1], images[2]), 16);
    }
}

TEST(SRImage, HighDensityScreensGetFullResolution) {
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(ratio);
        const QPixmap pixmap = SRImage::pixmap("btnStartRecrord_Normal", {40, 30}, ratio);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.width(), qCeil(40 * ratio));
        EXPECT_EQ(pixmap.height(), qCeil(30 * ratio));
        EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), ratio);
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(40, 30));
    }
    // Drawn at twice the size, the edge of the record mark stays as sharp: the 2x image reduced
    // back matches the 1x rendering closely, which a 1x image blown up would not do in reverse.
    const QImage big = SRImage::image("btnStartRecrord_Normal", {64, 64}, 2.0);
    const QImage small = SRImage::image("btnStartRecrord_Normal", {64, 64}, 1.0);
    const QImage blownUp = small.scaled(big.size());
    EXPECT_GT(maxChannelDifference(big, blownUp), 16);
}

// The countdown and frame drawing may render artwork away from the GUI thread.
TEST(SRImage, ImagesRenderTheSameOnOtherThreads) {
    const QStringList names = countdownNames();
    std::vector<QImage> rendered(size_t(names.size()));
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 2; ++worker) {
        workers.emplace_back([&, worker] {
            for (qsizetype i = worker; i < names.size(); i += 2)
                rendered[size_t(i)] = SRImage::image(names[i], {50, 50});
        });
    }
    for (std::thread& t : workers)
        t.join();
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        EXPECT_EQ(maxChannelDifference(rendered[size_t(i)], SRImage::image(names[i], {50, 50})), 0);
    }
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

TEST(SRImage, IconServesEveryRequestedSize) {
    const QIcon icon = SRImage::icon("icon_18");
    ASSERT_FALSE(icon.isNull());
    for (int side : {16, 18, 22, 36, 64}) {
        SCOPED_TRACE(side);
        const QImage image = icon.pixmap(QSize(side, side)).toImage();
        EXPECT_EQ(image.size(), QSize(side, side));
        EXPECT_GT(coverage(image), 0.3);
    }
}

TEST(SRImage, VariantNames) {
    struct Case {
        const char* name;
        SRImageState state;
        const char* expected;
    };
    const Case cases[] = {
        {"btnStartRecrord_Normal", SRImageState::Normal, "btnStartRecrord_Normal"},
        {"btnStartRecrord_Normal", SRImageState::Down, "btnStartRecrord_Down"},
        {"btnStartRecrord_Normal", SRImageState::On, "btnStartRecrord_On"},
        {"btnStartRecrord_On", SRImageState::Normal, "btnStartRecrord_Normal"},
        {"btnStartRecrord_Down", SRImageState::On, "btnStartRecrord_On"},
        {"btnMainRec_NoCamera_Normal", SRImageState::Down, "btnMainRec_NoCamera_Down"},
        {"icon_18", SRImageState::Normal, "icon_18"},
        {"icon_18", SRImageState::Down, "icon_18_Down"},
        {"btnCommon", SRImageState::On, "btnCommon_On"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SRImage::variantName(c.name, c.state), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(SRImage, FittedRectKeepsProportionsAndCentres) {
    struct Case {
        QRect area;
        QRect expected;
    };
    // BGImage is drawn 480 x 300 (8:5).
    const Case cases[] = {
        {{0, 0, 480, 300}, {0, 0, 480, 300}},
        {{0, 0, 240, 300}, {0, 75, 240, 150}},
        {{10, 20, 800, 100}, {330, 20, 160, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SRImage::fittedRect("BGImage", c.area), c.expected);
    EXPECT_EQ(SRImage::fittedRect("noSuchImage", QRect(1, 2, 3, 4)), QRect(1, 2, 3, 4));
}

} // namespace
