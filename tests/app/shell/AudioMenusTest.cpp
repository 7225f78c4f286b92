// The sound menus of the main window: the on/off pair, the audio-only panel's format and
// source menus, and what each choice leaves in the settings.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QSignalSpy>

#include "AppDelegate.h"
#include "AudioOnOffMenus.h"
#include "AudioOnlyPanel.h"
#include "FakeAudioHardware.h"
#include "FakeMediaEncoder.h"
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
    struct Case {
        int systemItem, micItem; // 1 on, 2 off
        unsigned type;
    } cases[] = {{1, 2, 0}, {2, 1, 1}, {1, 1, 2}, {2, 2, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(AudioOnOffMenus::recordAudioType(c.systemItem == 1, c.micItem == 1), c.type);
        AudioOnOffMenus menus;
        QSignalSpy chosen(&menus, &AudioOnOffMenus::typeChosen);
        // Whichever menu changes last, the pair decides.
        menus.systemAudioBox()->setCurrentIndex(c.systemItem);
        pick(menus.micphoneBox(), c.micItem);
        menus.micphoneBox()->setCurrentIndex(c.micItem);
        pick(menus.systemAudioBox(), c.systemItem);
        ASSERT_EQ(chosen.count(), 2);
        EXPECT_EQ(chosen[0][0].toUInt(), c.type);
        EXPECT_EQ(chosen[1][0].toUInt(), c.type);
        // Shown the other way round, the type gives back the same pair.
        AudioOnOffMenus shown;
        shown.showAudioType(c.type);
        EXPECT_EQ(shown.systemAudioBox()->indexOfSelectedItem(), c.systemItem);
        EXPECT_EQ(shown.micphoneBox()->indexOfSelectedItem(), c.micItem);
    }
}

class AudioOnlyPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        freshPreferences();
        fakeencoder::reset();
    }
    FakeAudioHardware audio{{}};
    FakePlatform platform;
};

TEST_F(AudioOnlyPanelTest, FormatMenuNamesTheNextAudioFile) {
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    AudioOnlyPanel panel(app, flows);
    SRPopUpButton* formats = panel.audioExtensionPopUp();
    ASSERT_EQ(formats->count(), 4); // the title, then the three formats
    struct Case {
        int item;
        const char* extension;
    } cases[] = {{2, ".wav"}, {3, ".m4a"}, {1, ".mp3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        pick(formats, c.item);
        EXPECT_EQ(app.capture.audioExtensionIndex, c.item - 1);
        EXPECT_EQ(Preferences::shared().integer(PrefKey::AudioTypeIndex), c.item - 1);
        EXPECT_TRUE(app.createoutputPath(false).endsWith(c.extension))
            << app.createoutputPath(false).toStdString();
        // Video recordings keep their own container.
        EXPECT_FALSE(app.createoutputPath(true).endsWith(c.extension));
    }
}

TEST_F(AudioOnlyPanelTest, SourceMenuAndAudioButton) {
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    AudioOnlyPanel panel(app, flows);
    panel.show();
    QSignalSpy picked(&panel, &AudioOnlyPanel::audioSourcePicked);
    pick(panel.onlyAudio_AudioTypePopBtn(), 2);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toUInt(), 1u); // item i is source type i - 1
    struct Case {
        unsigned type;
        const char* image;
    } cases[] = {{0, "btnMainRec_Audio_Normal"},
                 {3, "btnNotRecordAudio_Normal"},
                 {2, "btnMainRec_Audio_Normal"}};
    for (const Case& c : cases) {
        panel.showAudioType(c.type);
        EXPECT_EQ(panel.onlyAudio_AudioTypePopBtn()->storedIndex(), int(c.type));
        EXPECT_EQ(panel.audioButton()->currentImageName(), c.image);
    }
    // Idle: the button pops the source menu up.
    panel.AudioExImAction();
    EXPECT_TRUE(panel.onlyAudio_AudioTypePopBtn()->view()->isVisible());
    panel.onlyAudio_AudioTypePopBtn()->hidePopup();
}
