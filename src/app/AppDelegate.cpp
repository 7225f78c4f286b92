#include "AppDelegate.h"

#include "AutoStopPreferences.h"
#include "Catalogue.h"
#include "KTBookmark.h"
#include "Localization.h"
#include "MenuRetitling.h"
#include "MicrophoneCheck.h"
#include "NotificationCenter.h"
#include "OutputNames.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "StartupValues.h"
#include "TimeWatermarkFormats.h"

#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

std::unique_ptr<AppDelegate>& sharedSlot() {
    static std::unique_ptr<AppDelegate> instance;
    return instance;
}

// A stored index may point past a list (an older store, a hand-edited file): use the first entry.
QString entryOrFirst(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list[index] : list.value(0);
}

} // namespace

AppDelegate::AppDelegate(AudioHardware& audioHardware) {
    writeStartupValues(Preferences::shared());
    loadPreferences(audioHardware);
}

AppDelegate& AppDelegate::createSharedInstance(AudioHardware& audioHardware) {
    auto& slot = sharedSlot();
    if (!slot)
        slot = std::make_unique<AppDelegate>(audioHardware);
    return *slot;
}

AppDelegate& AppDelegate::sharedInstance() {
    Q_ASSERT_X(sharedSlot(), "AppDelegate", "createSharedInstance was not called");
    return *sharedSlot();
}

void AppDelegate::loadPreferences(AudioHardware& audioHardware) {
    using namespace PrefKey;
    const Preferences& store = Preferences::shared();

    recordEndTimeDuration = storedAutoStopTime(store);
    recordEndFileSize = storedAutoStopFileSize(store);
    isRecordEndSizeType = store.boolean(AutoStop_Type);
    everyTime = store.boolean(AutoStop_EveryTime);
    finshpopIndex = storedFinishIndex(store);
    autoStop_withTime = everyTime;

    recordVideoType = 0;
    recordAudioType = unsigned(store.integer(RecordAudioType));
    if (recordAudioType == 1 && !hasMicrophoneInput(audioHardware.inputDevices()))
        recordAudioType = 0;

    framItemIndex = int(store.integer(FramItemIndex));
    fpsItemIndex = int(store.integer(FpsItemIndex));
    videoTypeBoxIndex = int(store.integer(VideoTypeIndex));
    isMouseHight = store.boolean(IsMouseHighlight);
    isShowMouse = store.boolean(IsShowMouse);
    isMouseClickEffect = store.boolean(IsMouseClickEffect);
    isShowReverseTime = store.boolean(IsShowReverseTime);
    // The launch leaves the duration at 0; the stored value stays for the auto-stop window.
    recordEndTimeDuration = 0;

    textWatermarkFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    textWatermarkFont.setPointSize(20);
    const QString fontName = store.string(Watermark_fontName);
    if (!fontName.isEmpty()) {
        const double size = store.floating(Watermark_pointSize);
        textWatermarkFont = QFont(fontName);
        textWatermarkFont.setPointSizeF(size > 0 ? size : 20);
    }
    const QVariantList rgb = store.array(Watermark_color);
    const auto component = [&](int i) {
        return float(std::clamp(Preferences::toFloating(rgb.value(i)), 0.0, 1.0));
    };
    textWatermarkColor = QColor::fromRgbF(component(0), component(1), component(2), 1.0f);

    timeFramStyleIndex = int(store.integer(TimeFramStyleIndex));
    watermarkAlpha = float(store.floating(Watermark_alpha));
    isWatermarkShadow = store.boolean(Watermark_isShow);
    watermarkTextString = store.string(Watermark_textString);
    watermarkType = unsigned(store.integer(Watermark_Type));
    // The user's picture, whatever the type: a text watermark is rendered again only by the
    // settings window, so until then it shows the stored picture.
    const QString imagePath = store.string(Watermark_imagePath);
    if (!imagePath.isEmpty() &&
        KTBookmark::defaultShareBookmark().BookmarkStartAccessingSecurityScopedResourceWithFilePath(
            imagePath))
        watermarkImage = QImage(imagePath);
    endTimeType = 0;
    isResetEventMonitor = false;
    audioExtensionIndex = int(store.integer(AudioTypeIndex));
    isCaptrueMirror = store.boolean(IsCaptrueMirrored);

    audioExtensions = {".mp3", ".wav", ".m4a"};
    videoTypes = {".mov", ".mp4", ".m4v", ".flv", ".avi"};
    fpsTitles = {"20 fps", "23.976 fps", "24 fps", "25 fps", "29.97 fps", "30 fps"};
    timeFramStyles = timeWatermarkStyles(Localization::isEnglishLanguage());
}

double AppDelegate::getNowTimeTimestamp() {
    using namespace std::chrono;
    const auto us = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    return double(us) / 1000000.0;
}

QString AppDelegate::getFileNameForNowTime() {
    return OutputNames::getFileNameForNowTime();
}

QString AppDelegate::dateToString(const QDateTime& date) {
    return OutputNames::dateToString(date);
}

QString AppDelegate::plistPath() {
    return Catalogue::plistPath();
}

QString AppDelegate::createoutputPath(bool video) const {
    if (!commandLineOutputPath.isEmpty())
        return commandLineOutputPath;
    const QString extension = video ? entryOrFirst(videoTypes, videoTypeBoxIndex)
                                    : entryOrFirst(audioExtensions, audioExtensionIndex);
    return OutputNames::makeOutputPath(extension);
}

void AppDelegate::setLange(int code) {
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::AppLanguage, code);
    store.synchronize();
    // The choice lives in our own store, which the next launch reads; no system setting changes.
    Localization::setLanguage();
    emit NotificationCenter::defaultCenter().ChangeLanguageNotification();
    changeLanguage();
}

void AppDelegate::changeLanguage() {
    if (!window)
        return;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        retitleMenu(bar);
    for (QMenu* menu : window->findChildren<QMenu*>())
        retitleMenu(menu);
}
