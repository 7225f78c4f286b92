#include "AppDelegate.h"
#include "AutoStopPreferences.h"
#include "FakeAudioHardware.h"
#include "PreferenceKeys.h"
#include "TestApplication.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

namespace {

class StartupPass : public ::testing::Test {
protected:
    void SetUp() override { store = &freshPreferences(); }
    Preferences* store = nullptr;
    FakeAudioHardware audio;
};

TEST_F(StartupPass, FreshStoreGetsFirstRunValues) {
    AppDelegate delegate(audio);
    struct Hotkey {
        const char* code;
        const char* label;
        int key;
        const char* text;
    };
    for (const Hotkey& h :
         {Hotkey{PrefKey::EventStartOrStop, PrefKey::EventStartOrStopChar, 18, "⌘ 1"},
          Hotkey{PrefKey::EventResumeOrPause, PrefKey::EventResumeOrPauseChar, 19, "⌘ 2"},
          Hotkey{PrefKey::EventOnOrOffCaptrue, PrefKey::EventOnOrOffCaptrueChar, 20, "⌘ 3"},
          Hotkey{PrefKey::EventScreenshot, PrefKey::EventScreenshotChar, 21, "⌘ 4"},
          Hotkey{PrefKey::EventShowDrawTool, PrefKey::EventShowDrawToolChar, 23, "⌘ 5"}}) {
        EXPECT_EQ(store->integer(h.code), h.key) << h.code;
        EXPECT_EQ(store->string(h.label), QString(h.text)) << h.label;
    }
    EXPECT_EQ(store->integer(PrefKey::IsFirstRun), 1);
    EXPECT_EQ(store->integer(PrefKey::Watermark_Type), 2);
    EXPECT_EQ(store->integer(PrefKey::FpsItemIndex), 3);
    EXPECT_EQ(store->integer(PrefKey::VideoTypeIndex), 1);
    EXPECT_EQ(store->integer(PrefKey::Linewidth), 2);
    EXPECT_FALSE(store->contains(PrefKey::Watermark_center_x));
    EXPECT_FALSE(store->contains(PrefKey::AutoStop_Time));

    // The fields follow the first-run values.
    EXPECT_EQ(delegate.capture.framItemIndex, 1);
    EXPECT_EQ(delegate.capture.fpsItemIndex, 3);
    EXPECT_EQ(delegate.capture.videoTypeBoxIndex, 1);
    EXPECT_EQ(delegate.capture.audioExtensionIndex, 0);
    EXPECT_TRUE(delegate.composition.isShowMouse);
    EXPECT_TRUE(delegate.composition.isMouseClickEffect);
    EXPECT_FALSE(delegate.composition.isMouseHight);
    EXPECT_TRUE(delegate.capture.isShowReverseTime);
    EXPECT_TRUE(delegate.capture.isCaptrueMirror);
    EXPECT_EQ(delegate.composition.watermarkType, 2u);
    EXPECT_FLOAT_EQ(delegate.composition.watermarkAlpha, 1.0f);
    EXPECT_EQ(delegate.composition.textWatermarkColor, QColor::fromRgbF(1, 0, 0, 1));
    EXPECT_EQ(delegate.composition.textWatermarkFont.pointSize(), 20);
    EXPECT_EQ(delegate.composition.textWatermarkFont.family(),
              QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(delegate.capture.recordVideoType, 0u);
    EXPECT_EQ(delegate.capture.recordAudioType, 0u);
    EXPECT_EQ(delegate.capture.videoTypes, QStringList({".mov", ".mp4", ".m4v", ".flv", ".avi"}));
    EXPECT_EQ(delegate.capture.audioExtensions, QStringList({".mp3", ".wav", ".m4a"}));
    EXPECT_EQ(delegate.capture.fpsTitles.value(delegate.capture.fpsItemIndex), "25 fps");
}

TEST_F(StartupPass, ExistingStoreGainsOnlyAMissingDrawToolHotkey) {
    store->setValue(PrefKey::IsFirstRun, 1);
    store->setValue(PrefKey::EventStartOrStop, 7);
    store->setValue(PrefKey::EventStartOrStopChar, "Alt X");
    AppDelegate delegate(audio);
    EXPECT_EQ(store->integer(PrefKey::EventShowDrawTool), 23);
    EXPECT_EQ(store->string(PrefKey::EventShowDrawToolChar), "⌘ 5");
    EXPECT_EQ(store->integer(PrefKey::EventStartOrStop), 7);
    EXPECT_EQ(store->string(PrefKey::EventStartOrStopChar), "Alt X");
    EXPECT_FALSE(store->contains(PrefKey::EventResumeOrPause));
    EXPECT_FALSE(store->contains(PrefKey::Watermark_Type));
    // A store without the first-run values reads the missing keys as 0.
    EXPECT_EQ(delegate.capture.fpsItemIndex, 0);
    EXPECT_FALSE(delegate.composition.isShowMouse);

    // A draw-tool hotkey of the user's own is kept.
    store->setValue(PrefKey::EventShowDrawTool, 9);
    store->setValue(PrefKey::EventShowDrawToolChar, "^ Q");
    AppDelegate again(audio);
    EXPECT_EQ(store->integer(PrefKey::EventShowDrawTool), 9);
    EXPECT_EQ(store->string(PrefKey::EventShowDrawToolChar), "^ Q");
}

TEST_F(StartupPass, AutoStopFallbacks) {
    struct Case {
        int time, size, finish;
        double wantTime, wantSize;
        int wantFinish;
    };
    for (const Case& c : {Case{0, 0, 0, 600, 100, 1}, Case{45, 7, 2, 45, 7, 2}}) {
        store->setValue(PrefKey::AutoStop_Time, c.time);
        store->setValue(PrefKey::AutoStop_FileSize, c.size);
        store->setValue(PrefKey::AutoStop_FinshIndex, c.finish);
        EXPECT_DOUBLE_EQ(storedAutoStopTime(*store), c.wantTime);
        EXPECT_DOUBLE_EQ(storedAutoStopFileSize(*store), c.wantSize);
        EXPECT_EQ(storedFinishIndex(*store), c.wantFinish);
        AppDelegate delegate(audio);
        EXPECT_DOUBLE_EQ(delegate.limits.recordEndFileSize, c.wantSize);
        EXPECT_EQ(delegate.limits.finshpopIndex, c.wantFinish);
        // The launch always starts with no stop duration armed; the store keeps its value.
        EXPECT_DOUBLE_EQ(delegate.limits.recordEndTimeDuration, 0);
        EXPECT_EQ(store->integer(PrefKey::AutoStop_Time), c.time);
    }
}

TEST_F(StartupPass, AutoStopFlagsAreLoaded) {
    store->setValue(PrefKey::AutoStop_Type, true);
    store->setValue(PrefKey::AutoStop_EveryTime, 1);
    AppDelegate delegate(audio);
    EXPECT_TRUE(delegate.limits.isRecordEndSizeType);
    EXPECT_TRUE(delegate.limits.everyTime);
    EXPECT_TRUE(delegate.limits.autoStop_withTime);
}

TEST_F(StartupPass, TextWatermarkRevertsToTheApplicationName) {
    store->setValue(PrefKey::IsFirstRun, 1);
    store->setValue(PrefKey::Watermark_textString, "my own text");
    AppDelegate delegate(audio);
    EXPECT_EQ(store->string(PrefKey::Watermark_textString), "Tapedeck");
    EXPECT_EQ(delegate.composition.watermarkTextString, "Tapedeck");
}

TEST_F(StartupPass, TimeFormatsDependOnTheStoredLanguage) {
    struct Case {
        int language;
        qsizetype count;
    };
    for (const Case& c : {Case{0, 3}, Case{1, 5}, Case{2, 5}, Case{5, 5}, Case{-3, 3}}) {
        store->setValue(PrefKey::AppLanguage, c.language);
        AppDelegate delegate(audio);
        EXPECT_EQ(delegate.composition.timeFramStyles.size(), c.count) << "language " << c.language;
        EXPECT_EQ(delegate.composition.timeFramStyles.value(0), "YYYY/MM/dd HH/mm/ss");
    }
}

TEST_F(StartupPass, StoredFontAndColourAreLoaded) {
    store->setValue(PrefKey::IsFirstRun, 1);
    store->setValue(PrefKey::Watermark_fontName, "DejaVu Serif");
    store->setValue(PrefKey::Watermark_pointSize, 31.0);
    store->setValue(PrefKey::Watermark_color, QVariantList{0.0, 0.5, 2.0});
    AppDelegate delegate(audio);
    EXPECT_EQ(delegate.composition.textWatermarkFont.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(delegate.composition.textWatermarkFont.pointSizeF(), 31.0);
    // Components are clamped to the colour range; alpha is always 1.
    EXPECT_NEAR(delegate.composition.textWatermarkColor.greenF(), 0.5, 0.01);
    EXPECT_FLOAT_EQ(delegate.composition.textWatermarkColor.blueF(), 1.0f);
    EXPECT_FLOAT_EQ(delegate.composition.textWatermarkColor.alphaF(), 1.0f);
}

struct MicrophoneCase {
    const char* name;
    unsigned storedSource;
    std::vector<AudioDeviceDescription> inputs;
    unsigned wantSource;
};

class MicrophoneSource : public ::testing::TestWithParam<MicrophoneCase> {
protected:
    void SetUp() override { freshPreferences(); }
};

TEST_P(MicrophoneSource, IsDroppedToSystemSoundWithoutAMicrophone) {
    const MicrophoneCase& c = GetParam();
    Preferences::shared().setValue(PrefKey::IsFirstRun, 1);
    Preferences::shared().setValue(PrefKey::RecordAudioType, c.storedSource);
    FakeAudioHardware audio(c.inputs);
    AppDelegate delegate(audio);
    EXPECT_EQ(delegate.capture.recordAudioType, c.wantSource);
    // Only the loaded source changes, never the stored choice.
    EXPECT_EQ(Preferences::shared().integer(PrefKey::RecordAudioType), c.storedSource);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MicrophoneSource,
    ::testing::Values(
        MicrophoneCase{"no_inputs", 1, {}, 0},
        MicrophoneCase{"only_monitor", 1, {{"speakers.monitor", "Monitor of Speakers", 2}}, 0},
        MicrophoneCase{"built_in", 1, {{"microphone", "Built-in Microphone", 1}}, 1},
        MicrophoneCase{"usb_suffix", 1, {{"usb", "USB Microphone", 1}}, 1},
        MicrophoneCase{"loopback_uid", 1, {{"BlackHole2ch_UID", "BlackHole 2ch", 2}}, 1},
        MicrophoneCase{"both_untouched", 2, {}, 2}, MicrophoneCase{"none_untouched", 3, {}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupPassHardware, DevicesAreOnlyAskedForAMicrophoneSource) {
    freshPreferences();
    FakeAudioHardware audio;
    AppDelegate first(audio); // first run: the source is system sound
    EXPECT_EQ(audio.calls, 0);
    Preferences::shared().setValue(PrefKey::RecordAudioType, 1);
    AppDelegate second(audio);
    EXPECT_EQ(audio.calls, 1);
}

} // namespace
