#include "RecordFlows.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStorageInfo>

#include "AppCompositionSettings.h"
#include "AppDelegate.h"
#include "AutoStopCheck.h"
#include "CameraSwitch.h"
#include "Catalogue.h"
#include "ClickEffectArming.h"
#include "CoordinateSpace.h"
#include "DiskSpaceWatch.h"
#include "KTLog.h"
#include "Localization.h"
#include "MainQueue.h"
#include "OutputNames.h"
#include "Platform.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "RecordAreaHost.h"
#include "RecordingJournal.h"
#include "SRRecordAreaSession.h"
#include "SRRecordScreenWindowController.h"
#include "WindowList.h"

namespace {

CoordinateSpace desktopSpace() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return CoordinateSpace(primary ? primary->geometry() : QRect());
}

} // namespace

RecordFlows::RecordFlows(AppDelegate& app, Platform& platform)
    : clock(&AppDelegate::getNowTimeTimestamp), app_(app), platform_(platform) {}

RecordFlows::~RecordFlows() = default;

SRRecordManager& RecordFlows::recordManager() {
    if (!recordManager_) {
        recordManager_ = std::make_unique<SRRecordManager>(platform_, *this);
        recordManager_->delegate = this;
        recordManager_->recordVideoType = app_.capture.recordVideoType;
        recordManager_->recordAudioType = app_.capture.recordAudioType;
        compositionSettings_ =
            std::make_unique<AppCompositionSettings>(app_, Preferences::shared());
        recordManager_->setCompositionSettings(*compositionSettings_);
        clickArming_ = std::make_unique<ClickEffectArming>(platform_.inputMonitor(),
                                                           recordManager_->clickEffect);
        connect(recordManager_.get(), &SRRecordManager::encoderFailed, this,
                [this] { endRecording("Alert_Write_Failed"); });
        connect(recordManager_.get(), &SRRecordManager::captureFailed, this,
                [this] { endRecording("Alert_Display_Lost"); });
        diskWatch_ =
            std::make_unique<DiskSpaceWatch>([this] { return recordManager_->filesize(); });
        connect(diskWatch_.get(), &DiskSpaceWatch::checked, this, [this](qint64 free) {
            app_.ui.freeSpace = double(free) / 1e9;
            showProgress(app_.ui.recordProgressNum);
        });
        connect(diskWatch_.get(), &DiskSpaceWatch::runningOut, this,
                [this] { endRecording("Alert_Disk_Full"); });
        connect(recordManager_.get(), &SRRecordManager::cameraLost, this,
                &RecordFlows::cameraLostAction);
    }
    return *recordManager_;
}

CameraSwitch& RecordFlows::cameraSwitch() {
    if (!cameraSwitch_)
        cameraSwitch_ = std::make_unique<CameraSwitch>(app_, *this, platform_);
    return *cameraSwitch_;
}

void RecordFlows::enableAreaSelection(std::function<bool()> isCompositing) {
    areaHost_ = std::make_unique<RecordAreaHost>(app_, *this, std::move(isCompositing));
    areaSession_ = std::make_unique<SRRecordAreaSession>(recordManager(), *areaHost_, platform_);
}

void RecordFlows::setRecordWC(std::shared_ptr<SRRecordScreenWindowController> controller) {
    recordWC_ = std::move(controller);
}

void RecordFlows::prepareOverlays() {
    recordManager();
    compositionSettings_->refresh();
}

std::vector<DisplayInfo> RecordFlows::screens() const {
    return platform_.displays().screens();
}

QString RecordFlows::chooseRecordArea(const QRect& desktop) {
    const QRectF selection = desktopSpace().toBottomLeft(QRectF(desktop));
    for (const DisplayInfo& screen : screens()) {
        if (!screen.frame.contains(selection))
            continue;
        recordScreen_ = screen;
        // Counted from the screen's own corner, as on its selection overlay.
        recordRegion_ = SRRecordScreenWindowController::selectedRegionForSelection(
            selection.translated(-screen.frame.topLeft()));
        return QString();
    }
    return QString("the area %1,%2 %3x%4 does not lie on one screen")
        .arg(desktop.x())
        .arg(desktop.y())
        .arg(desktop.width())
        .arg(desktop.height());
}

