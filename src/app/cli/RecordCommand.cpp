#include "RecordCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "AppDelegate.h"
#include "Displays.h"
#include "Localization.h"
#include "MainQueue.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "RecordFlows.h"
#include "SplitLengths.h"
#include "StartCountdown.h"
#include "StopSignals.h"

namespace {

constexpr unsigned kNoSound = 3;
// The routing looks its aggregate devices up half a second after building them; a sound
// source chosen before then would miss them.
constexpr int kRoutingSettleMs = 600;

void printError(const QString& message) {
    std::fprintf(stderr, "tapedeck: %s\n", qPrintable(message));
}

} // namespace

bool RecordCommand::isCommandLine(int argc, char** argv) {
    return argc > 1 && (std::strcmp(argv[1], "record") == 0 ||
                        std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
}

std::optional<RecordOptions> RecordCommand::parse(int argc, char** argv, int& exitStatus) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ParsedRecordOptions parsed = parseRecordOptions(arguments);
    if (!parsed.options) {
        printError(parsed.error + "\nSee \"tapedeck --help\".");
        exitStatus = BadOptions;
        return std::nullopt;
    }
    if (parsed.options->help) {
        QCoreApplication help(argc, argv);
        std::fputs(qPrintable(recordHelpText()), stdout);
        exitStatus = Finished;
        return std::nullopt;
    }
    return parsed.options;
}

RecordCommand::RecordCommand(AppDelegate& app, RecordFlows& flows, const Displays& displays,
                             ChooseAudio chooseAudio)
    : app_(app), flows_(flows), displays_(displays), chooseAudio_(std::move(chooseAudio)) {}

RecordCommand::~RecordCommand() = default;

int RecordCommand::run(const RecordOptions& options) {
    const QString error = applyRecordOptions(options, app_);
    if (!error.isEmpty()) {
        printError(error);
        return BadOptions;
    }
    if (options.screen > 0) {
        const std::vector<DisplayInfo> screens = displays_.screens();
        if (size_t(options.screen) > screens.size()) {
            printError(QString("--screen %1: there are %2 screens")
                           .arg(options.screen)
                           .arg(screens.size()));
            return BadOptions;
        }
        flows_.setRecordScreen(screens[size_t(options.screen) - 1]);
    }
    const QString selectionError = options.rect     ? flows_.chooseRecordArea(*options.rect)
                                   : options.window ? flows_.chooseRecordWindow(*options.window)
                                                    : QString();
    if (!selectionError.isEmpty()) {
        printError(selectionError);
        return BadOptions;
    }
    seconds_ = options.seconds;
    SRRecordManager& manager = flows_.recordManager();
    manager.recordVideoType = app_.capture.recordVideoType;
    manager.recordAudioType = app_.capture.recordAudioType;
    // The main window's split rule, unless this run names its own.
    EncodeManager& encoder = manager.encodeManager();
    loadSplitLengths(encoder, Preferences::shared());
    if (options.splitTime) {
        encoder.splitTime = *options.splitTime;
        encoder.splitType = 1;
    } else if (options.splitSize) {
        encoder.splitSize = *options.splitSize;
        encoder.splitType = 2;
    }
    countdown_ = options.countdown;
    if (countdown_ > 0) {
        // The counter shows the digits up to the stored length, as after the countdown menu.
        Preferences::shared().setValue(PrefKey::RECORDTIME_DURATION, countdown_);
        const QScreen* primary = QGuiApplication::primaryScreen();
        countdownArea_ = options.rect.value_or(primary ? primary->geometry() : QRect());
    }

    StopSignals stopSignals;
    connect(&stopSignals, &StopSignals::stopRequested, this, &RecordCommand::stop);
    connect(&flows_, &RecordFlows::startFailed, this, [this](const QString& path) {
        fail(Localization::localizedStringForKey("Alert_Encode_Message") + "\n" + path);
    });
    connect(&flows_, &RecordFlows::cameraMissing, this,
            [this] { fail(Localization::localizedStringForKey("Alert_Camera_Message")); });
    // One line: why it ended and where the file is (or that none was kept).
    connect(&flows_, &RecordFlows::recordingEnded, this,
            [this](const QString& message) { fail(QString(message).replace('\n', ' ')); });
    // An auto stop the main window stored ends the run as a stop does.
    connect(&flows_, &RecordFlows::limitReached, this, [this] { limitReached_ = true; });
    // A camera that could not be opened; one lost while recording ended it above.
    connect(&flows_, &RecordFlows::cameraLost, this, [this](const QString& error, bool stopped) {
        if (!stopped)
            fail(error);
    });
    if (options.mode == SRRecordManager::Camera)
        openCamera(options.camera);
    // Queued: a start that fails also ends the recording, and says why first.
    connect(
        &flows_, &RecordFlows::recordingChanged, this,
        [this](bool recording) {
            if (recording || done_)
                return;
            if (limitReached_)
                finish();
            else
                fail("the recording ended before it was stopped: " + app_.ui.outputPath);
        },
        Qt::QueuedConnection);
    MainQueue::after(app_.capture.recordAudioType == kNoSound ? 0 : kRoutingSettleMs,
                     [this] { start(); });
    return QCoreApplication::exec();
}

