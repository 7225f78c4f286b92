#include "StartupValues.h"

#include "Localization.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

#include <QVariantList>

namespace {

void writeFirstRunValues(Preferences& store, const QString& appName) {
    using namespace PrefKey;
    store.setValue(IsFirstRun, 1);
    store.setValue(EventStartOrStop, 18);
    store.setValue(EventStartOrStopChar, "⌘ 1");
    store.setValue(EventResumeOrPause, 19);
    store.setValue(EventResumeOrPauseChar, "⌘ 2");
    store.setValue(EventOnOrOffCaptrue, 20);
    store.setValue(EventOnOrOffCaptrueChar, "⌘ 3");
    store.setValue(EventScreenshot, 21);
    store.setValue(EventScreenshotChar, "⌘ 4");
    store.setValue(EventShowDrawTool, 23);
    store.setValue(EventShowDrawToolChar, "⌘ 5");
    store.setValue(Watermark_textString, appName);
    store.setValue(Watermark_color, QVariantList{1.0, 0.0, 0.0});
    store.setValue(Watermark_alpha, 1.0);
    store.setValue(Watermark_shadow, 0);
    store.setValue(Watermark_isShow, 0);
    store.setValue(Watermark_scale, 1.0);
    store.setValue(Watermark_Type, 2);
    store.setValue(TimeFramStyleIndex, 0);
    store.setValue(IsShowMouse, 1);
    store.setValue(IsMouseClickEffect, 1);
    store.setValue(IsMouseHighlight, 0);
    store.setValue(IsShowReverseTime, 1);
    store.setValue(FramItemIndex, 1);
    store.setValue(FpsItemIndex, 3);
    store.setValue(VideoTypeIndex, 1);
    store.setValue(AudioTypeIndex, 0);
    store.setValue(RecordAudioType, 0);
    store.setValue(IsCaptrueMirrored, 1);
    store.setValue(Linewidth, 2);
}

} // namespace

void writeStartupValues(Preferences& store) {
    const QString appName = Localization::localizedStringForKey("Meun_App");
    store.setValue(PrefKey::Watermark_textString, appName);
    if (!store.boolean(PrefKey::IsFirstRun))
        writeFirstRunValues(store, appName);
    if (!store.contains(PrefKey::EventShowDrawToolChar)) {
        store.setValue(PrefKey::EventShowDrawToolChar, "⌘ 5");
        store.setValue(PrefKey::EventShowDrawTool, 23);
    }
}