QString RecordFlows::chooseRecordWindow(uint32_t window) {
    const std::optional<WindowInfo> info = platform_.windowList().windowInfo(window);
    if (!info)
        return QString("there is no window 0x%1").arg(window, 0, 16);
    const CoordinateSpace space = desktopSpace();
    const QRectF bounds = space.toBottomLeft(space.fromWindowList(info->bounds));
    for (const DisplayInfo& screen : screens()) {
        if (!screen.frame.contains(bounds.center()))
            continue;
        app_.capture.selectedWindowNumber = info->number;
        app_.capture.selectedWindowName = info->name;
        recordScreen_ = screen;
        // As the window's selection overlay gives it; the manager then follows the window.
        recordRegion_ = bounds.translated(-screen.frame.topLeft());
        return QString();
    }
    return QString("the window 0x%1 lies on no screen").arg(window, 0, 16);
}

void RecordFlows::recordScreenClicked() {
    app_.limits.autoStop_Duration = 0;
    app_.capture.isShowReverseTime = false;
    recordAfterScreenClicked();
}

void RecordFlows::countDownAction(const QString& title) {
    app_.capture.isShowReverseTime = true;
    const std::pair<QString, int> presets[] = {
        {Localization::localizedStringForKey("ID_MAINPOPMENU_RECORDTIME1"), 3},
        {Localization::localizedStringForKey("ID_MAINPOPMENU_RECORDTIME2"), 5},
        {Localization::localizedStringForKey("ID_MAINPOPMENU_RECORDTIME3"), 10}};
    for (const auto& [preset, seconds] : presets)
        if (title == preset)
            Preferences::shared().setValue(PrefKey::RECORDTIME_DURATION, seconds);
    recordAfterScreenClicked();
}

void RecordFlows::recordAfterScreenClicked() {
    generateMemoryInfo();
    app_.limits.isAutoStop = Preferences::shared().integer(PrefKey::IsAutoStop) != 0;
    SRRecordManager& m = recordManager();
    if (m.status() != SRRecordManager::Idle) {
        stopRecordingAndCatalogue();
        return;
    }
    // A disk already below the reserve would be stopped at once: say so instead of starting.
    const QString chosen = app_.capture.commandLineOutputPath;
    const QString folder =
        chosen.isEmpty() ? OutputNames::outputFolderPath() : QFileInfo(chosen).path();
    if (const qint64 free = DiskSpaceWatch::freeBytes(folder);
        free >= 0 && free < DiskSpaceWatch::kMinimumReserve) {
        emit recordingEnded(Localization::localizedStringForKey("Alert_Disk_Low") + "\n" + folder);
        return;
    }
    app_.ui.fileDuration = 0;
    app_.ui.fileSize = 0;
    switch (m.recordVideoType.load()) {
    case SRRecordManager::AudioOnly:
        recordAudio();
        break;
    case SRRecordManager::Camera:
        if (!m.selectedVideoDevice) {
            emit cameraMissing();
            break;
        }
        recordVideo();
        break;
    default:
        if (areaSession_)
            areaSession_->startRecordScreen();
        else
            startScreenRecording();
        break;
    }
}

void RecordFlows::startScreenRecording() {
    // The chosen area or window, else the whole chosen screen, else the one under the pointer,
    // at once.
    const Displays& displays = platform_.displays();
    std::optional<DisplayInfo> screen = recordScreen_;
    if (!screen)
        screen = displays.currentScreenForMouseLocation();
    RecordingSettings settings = recordingSettings();
    settings.screen = screen ? screen : displays.mainScreen();
    settings.captureRect = recordRegion_.value_or(QRectF());
    app_.ui.outputPath = app_.createoutputPath(true);
    prepareOverlays();
    startOrReportFailure(settings);
}