void RecordCommand::start() {
    // The recording starts once its sound flows, so the file does not begin with silence.
    if (!done_)
        chooseAudio_(app_.capture.recordAudioType, [this] { countDown(); });
}

void RecordCommand::countDown() {
    if (done_)
        return;
    if (countdown_ <= 0) {
        record();
        return;
    }
    startCountdown_ =
        std::make_unique<StartCountdown>(countdown_, countdownArea_, [this] { record(); });
}

void RecordCommand::openCamera(const QString& source) {
    cameraMode_ = true;
    SRRecordManager& manager = flows_.recordManager();
    if (!source.isEmpty())
        manager.selectedVideoDevice = CameraDevice{source, source};
    manager.showCameraPicture = [this](const QImage&, bool) {
        if (std::exchange(cameraPicture_, true) || !recordWaitsForCamera_)
            return;
        recordWaitsForCamera_ = false;
        record();
    };
    manager.captrueVideoInputEnable(true);
    QTimer::singleShot(kCameraWaitMs, this, [this] {
        if (!cameraPicture_ && flows_.recordManager().selectedVideoDevice)
            fail("the camera sent no picture");
    });
}

void RecordCommand::record() {
    if (done_)
        return;
    // Without a camera the flows say so; with one, its first picture comes first.
    if (cameraMode_ && !cameraPicture_ && flows_.recordManager().selectedVideoDevice) {
        recordWaitsForCamera_ = true;
        return;
    }
    flows_.recordScreenClicked();
    if (flows_.recordManager().status() == SRRecordManager::Idle)
        return; // the failure has been reported
    started_ = true;
    if (seconds_ <= 0)
        return;
    // The length counts recorded time, not time since the click: on a busy machine the first
    // frame can come a second or more after the start. A stalled encoder still ends the
    // recording, a while after the wall clock says it should have.
    const qint64 wanted = qRound64(seconds_ * 1000);
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, wanted] {
        if (flows_.recordManager().countRecordedDuration() >= wanted)
            stop();
    });
    poll->start(kLengthPollMs);
    QTimer::singleShot(wanted + kStalledEncoderGraceMs, this, &RecordCommand::stop);
}

void RecordCommand::stop() {
    if (done_)
        return;
    if (!started_) {
        fail("stopped before the recording started");
        return;
    }
    // The record button's toggle: the catalogue entry, then the encoder finishes the file. A
    // recording that kept nothing fails through recordingEnded.
    flows_.recordScreenClicked();
    finish();
}

void RecordCommand::finish() {
    if (done_)
        return;
    done_ = true;
    SRRecordManager& manager = flows_.recordManager();
    if (manager.recordVideoType != SRRecordManager::AudioOnly)
        std::fprintf(stderr, "tapedeck: %lld frames dropped\n",
                     static_cast<long long>(manager.encodeManager().droppedFrames()));
    std::printf("%s\n", qPrintable(app_.ui.outputPath));
    std::fflush(stdout);
    QCoreApplication::exit(Finished);
}

void RecordCommand::fail(const QString& message) {
    if (done_)
        return;
    done_ = true;
    printError(message);
    QCoreApplication::exit(Failed);
}
