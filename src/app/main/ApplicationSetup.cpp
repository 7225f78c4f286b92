#include "ApplicationSetup.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AppDelegate.h"
#include "AudioDeviceRecovery.h"
#include "AudioLevelMeter.h"
#include "AudioRouting.h"
#include "AudioSampleSource.h"
#include "CameraSwitch.h"
#include "DrawSettingsWindowController.h"
#include "FFmpegCameras.h"
#include "FileListWindowController.h"
#include "HotkeyDispatcher.h"
#include "MainQueue.h"
#include "Preferences.h"
#include "PulseAudioCapture.h"
#include "PulseAudioHardware.h"
#include "PulseSoundPlayer.h"
#include "RecordFlows.h"
#include "SerialQueue.h"
#include "WaylandPlatform.h"
#include "X11CompositorCheck.h"
#include "X11HotkeyGrabber.h"
#include "X11Platform.h"
#include "X11PointerCatcher.h"
#include "X11WindowShape.h"

struct ApplicationSetup::Parts {
    explicit Parts(std::unique_ptr<Platform> backend, bool onWayland)
        : platform(std::move(backend)), wayland(onWayland),
          delegate(AppDelegate::createSharedInstance(audio)), flows(delegate, *platform),
          manager(flows.recordManager()),
          routing(audio, {[this] { return int(manager.status()); },
                          [this] { flows.setAudioFormat(AudioFormat::standard()); },
                          [](int ms, std::function<void()> task) {
                              MainQueue::after(ms, std::move(task));
                          }}),
          capture(audio),
          source(capture, routing,
                 {[this] { recovery.checkAudioDevice(); },
                  [this](std::span<const uint8_t> interleaved, size_t frames, double captureTime) {
                      manager.captureAudioOutput(interleaved, frames, captureTime);
                  },
                  [this] { return int(flows.audioFormat().samples); },
                  [this] { return int(flows.audioFormat().channels); }}),
          recovery(
              routing,
              {[this] { return manager.status(); },
               [this](unsigned type) {
                   delegate.capture.recordAudioType = type;
                   manager.recordAudioType = type;
                   emit delegate.capture.changed();
               },
               // Later: the watcher that is calling is replaced by the restart.
               [this] { MainQueue::after(0, [this] { source.captrueAudioInputEnable(true); }); }}) {
        manager.sessionErrorRecovery = [this](const QString&) { recovery.captureSessionError(); };
        delegate.soundPlayer = &sound;
        delegate.imageQueue = &imageQueue;
        capture.setMissingHandler([this](bool missing, const QString&) {
            MainQueue::async([this, missing] {
                if (soundMissingShown)
                    soundMissingShown(missing);
            });
        });
    }

    // Capture ends before the parts it feeds; the drawing overlay before the shape and catcher
    // it uses.
    ~Parts() {
        delete delegate.drawWindow.data();
        delete delegate.fileListWindow.data();
        delegate.drawDesktop = {};
        delegate.soundPlayer = nullptr;
        delegate.imageQueue = nullptr;
        source.captrueAudioInputEnable(false);
    }

    std::unique_ptr<Platform> platform;
    bool wayland = false;
    PulseAudioHardware audio;
    AppDelegate& delegate;
    RecordFlows flows;
    SRRecordManager& manager;
    AudioRouting routing;
    PulseAudioCapture capture;
    AudioSampleSource source;
    AudioDeviceRecovery recovery;
    PulseSoundPlayer sound;
    SerialQueue imageQueue{"ScreenshotQueue"};
    std::unique_ptr<AudioLevelMeter> meter;
    std::function<void(bool)> soundMissingShown;
    std::unique_ptr<X11CompositorCheck> compositor;
    std::unique_ptr<X11WindowShape> shape;
    std::unique_ptr<X11PointerCatcher> catcher;
    std::unique_ptr<HotkeyGrabber> grabber;
    std::unique_ptr<HotkeyDispatcher> hotkeys;
};

std::unique_ptr<ApplicationSetup> ApplicationSetup::create(Backend backend) {
    std::unique_ptr<Platform> platform;
    if (backend == Backend::Wayland) {
        platform = WaylandPlatform::create(Preferences::shared());
        if (!platform)
            std::fprintf(stderr, "tapedeck: no ScreenCast portal on the session bus\n");
    } else {
        platform = X11Platform::create();
        if (!platform)
            std::fprintf(stderr, "tapedeck: no X11 display (is DISPLAY set?)\n");
    }
    if (!platform)
        return nullptr;
    platform->setCameras(std::make_unique<FFmpegCameras>(qEnvironmentVariable("TAPEDECK_CAMERAS")));
    std::unique_ptr<ApplicationSetup> setup(new ApplicationSetup(
        std::make_unique<Parts>(std::move(platform), backend == Backend::Wayland)));
    setup->chooseAudio(setup->parts_->manager.recordAudioType);
    return setup;
}

