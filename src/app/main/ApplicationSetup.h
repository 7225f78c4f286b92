// What the main window and the command line both start with: the X11 services, the PulseAudio
// hardware, the application controller, its record flows, and the sound routing and capture
// that feed the session controller.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "AudioLevelMeter.h"

class AppDelegate;
class HotkeyDispatcher;
class Platform;
class RecordFlows;

class ApplicationSetup {
public:
    // Needs the QApplication; the sound set-up is undone when this object goes. Null, with a
    // message on stderr, when the chosen desktop cannot be reached.
    enum class Backend { X11, Wayland };
    // Wayland when the session is one, X11 otherwise; "--backend x11|wayland" (taken out of
    // the arguments) decides instead. Also points Qt's windows at the same desktop. Null, with
    // a message on stderr, for an unknown backend name.
    static std::optional<Backend> chooseBackend(int& argc, char** argv);
    static std::unique_ptr<ApplicationSetup> create(Backend backend);
    ~ApplicationSetup();

    Platform& platform();
    AppDelegate& delegate();
    RecordFlows& flows();

    // The screen modes start with the selection overlay on every screen (the main window);
    // the command line records the chosen screen at once instead. The drawing tools get the
    // desktop services their overlay needs.
    void enableAreaSelection();
    // Routes and captures a sound source: 0 system sound, 1 microphone, 2 both, 3 none.
    // `flowing`, when given, runs on the main thread once every source delivers sound (at
    // once for none, and at the latest after kSoundWaitMs).
    void chooseAudio(unsigned type, std::function<void()> flowing = {});
    static constexpr int kSoundWaitMs = 3000;
    static constexpr int kSoundPollMs = 10;
    // Stops capturing sound until the next chooseAudio.
    void stopAudioCapture();
    // From now on every captured buffer's level shows in these views, which must stay until
    // this object goes.
    void showLevels(const AudioLevelMeter::Views& views);
    // Told on the main thread when captured sound goes missing (a source or the sound server
    // went away; the recording goes on with silence) and when it is back.
    void setSoundMissingShown(std::function<void(bool missing)> shown);
    // The hotkeys from now on, with the main window: their presses run the recording commands.
    HotkeyDispatcher& installHotkeys();

private:
    struct Parts;
    explicit ApplicationSetup(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};
