#include "ApplicationSetup.h"

#include <QMessageBox>

#include <cstdio>

#include "AppDelegate.h"
#include "AudioDeviceRecovery.h"
#include "AudioLevelMeter.h"
#include "AudioRouting.h"
#include "AudioSampleSource.h"
#include "EZAudioDevice.h"
#include "Localization.h"
#include "MainQueue.h"
#include "PulseAudioCapture.h"
#include "PulseAudioHardware.h"
#include "RecordFlows.h"
#include "X11CompositorCheck.h"
#include "X11Platform.h"

struct ApplicationSetup::Parts {
    explicit Parts(std::unique_ptr<X11Platform> x11)
        : platform(std::move(x11)), delegate(prepareAudio(audio)), flows(delegate, *platform),
          manager(flows.recordManager()),
          routing(
              {[this] { return int(manager.status()); },
               [this] { flows.setAudioFormat(AudioFormat::standard()); },
               [](int ms, std::function<void()> task) { MainQueue::after(ms, std::move(task)); }}),
          source(capture, routing,
                 {[this] { recovery.checkAudioDevice(); },
                  [this](std::span<const uint8_t> planar, size_t frames, double captureTime) {
                      manager.captureAudioOutput(planar, frames, captureTime);
                  },
                  [this] { return int(flows.audioFormat().samples); },
                  [this] { return int(flows.audioFormat().channels); }}),
          recovery(
              routing,
              {[this] { return manager.status(); }, [this] { flows.recordScreenClicked(); },
               [] {
                   QMessageBox::information(
                       nullptr, QString(),
                       Localization::localizedStringForKey("Alert_Mic_Message"));
               },
               [this](unsigned type) {
                   delegate.capture.recordAudioType = type;
                   manager.recordAudioType = type;
                   if (audioTypeShown)
                       audioTypeShown(type);
               },
               // Later: the watcher that is calling is replaced by the restart.
               [this] { MainQueue::after(0, [this] { source.captrueAudioInputEnable(true); }); }}) {
        manager.sessionErrorRecovery = [this](const QString&) { recovery.captureSessionError(); };
    }

    // Quit clean-up: capture ends, the aggregates go and the system defaults are put back.
    ~Parts() {
        source.captrueAudioInputEnable(false);
        routing.removeAggregatesAndRestoreDefaults();
    }

    static AppDelegate& prepareAudio(PulseAudioHardware& audio) {
        audio.installLoopbackDevice();
        EZAudioDevice::setAudioSystem(&audio);
        return AppDelegate::createSharedInstance(audio);
    }

    std::unique_ptr<X11Platform> platform;
    PulseAudioHardware audio;
    AppDelegate& delegate;
    RecordFlows flows;
    SRRecordManager& manager;
    AudioRouting routing;
    PulseAudioCapture capture;
    AudioSampleSource source;
    AudioDeviceRecovery recovery;
    std::unique_ptr<AudioLevelMeter> meter;
    std::function<void(unsigned)> audioTypeShown;
    std::unique_ptr<X11CompositorCheck> compositor;
};

std::unique_ptr<ApplicationSetup> ApplicationSetup::create() {
    std::unique_ptr<X11Platform> platform = X11Platform::create();
    if (!platform) {
        std::fprintf(stderr, "tapedeck: no X11 display (is DISPLAY set?)\n");
        return nullptr;
    }
    std::unique_ptr<ApplicationSetup> setup(
        new ApplicationSetup(std::make_unique<Parts>(std::move(platform))));
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
    p.compositor = X11CompositorCheck::create();
    p.flows.enableAreaSelection([&p] { return p.compositor && p.compositor->isCompositing(); });
}

void ApplicationSetup::chooseAudio(unsigned type) {
    parts_->routing.switchRecordType(type);
    parts_->source.startCapture();
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

void ApplicationSetup::setAudioTypeShown(std::function<void(unsigned type)> shown) {
    parts_->audioTypeShown = std::move(shown);
}
