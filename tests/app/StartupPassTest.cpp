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
    using namespace PrefKey;
    const char* const hotkeys[][2] = {{EventStartOrStop, EventStartOrStopChar},
                                      {EventResumeOrPause, EventResumeOrPauseChar},
                                      {EventOnOrOffCaptrue, EventOnOrOffCaptrueChar},
                                      {EventScreenshot, EventScreenshotChar},
                                      {EventShowDrawTool, EventShowDrawToolChar}};
    const int codes[] = {18, 19, 20, 21, 23}; // the code for 5 is 23, not 22
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(store->integer(hotkeys[i][0]), codes[i]);
        EXPECT_EQ(store->string(hotkeys[i][1]), QString("⌘ %1").arg(i + 1));
    }
    for (const auto& [key, value] : {std::pair{IsFirstRun, 1},
                                     {Watermark_Type, 2},
                                     {FpsItemIndex, 3},
                                     {VideoTypeIndex, 1},
                                     {Linewidth, 2}})
        EXPECT_EQ(store->integer(key), value) << key;
    EXPECT_FALSE(store->contains(PrefKey::Watermark_center_x));
    EXPECT_FALSE(store->contains(PrefKey::AutoStop_Time));

    // The groups follow the first-run values.
    const CaptureGroup& c = delegate.capture;
    const CompositionGroup& w = delegate.composition;
    EXPECT_EQ(std::make_tuple(c.framItemIndex, c.fpsItemIndex, c.videoTypeBoxIndex,
                              c.audioExtensionIndex, c.recordVideoType, c.recordAudioType),
              std::make_tuple(1, 3, 1, 0, 0u, 0u));
    EXPECT_EQ(std::make_tuple(c.isShowReverseTime, c.isCaptrueMirror, w.isShowMouse.load(),
                              w.isMouseClickEffect.load(), w.isMouseHight.load()),
              std::make_tuple(true, true, true, true, false));
    EXPECT_EQ(std::make_tuple(w.watermarkType.load(), w.watermarkAlpha.load(),
                              w.textWatermarkColor.name(), w.textWatermarkFont.pointSize()),
              std::make_tuple(2u, 1.0f, QString("#ff0000"), 20));
    EXPECT_EQ(w.textWatermarkFont.family(),
              QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(c.videoTypes.join(' '), ".mov .mp4 .m4v .flv .avi");
    EXPECT_EQ(c.audioExtensions.join(' '), ".mp3 .wav .m4a");
    EXPECT_EQ(c.fpsTitles.join(" "),
              "20 fps 23.976 fps 24 fps 25 fps 29.97 fps 30 fps 50 fps 60 fps");
    EXPECT_EQ(c.fpsTitles.value(c.fpsItemIndex), "25 fps");
}

