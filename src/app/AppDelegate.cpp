#include "AppDelegate.h"

#include "AutoStopPreferences.h"
#include "Catalogue.h"
#include "DrawSettingsWindowController.h"
#include "FileListWindowController.h"
#include "KTBookmark.h"
#include "Localization.h"
#include "MainQueue.h"
#include "MenuRetitling.h"
#include "MicrophoneCheck.h"
#include "NotificationCenter.h"
#include "OutputNames.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "Screenshot.h"
#include "SerialQueue.h"
#include "SoundPlayer.h"
#include "StartupValues.h"
#include "TimeWatermarkFormats.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

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

AppDelegate::AppDelegate(AudioHardware& audioHardware) : audioHardware_(audioHardware) {
    writeStartupValues(Preferences::shared());
    loadPreferences(audioHardware);
    Localization::applyLanguage();
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

void AppDelegate::showDoodleToolAction() {
    if (drawWindow) {
        drawWindow->closeWindow();
        drawWindow = nullptr;
        return;
    }
    linecolors = DrawSettingsWindowController::paletteColors();
    drawWindow = new DrawSettingsWindowController(linecolors, drawDesktop);
    drawWindow->showPalette();
}

void AppDelegate::enterFileListAction() {
    if (!fileListWindow) {
        fileListWindow = new FileListWindowController;
        fileListWindow->setAttribute(Qt::WA_QuitOnClose, false);
        fileListWindow->setAttribute(Qt::WA_ShowWithoutActivating);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = fileListWindow->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            fileListWindow->move(frame.topLeft());
        }
    }
    fileListWindow->show();
    fileListWindow->raise();
    fileListWindow->setUPData();
}

QString AppDelegate::screenshort() {
    QFile sound(":/sounds/Capture.wav");
    if (soundPlayer && sound.open(QIODevice::ReadOnly))
        soundPlayer->play(sound.readAll());
    return saveImage(getmainDesktopImage());
}

QImage AppDelegate::getmainDesktopImage() {
    return Screenshot::getmainDesktopImage();
}

QString AppDelegate::saveImage(const QImage& image) {
    if (!imageQueue) {
        const QString path = Screenshot::saveImage(image);
        showNewEntries();
        return path;
    }
    const QString path = OutputNames::makeOutputPath(".png");
    imageQueue->async([this, image, path] {
        const qint64 length = Screenshot::writePng(image, path);
        MainQueue::async([this, path, length] {
            Screenshot::catalogueImage(path, length);
            showNewEntries();
        });
    });
    return path;
}

void AppDelegate::showNewEntries() {
    if (fileListWindow && fileListWindow->isVisible())
        fileListWindow->setUPData();
}

void AppDelegate::loadPreferences(AudioHardware& audioHardware) {
    using namespace PrefKey;
    const Preferences& store = Preferences::shared();
    LimitsGroup& l = limits;
    CaptureGroup& c = capture;
    CompositionGroup& w = composition;

    l.recordEndTimeDuration = storedAutoStopTime(store);
    l.recordEndFileSize = storedAutoStopFileSize(store);
    l.isRecordEndSizeType = store.boolean(AutoStop_Type);
    l.everyTime = store.boolean(AutoStop_EveryTime);
    l.finshpopIndex = storedFinishIndex(store);
    l.autoStop_withTime = l.everyTime;

    c.recordVideoType = 0;
    c.recordAudioType = unsigned(store.integer(RecordAudioType));
    if (c.recordAudioType == 1 && !hasMicrophoneInput(audioHardware.inputDevices()))
        c.recordAudioType = 0;

    c.framItemIndex = int(store.integer(FramItemIndex));
    c.fpsItemIndex = int(store.integer(FpsItemIndex));
    c.videoTypeBoxIndex = int(store.integer(VideoTypeIndex));
    w.isMouseHight = store.boolean(IsMouseHighlight);
    w.isShowMouse = store.boolean(IsShowMouse);
    w.isMouseClickEffect = store.boolean(IsMouseClickEffect);
    c.isShowReverseTime = store.boolean(IsShowReverseTime);
    // The launch leaves the duration at 0; the stored value stays for the auto-stop window.
    l.recordEndTimeDuration = 0;

    w.textWatermarkFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    w.textWatermarkFont.setPointSize(20);
    const QString fontName = store.string(Watermark_fontName);
    if (!fontName.isEmpty()) {
        const double size = store.floating(Watermark_pointSize);
        w.textWatermarkFont = QFont(fontName);
        w.textWatermarkFont.setPointSizeF(size > 0 ? size : 20);
    }
    const QVariantList rgb = store.array(Watermark_color);
    const auto component = [&](int i) {
        return float(std::clamp(Preferences::toFloating(rgb.value(i)), 0.0, 1.0));
    };
    w.textWatermarkColor = QColor::fromRgbF(component(0), component(1), component(2), 1.0f);

    w.timeFramStyleIndex = int(store.integer(TimeFramStyleIndex));
    w.watermarkAlpha = float(store.floating(Watermark_alpha));
    w.isWatermarkShadow = store.boolean(Watermark_isShow);
    w.watermarkTextString = store.string(Watermark_textString);
    w.watermarkType = unsigned(store.integer(Watermark_Type));
    // The user's picture, whatever the type: a text watermark is rendered again only by the
    // settings window, so until then it shows the stored picture.
    const QString imagePath = store.string(Watermark_imagePath);
    if (!imagePath.isEmpty() &&
        KTBookmark::defaultShareBookmark().BookmarkStartAccessingSecurityScopedResourceWithFilePath(
            imagePath))
        w.watermarkImage = QImage(imagePath);
    l.endTimeType = 0;
    hotkeys.isResetEventMonitor = false;
    c.audioExtensionIndex = int(store.integer(AudioTypeIndex));
    c.isCaptrueMirror = store.boolean(IsCaptrueMirrored);

    c.audioExtensions = {".mp3", ".wav", ".m4a"};
    c.videoTypes = {".mov", ".mp4", ".m4v", ".flv", ".avi"};
    // New rates go at the end, so stored indexes keep their meaning.
    c.fpsTitles = {"20 fps",    "23.976 fps", "24 fps", "25 fps",
                   "29.97 fps", "30 fps",     "50 fps", "60 fps"};
    w.timeFramStyles = timeWatermarkStyles(Localization::isEnglishLanguage());
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
    const CaptureGroup& c = capture;
    if (!c.commandLineOutputPath.isEmpty())
        return c.commandLineOutputPath;
    const QString extension = video ? entryOrFirst(c.videoTypes, c.videoTypeBoxIndex)
                                    : entryOrFirst(c.audioExtensions, c.audioExtensionIndex);
    return OutputNames::makeOutputPath(extension);
}

void AppDelegate::setLange(int code) {
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::AppLanguage, code);
    // The choice lives in our own store, which the next launch reads; no system setting changes.
    // Flushed after it is marked chosen, or a launch after a crash would follow the system.
    Localization::setLanguage();
    store.synchronize();
    emit NotificationCenter::defaultCenter().ChangeLanguageNotification();
    changeLanguage();
}

void AppDelegate::changeLanguage() {
    QWidget* window = ui.window;
    if (!window)
        return;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        retitleMenu(bar);
    for (QMenu* menu : window->findChildren<QMenu*>())
        retitleMenu(menu);
}
