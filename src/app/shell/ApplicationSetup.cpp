#include "ApplicationSetup.h"

#include <cstdio>

#include "AppDelegate.h"
#include "AudioRouting.h"
#include "AudioSampleSource.h"
#include "EZAudioDevice.h"
#include "MainQueue.h"
#include "PulseAudioCapture.h"
#include "PulseAudioHardware.h"
#include "RecordFlows.h"
#include "X11Platform.h"

struct ApplicationSetup::Parts {
    explicit Parts(std::unique_ptr<X11Platform> x11)
        : platform(std::move(x11)), delegate(prepareAudio(audio)), flows(delegate, *platform),
          manager(flows.recordManager()),
          routing(
              {[this] { return int(manager.status()); },
               [this] {
                   EncodeManager& e = manager.encodeManager();
                   e.audioBitrate = EncodeManager::kAudioBitrate;
                   e.audioChannels = 2;
                   e.audioSamples = 44100;
               },
               [](int ms, std::function<void()> task) { MainQueue::after(ms, std::move(task)); }}),
          deviceCount(EZAudioDevice::devices().size()),
          source(capture, routing,
                 {[this] { checkAudioDevice(); },
                  [this](std::span<const uint8_t> planar, size_t) {
                      manager.captureAudioOutput(planar);
                  },
                  [this] { return int(manager.encodeManager().audioSamples); },
                  [this] { return int(manager.encodeManager().audioChannels); }}) {}

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

    // A device plugged in or removed while idle: choose the devices again and reopen capture.
    void checkAudioDevice() {
        const size_t count = EZAudioDevice::devices().size();
        if (count == deviceCount || manager.status() != SRRecordManager::Idle)
            return;
        deviceCount = count;
        routing.prepareDevice();
        routing.switchRecordType(manager.recordAudioType);
        // From the event loop: restarting rebuilds the watcher that is calling us.
        MainQueue::after(0, [this] { source.startCapture(); });
    }

    std::unique_ptr<X11Platform> platform;
    PulseAudioHardware audio;
    AppDelegate& delegate;
    RecordFlows flows;
    SRRecordManager& manager;
    AudioRouting routing;
    PulseAudioCapture capture;
    size_t deviceCount;
    AudioSampleSource source;
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

void ApplicationSetup::chooseAudio(unsigned type) {
    parts_->routing.switchRecordType(type);
    parts_->source.startCapture();
}