TEST_F(StartupPass, ExistingStoreIsLoadedAndGainsOnlyAMissingDrawToolHotkey) {
    store->setValue(PrefKey::IsFirstRun, 1);
    store->setValue(PrefKey::EventStartOrStopChar, "Alt X");
    store->setValue(PrefKey::Watermark_textString, "my own text");
    store->setValue(PrefKey::Watermark_fontName, "DejaVu Serif");
    store->setValue(PrefKey::Watermark_pointSize, 31.0);
    store->setValue(PrefKey::Watermark_color, QVariantList{0.0, 0.5, 2.0});
    AppDelegate delegate(audio);
    const CompositionGroup& w = delegate.composition;
    EXPECT_EQ(w.textWatermarkFont.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(w.textWatermarkFont.pointSizeF(), 31.0);
    // Components are clamped to the colour range; alpha is always 1.
    EXPECT_EQ(w.textWatermarkColor.name(QColor::HexArgb), "#ff0080ff");
    EXPECT_EQ(store->integer(PrefKey::EventShowDrawTool), 23);
    EXPECT_EQ(store->string(PrefKey::EventShowDrawToolChar), "⌘ 5");
    EXPECT_EQ(store->string(PrefKey::EventStartOrStopChar), "Alt X");
    EXPECT_FALSE(store->contains(PrefKey::EventResumeOrPause));
    // A store without the first-run values reads the missing keys as 0.
    EXPECT_EQ(delegate.capture.fpsItemIndex, 0);
    EXPECT_FALSE(w.isShowMouse);
    // The text watermark reverts to the application name at every start.
    EXPECT_EQ(store->string(PrefKey::Watermark_textString), "Tapedeck");
    EXPECT_EQ(w.watermarkTextString, "Tapedeck");

    // A draw-tool hotkey of the user's own is kept.
    store->setValue(PrefKey::EventShowDrawToolChar, "^ Q");
    AppDelegate again(audio);
    EXPECT_EQ(store->string(PrefKey::EventShowDrawToolChar), "^ Q");
}

TEST_F(StartupPass, AutoStopFallbacksAndFlags) {
    for (const bool set : {false, true}) { // nothing stored (0) reads as 600 s, 100 MB, index 1
        for (const char* key :
             {PrefKey::AutoStop_Time, PrefKey::AutoStop_FileSize, PrefKey::AutoStop_FinshIndex,
              PrefKey::AutoStop_Type, PrefKey::AutoStop_EveryTime})
            store->setValue(key, set ? 2 : 0);
        EXPECT_DOUBLE_EQ(storedAutoStopTime(*store), set ? 2 : 600);
        AppDelegate delegate(audio);
        const LimitsGroup& l = delegate.limits;
        EXPECT_DOUBLE_EQ(l.recordEndFileSize, set ? 2 : 100);
        EXPECT_EQ(l.finshpopIndex, set ? 2 : 1);
        EXPECT_EQ(l.isRecordEndSizeType && l.everyTime && l.autoStop_withTime, set);
        // The launch always starts with no stop duration armed; the store keeps its value.
        EXPECT_DOUBLE_EQ(l.recordEndTimeDuration, 0);
    }
}

TEST_F(StartupPass, TimeFormatsDependOnTheStoredLanguage) {
    for (const auto& [language, styles] :
         {std::pair{0, "YYYY/MM/dd HH/mm/ss|YYYY-MM-dd HH:mm:ss|YYYY-MM-dd HH:mm"},
          {-3, "YYYY/MM/dd HH/mm/ss|YYYY-MM-dd HH:mm:ss|YYYY-MM-dd HH:mm"},
          {5, "YYYY/MM/dd HH/mm/ss|YYYY年MM月dd日 HH时mm分ss秒|YYYY-MM-dd HH:mm:ss|"
              "YYYY-MM-dd HH:mm|YYYY年MM月dd日 HH时mm分"}}) {
        store->setValue(PrefKey::AppLanguage, language);
        AppDelegate delegate(audio);
        EXPECT_EQ(delegate.composition.timeFramStyles.join('|'), QString::fromUtf8(styles));
    }
}

// A microphone source drops to system sound when no microphone-like input exists; only a
// microphone source asks for the devices, and the stored choice never changes.
TEST_F(StartupPass, MicrophoneSourceNeedsAMicrophone) {
    using Inputs = std::vector<AudioDeviceDescription>;
    for (const auto& [stored, inputs, loaded, queries] :
         {std::tuple{1u, Inputs{}, 0u, 1},
          {1u, Inputs{{"mic", "Built-in Microphone", 1}}, 1u, 1},
          {1u, Inputs{{"BlackHole2ch_UID", "BlackHole 2ch", 2}}, 1u, 1},
          {2u, Inputs{}, 2u, 0}}) {
        store->setValue(PrefKey::IsFirstRun, 1);
        store->setValue(PrefKey::RecordAudioType, stored);
        FakeAudioHardware hardware(inputs);
        EXPECT_EQ(AppDelegate(hardware).capture.recordAudioType, loaded) << inputs.size();
        EXPECT_EQ(hardware.calls, queries);
        EXPECT_EQ(store->integer(PrefKey::RecordAudioType), stored);
    }
}

} // namespace