void RecordFlows::startOrReportFailure(const RecordingSettings& settings) {
    SRRecordManager& m = recordManager();
    m.startRecording(settings);
    if (!m.isEncoding()) {
        // Nothing is being written: say so and go back to idle.
        const QString path = app_.ui.outputPath;
        m.stopRecording();
        emit startFailed(path);
    }
}

void RecordFlows::recordAudio() {
    app_.ui.outputPath = app_.createoutputPath(false);
    startOrReportFailure(recordingSettings());
}

void RecordFlows::recordVideo() {
    app_.ui.outputPath = app_.createoutputPath(true);
    startOrReportFailure(recordingSettings());
}

void RecordFlows::cameraLostAction(const QString& error) {
    SRRecordManager& m = recordManager();
    // A camera recording ends like a user stop: the file is finished and catalogued, and the
    // user is told why.
    const bool stopped =
        m.recordVideoType == SRRecordManager::Camera && m.status() != SRRecordManager::Idle;
    if (stopped)
        endRecording("Alert_Camera_Lost");
    emit cameraLost(error, stopped);
}

void RecordFlows::pauseOrResumeAction() {
    SRRecordManager& m = recordManager();
    if (m.status() == SRRecordManager::Idle)
        return;
    if (m.status() == SRRecordManager::Paused) {
        m.resumeRecording();
        if (recordWC_)
            recordWC_->resumeRecording();
        emit pauseImageChanged("btnPauseRecord_Normal");
    } else {
        m.pauseRecording();
        if (recordWC_)
            recordWC_->pauseRecording();
        emit pauseImageChanged("btnContinueRecord_Normal");
    }
}

void RecordFlows::endRecording(const char* reasonKey) {
    if (recordManager().status() == SRRecordManager::Idle)
        return;
    endReason_ = Localization::localizedStringForKey(reasonKey);
    recordAfterScreenClicked();
}

void RecordFlows::stopRecordingAndCatalogue() {
    SRRecordManager& m = recordManager();
    const bool isVideo = m.recordVideoType != SRRecordManager::AudioOnly;
    const QString path = app_.ui.outputPath;
    // The entry carries the last progress report, so a crash while the encoder finishes the
    // file still leaves one; it is corrected once the file is complete.
    Catalogue().insert(Catalogue::recordingEntry(
        path, app_.ui.fileDuration.load(), app_.ui.fileSize.load(),
        OutputNames::dateToString(QDateTime::currentDateTime()), isVideo));
    cataloguing_ = true;
    m.stopRecording();
    cataloguing_ = false;
    const bool kept = correctCatalogue(path);
    RecordingJournal().end();
    emit pauseImageChanged("btnPauseRecord_Normal");
    emit progressChanged(timeText(0), QString::asprintf("%.2f MB / ", 0.0) + systemFreeSpace());
    emit recordingStopped();
    // The user hears why a recording ended by itself, and of a file that was not kept.
    const QString reason = std::exchange(endReason_, QString());
    if (!kept || !reason.isEmpty()) {
        const QString fate =
            Localization::localizedStringForKey(kept ? "Alert_Saved_So_Far" : "Alert_No_Media");
        emit recordingEnded((reason.isEmpty() ? fate : reason + " " + fate) + "\n" + path);
    }
    // Once the recordings list is up.
    finishLimits();
}

bool RecordFlows::correctCatalogue(const QString& path) {
    const int64_t ms = EncodeManager::mediaDuration(path);
    if (ms <= 0) {
        Catalogue().remove(path);
        return false;
    }
    Catalogue().update(
        path, {{"duration", double(ms) / 1000.0}, {"size", double(QFileInfo(path).size())}});
    return true;
}

void RecordFlows::finishLimits() {
    LimitsGroup& l = app_.limits;
    Preferences& store = Preferences::shared();
    if (l.isAutoStopOnce) {
        store.setValue(PrefKey::IsAutoStop, 0);
        l.isAutoStop = false;
    }
    if (l.isAutoSplitOnce)
        store.setValue(PrefKey::SplitType, 0);
    store.synchronize();
    if (l.finshpopIndex == 2)
        emit quitRequested();
    else if (!l.everyTime)
        l.finshpopIndex = 1;
}

