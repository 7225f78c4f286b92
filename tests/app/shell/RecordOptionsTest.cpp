// "tapedeck record" options: what parsing refuses, and what applying sets on the controller.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "AppDelegate.h"
#include "FakeAudioHardware.h"
#include "PreferenceKeys.h"
#include "RecordOptions.h"
#include "TestApplication.h"

namespace {

QStringList command(const QStringList& options) {
    return QStringList{"tapedeck", "record"} + options;
}

class RecordOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { freshPreferences(); }
    FakeAudioHardware audio{{}};
};

} // namespace

TEST(RecordOptionsParse, RefusesBadValuesNamingTheOption) {
    struct Case {
        QStringList options;
        const char* named;
    } cases[] = {
        {{"--quality", "5"}, "--quality"},    {{"--quality", "-1"}, "--quality"},
        {{"--quality", "hd"}, "--quality"},   {{"--mode", "areas"}, "--mode"},
        {{"--mode", "FULLSCREEN"}, "--mode"}, {{"--audio", "speakers"}, "--audio"},
        {{"--seconds", "0"}, "--seconds"},    {{"--seconds", "-3"}, "--seconds"},
        {{"--seconds", "soon"}, "--seconds"}, {{"--fps", "0"}, "--fps"},
        {{"--fps", "500"}, "--fps"},          {{"--screen", "0"}, "--screen"},
        {{"--screen", "1.5"}, "--screen"},    {{"--colour", "red"}, "colour"},
        {{"--output", ""}, "--output"},       {{"extra"}, "extra"},
    };
    for (const Case& c : cases) {
        const ParsedRecordOptions parsed = parseRecordOptions(command(c.options));
        EXPECT_FALSE(parsed.options) << c.options.join(' ').toStdString();
        EXPECT_TRUE(parsed.error.contains(c.named))
            << c.options.join(' ').toStdString() << ": " << parsed.error.toStdString();
    }
}

TEST(RecordOptionsParse, AreaAndWindowSelections) {
    struct Case {
        QStringList options;
        unsigned mode;
        std::optional<QRect> rect;
        std::optional<uint32_t> window;
        const char* error; // named in the error, or nullptr when accepted
    } cases[] = {
        {{"--mode", "area", "--rect", "100,100,401,301"},
         1,
         QRect(100, 100, 401, 301),
         {},
         nullptr},
        {{"--mode", "area", "--rect", "0, 0, 20, 20"}, 1, QRect(0, 0, 20, 20), {}, nullptr},
        {{"--mode", "window", "--window", "0x1a00003"}, 2, {}, 0x1a00003u, nullptr},
        {{"--mode", "window", "--window", "0X1A00003"}, 2, {}, 0x1a00003u, nullptr},
        {{"--mode", "window", "--window", "27262979"}, 2, {}, 27262979u, nullptr},
        {{"--mode", "window", "--window", "010"}, 2, {}, 10u, nullptr},
        {{"--mode", "area"}, 0, {}, {}, "--rect"},
        {{"--mode", "area", "--rect", "1,2,300"}, 0, {}, {}, "--rect"},
        {{"--mode", "area", "--rect", "1,2,300,x"}, 0, {}, {}, "--rect"},
        {{"--mode", "area", "--rect", "1,2,19,300"}, 0, {}, {}, "20x20"},
        {{"--mode", "area", "--rect", "1,2,300,19"}, 0, {}, {}, "20x20"},
        {{"--mode", "area", "--rect", "1,2,-300,300"}, 0, {}, {}, "20x20"},
        {{"--rect", "1,2,300,300"}, 0, {}, {}, "--mode area"},
        {{"--mode", "window", "--rect", "1,2,300,300"}, 0, {}, {}, "--mode area"},
        {{"--mode", "window"}, 0, {}, {}, "--window"},
        {{"--mode", "window", "--window", "0"}, 0, {}, {}, "--window"},
        {{"--mode", "window", "--window", "0xzz"}, 0, {}, {}, "--window"},
        {{"--mode", "window", "--window", "-5"}, 0, {}, {}, "--window"},
        {{"--window", "0x1a00003"}, 0, {}, {}, "--mode window"},
        {{"--mode", "area", "--rect", "1,2,300,300", "--screen", "1"}, 0, {}, {}, "--screen"},
    };
    for (const Case& c : cases) {
        const std::string what = c.options.join(' ').toStdString();
        const ParsedRecordOptions parsed = parseRecordOptions(command(c.options));
        if (c.error) {
            EXPECT_FALSE(parsed.options) << what;
            EXPECT_TRUE(parsed.error.contains(c.error))
                << what << ": " << parsed.error.toStdString();
            continue;
        }
        ASSERT_TRUE(parsed.options) << what << ": " << parsed.error.toStdString();
        EXPECT_EQ(parsed.options->mode, c.mode) << what;
        EXPECT_EQ(parsed.options->rect, c.rect) << what;
        EXPECT_EQ(parsed.options->window, c.window) << what;
    }
}

TEST(RecordOptionsParse, ReadsEveryOption) {
    const ParsedRecordOptions parsed = parseRecordOptions(
        command({"--mode", "audio", "--screen", "2", "--seconds", "2.5", "--fps", "23.976",
                 "--quality", "2", "--format", ".M4A", "--audio", "both", "--no-overlays"}));
    ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
    const RecordOptions& o = *parsed.options;
    EXPECT_EQ(o.mode, 4u);
    EXPECT_EQ(o.screen, 2);
    EXPECT_DOUBLE_EQ(o.seconds, 2.5);
    EXPECT_FLOAT_EQ(*o.fps, 23.976f);
    EXPECT_EQ(*o.quality, 2);
    EXPECT_EQ(*o.format, ".m4a");
    EXPECT_EQ(*o.audio, 2u);
    EXPECT_FALSE(o.overlays);
    EXPECT_FALSE(o.help);
}

