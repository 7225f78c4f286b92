// The sound menus of the main window: the on/off pair, the audio-only panel's format and
// source menus, and what each choice leaves in the settings.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QGridLayout>
#include <QSignalSpy>

#include "AppDelegate.h"
#include "AudioOnOffMenus.h"
#include "AudioOnlyPanel.h"
#include "FakeAudioHardware.h"
#include "FakePlatform.h"
#include "PreferenceKeys.h"
#include "RecordFlows.h"
#include "SRButton.h"
#include "SRPopUpButton.h"
#include "TestApplication.h"

namespace {

// The user picks item `item` (counted with the title).
void pick(SRPopUpButton* menu, int item) {
    menu->setCurrentIndex(item);
    emit menu->activated(item);
}

} // namespace

TEST(AudioOnOffMenus, ThePairMakesTheSourceType) {
    testApplication();
    QWidget host;
    AudioOnOffMenus menus(*new QGridLayout(&host), 0);
    QSignalSpy chosen(&menus, &AudioOnOffMenus::typeChosen);
    // Items: 1 on, 2 off. Whichever menu changes last, the pair decides.
    for (const auto& [systemItem, micItem, type] :
         {std::tuple{1, 2, 0u}, {2, 1, 1u}, {1, 1, 2u}, {2, 2, 3u}}) {
        menus.systemAudioBox()->setCurrentIndex(systemItem);
        pick(menus.micphoneBox(), micItem);
        pick(menus.systemAudioBox(), systemItem);
        ASSERT_EQ(chosen.count(), 2);
        EXPECT_EQ(chosen.takeFirst()[0].toUInt(), type);
        EXPECT_EQ(chosen.takeFirst()[0].toUInt(), type);
        // Shown the other way round, the type gives back the same pair.
        menus.showAudioType(3 - type);
        menus.showAudioType(type);
        EXPECT_EQ(menus.systemAudioBox()->indexOfSelectedItem(), systemItem);
        EXPECT_EQ(menus.micphoneBox()->indexOfSelectedItem(), micItem);
    }
}

TEST(AudioOnlyPanel, FormatAndSourceMenusAndTheAudioButton) {
    freshPreferences();
    FakeAudioHardware audio{{}};
    FakePlatform platform;
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    AudioOnlyPanel panel(app, flows);
    panel.show();
    // The format names the next audio file; video recordings keep their own container.
    for (const auto& [item, extension] : {std::pair{2, ".wav"}, {3, ".m4a"}, {1, ".mp3"}}) {
        pick(panel.audioExtensionPopUp(), item);
        EXPECT_EQ(Preferences::shared().integer(PrefKey::AudioTypeIndex), item - 1);
        EXPECT_TRUE(app.createoutputPath(false).endsWith(extension)) << extension;
        EXPECT_FALSE(app.createoutputPath(true).endsWith(extension)) << extension;
    }
    QSignalSpy picked(&panel, &AudioOnlyPanel::audioSourcePicked);
    pick(panel.onlyAudio_AudioTypePopBtn(), 2);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toUInt(), 1u); // item i is source type i - 1
    for (const auto& [type, image] :
         {std::pair{0u, "btnMainRec_Audio_Normal"}, {3u, "btnNotRecordAudio_Normal"}}) {
        panel.showAudioType(type);
        EXPECT_EQ(panel.onlyAudio_AudioTypePopBtn()->storedIndex(), int(type));
        EXPECT_EQ(panel.audioButton()->currentImageName(), image);
    }
    // Idle: the button pops the source menu up.
    panel.AudioExImAction();
    EXPECT_TRUE(panel.onlyAudio_AudioTypePopBtn()->view()->isVisible());
    panel.onlyAudio_AudioTypePopBtn()->hidePopup();
}