QString RecordFlows::timeText(int64_t s) {
    return QString::asprintf("%02lu:%02lu:%02lu", static_cast<unsigned long>(s / 3600 % 60),
                             static_cast<unsigned long>(s / 60 % 60),
                             static_cast<unsigned long>(s % 60));
}

void RecordFlows::recordScreenTimeDuration(int32_t s) {
    // A report queued before the stop would show the last size again beside a reset time.
    if (s < 0 || !app_.ui.recording)
        return;
    if (s > 0) {
        app_.ui.fileDuration = float(s);
        app_.ui.fileSize = float(recordManager().filesize());
    }
    emit framesDropped(recordManager().encodeManager().droppedFrames());
    if (s == app_.ui.recordProgressNum)
        return;
    app_.ui.recordProgressNum = s;
    showProgress(s);
    if (checkRecordLimits(app_.limits, app_.ui.recording, clock(), s, app_.ui.fileSize) ==
        LimitReached::None)
        return;
    // Later reports see the recording over; the stop itself waits until this report's frame
    // or buffer has been handed on.
    app_.ui.recording = false;
    emit limitReached();
    MainQueue::async(
        [this] {
            if (recordManager().status() != SRRecordManager::Idle)
                recordScreenClicked();
        },
        this);
}

void RecordFlows::showProgress(int64_t s) {
    emit progressChanged(timeText(s),
                         QString::asprintf("%.2f MB / ", app_.ui.fileSize.load() / 1000000.0) +
                             systemFreeSpace());
}

void RecordFlows::generateMemoryInfo() {
    // The volume the recordings go to, which is the one that can run full.
    const QString path = app_.ui.outputPath;
    const QString folder =
        path.isEmpty() ? OutputNames::outputFolderPath() : QFileInfo(path).path();
    app_.ui.freeSpace = double(DiskSpaceWatch::freeBytes(folder)) / 1e9;
    app_.ui.totalSpace = double(QStorageInfo(folder).bytesTotal());
}

QString RecordFlows::systemFreeSpace() const {
    if (app_.ui.freeSpace > 1.0)
        return QString::asprintf("%.2f G", app_.ui.freeSpace);
    return QString::asprintf("%.2f MB", app_.ui.freeSpace * 1024);
}

void RecordFlows::setRecording(bool recording) {
    app_.ui.recording = recording;
    if (recording) {
        diskWatch_->start(QFileInfo(app_.ui.outputPath).path());
        const unsigned mode = recordManager().recordVideoType;
        RecordingJournal().begin(app_.ui.outputPath, mode, mode != SRRecordManager::AudioOnly);
    } else {
        diskWatch_->stop();
        // A stop that catalogues keeps the journal until the entry is right.
        if (!cataloguing_)
            RecordingJournal().end();
    }
    emit recordingChanged(recording);
}

bool RecordFlows::isCaptrue() {
    return app_.capture.isCaptrue;
}
QString RecordFlows::outputPath() {
    return app_.ui.outputPath;
}
uint32_t RecordFlows::selectedWindowNumber() {
    return app_.capture.selectedWindowNumber;
}
QString RecordFlows::selectedWindowName() {
    return app_.capture.selectedWindowName;
}
RecordingSettings RecordFlows::recordingSettings() {
    RecordingSettings settings;
    // No rate chosen yet: the usual one.
    settings.fps = app_.capture.fps > 0 ? app_.capture.fps : 30;
    settings.videoBitrate = RecordingSettings::videoBitrateForQuality(app_.capture.framItemIndex);
    settings.audio = audioFormat_;
    return settings;
}
void RecordFlows::refreshStateMenuItem() {
    emit stateMenuChanged();
}
void RecordFlows::setTimeSetsBtnEnabled(bool) {}
void RecordFlows::removeRecordScreenView() {
    if (!recordWC_)
        return;
    // The controller may be the caller; it goes once its call has returned.
    std::shared_ptr<SRRecordScreenWindowController> controller = std::move(recordWC_);
    controller->stopRecording();
    QMetaObject::invokeMethod(
        this, [controller] {}, Qt::QueuedConnection);
}