TEST(RecordOptionsParse, HelpWithOrWithoutRecord) {
    for (const QStringList& args :
         {QStringList{"tapedeck", "--help"}, QStringList{"tapedeck", "record", "-h"}}) {
        const ParsedRecordOptions parsed = parseRecordOptions(args);
        ASSERT_TRUE(parsed.options) << args.join(' ').toStdString();
        EXPECT_TRUE(parsed.options->help);
    }
}

TEST_F(RecordOptionsTest, FormatAndOutputPickTheContainerOfTheMode) {
    QTemporaryDir dir;
    struct Case {
        QStringList options;
        bool video;
        const char* extension; // what the next output path ends in
    } cases[] = {
        {{"--format", "mp4"}, true, ".mp4"},
        {{"--format", ".AVI"}, true, ".avi"},
        {{"--format", "flv"}, true, ".flv"},
        {{"--mode", "audio", "--format", "m4a"}, false, ".m4a"},
        {{"--mode", "audio", "--format", "wav", "--audio", "mic"}, false, ".wav"},
        {{"--output", dir.filePath("a.m4v")}, true, ".m4v"},
        {{"--output", dir.filePath("b.MOV"), "--format", "mov"}, true, ".MOV"},
        {{"--mode", "audio", "--output", dir.filePath("c.mp3")}, false, ".mp3"},
    };
    for (const Case& c : cases) {
        AppDelegate app(audio);
        const ParsedRecordOptions parsed = parseRecordOptions(command(c.options));
        ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
        EXPECT_EQ(applyRecordOptions(*parsed.options, app), QString())
            << c.options.join(' ').toStdString();
        EXPECT_EQ(app.capture.recordVideoType, c.video ? 0u : 4u);
        const QString path = app.createoutputPath(c.video);
        EXPECT_TRUE(path.endsWith(c.extension))
            << c.options.join(' ').toStdString() << " -> " << path.toStdString();
        if (parsed.options->output.isEmpty())
            EXPECT_TRUE(path.contains("/Tapedeck/")) << path.toStdString();
        else
            EXPECT_EQ(path, parsed.options->output);
    }
}

TEST_F(RecordOptionsTest, RefusesOptionsThatDoNotFitTogether) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("taken.mp4");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case {
        QStringList options;
        const char* mentions;
    } cases[] = {
        {{"--mode", "audio", "--format", "mp4"}, ".mp4"},
        {{"--format", "wav"}, ".wav"},
        {{"--format", "mkv"}, ".mkv"},
        {{"--output", dir.filePath("x.mp4"), "--format", "mov"}, "--format"},
        {{"--output", dir.filePath("noextension")}, "no extension"},
        {{"--output", existing}, "exists"},
        {{"--mode", "audio", "--audio", "none"}, "nothing"},
    };
    for (const Case& c : cases) {
        AppDelegate app(audio);
        const int videoIndex = app.capture.videoTypeBoxIndex;
        const ParsedRecordOptions parsed = parseRecordOptions(command(c.options));
        ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
        const QString error = applyRecordOptions(*parsed.options, app);
        EXPECT_TRUE(error.contains(c.mentions))
            << c.options.join(' ').toStdString() << ": " << error.toStdString();
        // A refused run leaves the settings as they were.
        EXPECT_EQ(app.capture.videoTypeBoxIndex, videoIndex);
        EXPECT_TRUE(app.capture.commandLineOutputPath.isEmpty());
    }
}

TEST_F(RecordOptionsTest, RateQualitySoundAndOverlaysForThisRunOnly) {
    AppDelegate app(audio);
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::IsShowMouse, true);
    const qint64 storedFps = store.integer(PrefKey::FpsItemIndex);
    const qint64 storedQuality = store.integer(PrefKey::FramItemIndex);
    app.capture.fpsItemIndex = 1; // "23.976 fps"
    app.composition.isShowMouse = true;
    app.composition.isMouseHight = true;
    app.composition.isMouseClickEffect = true;
    app.composition.watermarkType = 0;

    RecordOptions stored = *parseRecordOptions(command({})).options;
    ASSERT_EQ(applyRecordOptions(stored, app), QString());
    // Without --fps the stored choice's rate, as the main window would set it.
    EXPECT_FLOAT_EQ(app.capture.fps, 23.976f);
    EXPECT_TRUE(app.composition.isShowMouse);

    RecordOptions o = *parseRecordOptions(command({"--fps", "30", "--quality", "2", "--audio",
                                                   "none", "--no-overlays"}))
                           .options;
    ASSERT_EQ(applyRecordOptions(o, app), QString());
    EXPECT_FLOAT_EQ(app.capture.fps, 30.f);
    EXPECT_EQ(app.capture.framItemIndex, 2);
    EXPECT_EQ(app.capture.recordAudioType, 3u);
    EXPECT_FALSE(app.composition.isShowMouse);
    EXPECT_FALSE(app.composition.isMouseHight);
    EXPECT_FALSE(app.composition.isMouseClickEffect);
    EXPECT_EQ(app.composition.watermarkType, 2u);
    EXPECT_TRUE(store.boolean(PrefKey::IsShowMouse));
    EXPECT_EQ(store.integer(PrefKey::FpsItemIndex), storedFps);
    EXPECT_EQ(store.integer(PrefKey::FramItemIndex), storedQuality);
    EXPECT_EQ(store.integer(PrefKey::RecordAudioType), 0);
}
