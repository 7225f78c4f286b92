// Tapedeck: the desktop screen recorder.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "AppDelegate.h"
#include "AudioRouting.h"
#include "AudioSampleSource.h"
#include "EZAudioDevice.h"
#include "MainQueue.h"
#include "MainWindow.h"
#include "PulseAudioCapture.h"
#include "PulseAudioHardware.h"
#include "RecordFlows.h"
#include "X11Platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tapedeck");
    QCoreApplication::setApplicationName("Tapedeck");
    std::unique_ptr<X11Platform> platform = X11Platform::create();
    if (!platform) {
        std::fprintf(stderr, "tapedeck: no X11 display (is DISPLAY set?)\n");
        return 1;
    }
    PulseAudioHardware audio;
    audio.installLoopbackDevice();
    EZAudioDevice::setAudioSystem(&audio);
    AppDelegate& delegate = AppDelegate::createSharedInstance(audio);
    RecordFlows flows(delegate, *platform);
    SRRecordManager& manager = flows.recordManager();

    // Sound: the routing picks the devices, the sample source captures the chosen input and
    // hands every buffer to the session controller.
    AudioRouting routing(
        {[&] { return int(manager.status()); },
         [&] {
             EncodeManager& e = manager.encodeManager();
             e.audioBitrate = EncodeManager::kAudioBitrate;
             e.audioChannels = 2;
             e.audioSamples = 44100;
         },
         [](int ms, std::function<void()> task) { MainQueue::after(ms, std::move(task)); }});
    PulseAudioCapture capture;
    // A device plugged in or removed while idle: choose the devices again and reopen capture.
    size_t deviceCount = EZAudioDevice::devices().size();
    AudioSampleSource* sourceRef = nullptr;
    auto checkAudioDevice = [&] {
        const size_t count = EZAudioDevice::devices().size();
        if (count == deviceCount || manager.status() != SRRecordManager::Idle)
            return;
        deviceCount = count;
        routing.prepareDevice();
        routing.switchRecordType(manager.recordAudioType);
        // From the event loop: restarting rebuilds the watcher that is calling us.
        MainQueue::after(0, [&] { sourceRef->startCapture(); });
    };
    AudioSampleSource source(
        capture, routing,
        {checkAudioDevice,
         [&](std::span<const uint8_t> planar, size_t) { manager.captureAudioOutput(planar); },
         [&] { return int(manager.encodeManager().audioSamples); },
         [&] { return int(manager.encodeManager().audioChannels); }});
    sourceRef = &source;
    auto chooseAudio = [&](unsigned type) {
        routing.switchRecordType(type);
        source.startCapture();
    };
    chooseAudio(manager.recordAudioType);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] {
        source.captrueAudioInputEnable(false);
        routing.removeAggregatesAndRestoreDefaults();
    });

    MainWindow window(delegate, flows);
    QObject::connect(&window, &MainWindow::audioSourceChosen, chooseAudio);
    delegate.window = &window;
    window.show();
    return app.exec();
}