ApplicationSetup::ApplicationSetup(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

ApplicationSetup::~ApplicationSetup() = default;

Platform& ApplicationSetup::platform() {
    return *parts_->platform;
}

AppDelegate& ApplicationSetup::delegate() {
    return parts_->delegate;
}

RecordFlows& ApplicationSetup::flows() {
    return parts_->flows;
}

void ApplicationSetup::enableAreaSelection() {
    Parts& p = *parts_;
    // On Wayland the area is chosen on a full-screen window that shows the screen's frozen
    // picture; nothing is blended with the desktop under it.
    if (p.wayland)
        return p.flows.enableAreaSelection([] { return false; });
    p.compositor = X11CompositorCheck::create();
    p.flows.enableAreaSelection([&p] { return p.compositor && p.compositor->isCompositing(); });
    // The drawing overlay follows what is drawn where no compositor blends it in.
    p.shape = X11WindowShape::create();
    p.catcher = X11PointerCatcher::create();
    p.delegate.drawDesktop = {p.compositor.get(), p.shape.get(), p.catcher.get()};
}

HotkeyDispatcher& ApplicationSetup::installHotkeys() {
    Parts& p = *parts_;
    if (p.hotkeys)
        return *p.hotkeys;
    // Wayland gives no key grabs: its desktop may hand hotkeys out through a portal, else the
    // keys work only while Tapedeck has the focus.
    if (p.wayland)
        p.grabber = p.platform->createHotkeyGrabber();
    else
        p.grabber = X11HotkeyGrabber::create();
    HotkeyDispatcher::Commands commands;
    commands.startOrStop = [&p] { p.flows.recordScreenClicked(); };
    commands.showDrawTool = [&p] { p.delegate.showDoodleToolAction(); };
    commands.camera = [&p] { p.flows.cameraSwitch().OnorOffCaptrueCamera(); };
    commands.pauseOrResume = [&p] { p.flows.pauseOrResumeAction(); };
    // Without the shutter: the key press is feedback enough.
    commands.screenshot = [&p] { p.delegate.saveImage(p.delegate.getmainDesktopImage()); };
    commands.isRecording = [&p] { return p.manager.status() != SRRecordManager::Idle; };
    p.hotkeys = std::make_unique<HotkeyDispatcher>(p.delegate.hotkeys, Preferences::shared(),
                                                   p.platform->inputMonitor(), p.grabber.get(),
                                                   std::move(commands));
    return *p.hotkeys;
}

void ApplicationSetup::chooseAudio(unsigned type, std::function<void()> flowing) {
    parts_->routing.switchRecordType(type);
    parts_->source.startCapture();
    if (!flowing)
        return;
    auto* poll = new QTimer();
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, [this, poll, waited, type, flowing] {
        if (type != 3 && !parts_->capture.isRunning() && waited.elapsed() < kSoundWaitMs)
            return;
        poll->deleteLater();
        flowing();
    });
    poll->start(kSoundPollMs);
}

void ApplicationSetup::stopAudioCapture() {
    parts_->source.captrueAudioInputEnable(false);
}

void ApplicationSetup::showLevels(const AudioLevelMeter::Views& views) {
    Parts& p = *parts_;
    // The meter runs on the audio queue: swap it only while no buffer can arrive.
    p.source.captrueAudioInputEnable(false);
    p.meter = std::make_unique<AudioLevelMeter>(
        views, AudioLevelMeter::Hooks{[&p] { return p.manager.recordVideoType.load(); },
                                      [&p] { return p.manager.recordAudioType.load(); },
                                      [&p] { return p.manager.status(); }});
    p.manager.audioVolum = [meter = p.meter.get()](std::span<const uint8_t> buffer) {
        meter->audioVolum(buffer);
    };
    p.source.startCapture();
}

void ApplicationSetup::setSoundMissingShown(std::function<void(bool missing)> shown) {
    parts_->soundMissingShown = std::move(shown);
}

std::optional<ApplicationSetup::Backend> ApplicationSetup::chooseBackend(int& argc, char** argv) {
    const bool waylandSession =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    Backend backend = waylandSession ? Backend::Wayland : Backend::X11;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--backend") != 0)
            continue;
        const QByteArray name = argv[i + 1];
        if (name != "x11" && name != "wayland") {
            std::fprintf(stderr, "tapedeck: unknown backend \"%s\" (x11 or wayland)\n",
                         name.constData());
            return std::nullopt;
        }
        backend = name == "wayland" ? Backend::Wayland : Backend::X11;
        std::copy(argv + i + 2, argv + argc + 1, argv + i);
        argc -= 2;
        break;
    }
    // Tapedeck's own windows live on the desktop they record.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", backend == Backend::Wayland ? "wayland" : "xcb");
    return backend;
}
