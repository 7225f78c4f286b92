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

// Each command line is split at spaces: "--output " ends in an empty value.
TEST(RecordOptionsParse, RefusesBadValuesNamingTheOption) {
    const std::pair<const char*, QStringList> cases[] = {
        {"--quality", {"--quality 5", "--quality -1", "--quality hd"}},
        {"--mode", {"--mode areas", "--mode FULLSCREEN"}},
        {"--audio", {"--audio speakers"}},
        {"--seconds", {"--seconds 0", "--seconds -3", "--seconds soon"}},
        {"--fps", {"--fps 0", "--fps 500"}},
        {"--screen", {"--screen 0", "--screen 1.5", "--mode area --rect 1,2,300,300 --screen 1"}},
        {"colour", {"--colour red"}},
        {"--output", {"--output "}},
        {"extra", {"extra"}},
        {"--rect", {"--mode area", "--mode area --rect 1,2,300", "--mode area --rect 1,2,300,x"}},
        {"20x20",
         {"--mode area --rect 1,2,19,300", "--mode area --rect 1,2,300,19",
          "--mode area --rect 1,2,-300,300"}},
        {"--mode area", {"--rect 1,2,300,300", "--mode window --rect 1,2,300,300"}},
        {"--window",
         {"--mode window", "--mode window --window 0", "--mode window --window 0xzz",
          "--mode window --window -5"}},
        {"--mode window", {"--window 0x1a00003"}},
        {"--split-time", {"--split-time 0", "--split-time 1.5", "--split-time 2 --split-size 5"}},
        {"--split-size", {"--split-size -1"}},
        {"--countdown", {"--countdown 11", "--countdown 0"}},
    };
    for (const auto& [named, lines] : cases) {
        for (const QString& line : lines) {
            const ParsedRecordOptions parsed = parseRecordOptions(command(line.split(' ')));
            EXPECT_FALSE(parsed.options) << line.toStdString();
            EXPECT_TRUE(parsed.error.contains(named))
                << line.toStdString() << ": " << parsed.error.toStdString();
        }
    }
}

TEST(RecordOptionsParse, AreaAndWindowSelections) {
    struct Case {
        QStringList options;
        unsigned mode;
        std::optional<QRect> rect;
        std::optional<uint32_t> window;
    } cases[] = {
        {{"--mode", "area", "--rect", "100,100,401,301"}, 1, QRect(100, 100, 401, 301), {}},
        {{"--mode", "area", "--rect", "0, 0, 20, 20"}, 1, QRect(0, 0, 20, 20), {}},
        {{"--mode", "window", "--window", "0x1a00003"}, 2, {}, 0x1a00003u},
        {{"--mode", "window", "--window", "0X1A00003"}, 2, {}, 0x1a00003u},
        {{"--mode", "window", "--window", "27262979"}, 2, {}, 27262979u},
        {{"--mode", "window", "--window", "010"}, 2, {}, 10u},
    };
    for (const Case& c : cases) {
        const std::string what = c.options.join(' ').toStdString();
        const ParsedRecordOptions parsed = parseRecordOptions(command(c.options));
        ASSERT_TRUE(parsed.options) << what << ": " << parsed.error.toStdString();
        EXPECT_EQ(parsed.options->mode, c.mode) << what;
        EXPECT_EQ(parsed.options->rect, c.rect) << what;
        EXPECT_EQ(parsed.options->window, c.window) << what;
    }
}

TEST(RecordOptionsParse, ReadsEveryOptionAndHelpWithOrWithoutRecord) {
    const ParsedRecordOptions parsed = parseRecordOptions(
        command({"--mode", "audio", "--screen", "2", "--seconds", "2.5", "--fps", "23.976",
                 "--quality", "2", "--format", ".M4A", "--audio", "both", "--no-overlays",
                 "--split-size", "5", "--countdown", "3"}));
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
    EXPECT_EQ(o.splitSize, 5);
    EXPECT_EQ(o.countdown, 3);
    EXPECT_FALSE(o.help);
    for (const QStringList& args : {QStringList{"tapedeck", "--help"}, command({"-h"})})
        EXPECT_TRUE(parseRecordOptions(args).options.value_or(RecordOptions{}).help);
}

// Accepted runs pick the container of their mode; refused ones name the clash and change nothing.
TEST_F(RecordOptionsTest, FormatAndOutputPickTheContainerOfTheModeOrAreRefused) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("taken.mp4");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case {
        QStringList options;
        bool video;
        const char* want; // what the next output path ends in, or what the refusal mentions
        bool refused = false;
    } cases[] = {
        {{"--format", "mp4"}, true, ".mp4"},
        {{"--format", ".AVI"}, true, ".avi"},
        {{"--format", "flv"}, true, ".flv"},
        {{"--mode", "audio", "--format", "m4a"}, false, ".m4a"},
        {{"--mode", "audio", "--format", "wav", "--audio", "mic"}, false, ".wav"},
        {{"--output", dir.filePath("a.m4v")}, true, ".m4v"},
        {{"--output", dir.filePath("b.MOV"), "--format", "mov"}, true, ".MOV"},
        {{"--mode", "audio", "--output", dir.filePath("c.mp3")}, false, ".mp3"},
        {{"--mode", "audio", "--format", "mp4"}, false, ".mp4", true},
        {{"--format", "wav"}, true, ".wav", true},
        {{"--format", "mkv"}, true, ".mkv", true},
        {{"--output", dir.filePath("x.mp4"), "--format", "mov"}, true, "--format", true},
        {{"--output", dir.filePath("noextension")}, true, "no extension", true},
        {{"--output", existing}, true, "exists", true},
        {{"--mode", "audio", "--audio", "none"}, false, "nothing", true},
    };
    for (const Case& c : cases) {
        const std::string what = c.options.join(' ').toStdString();
        AppDelegate app(audio);
        const int videoIndex = app.capture.videoTypeBoxIndex;
        const ParsedRecordOptions parsed = parseRecordOptions(command(c.options));
        ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
        const QString error = applyRecordOptions(*parsed.options, app);
        if (c.refused) {
            EXPECT_TRUE(error.contains(c.want)) << what << ": " << error.toStdString();
            EXPECT_EQ(app.capture.videoTypeBoxIndex, videoIndex);
            EXPECT_TRUE(app.capture.commandLineOutputPath.isEmpty());
            continue;
        }
        EXPECT_EQ(error, QString()) << what;
        EXPECT_EQ(app.capture.recordVideoType, c.video ? 0u : 4u);
        const QString path = app.createoutputPath(c.video);
        EXPECT_TRUE(path.endsWith(c.want)) << what << " -> " << path.toStdString();
        if (parsed.options->output.isEmpty())
            EXPECT_TRUE(path.contains("/Tapedeck/")) << path.toStdString();
        else
            EXPECT_EQ(path, parsed.options->output);
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
