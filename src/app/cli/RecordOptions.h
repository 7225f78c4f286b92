// The options of "tapedeck record": what is recorded, for how long, how well and where to.
// Parsing checks each option on its own; applying checks them against the application's
// containers and puts them into the controller's fields for this run only (nothing is stored).
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class AppDelegate;

struct RecordOptions {
    // The session controller's recording mode: 0 full screen, 1 area, 2 window, 3 camera,
    // 4 audio only.
    unsigned mode = 0;
    // --mode area: X, Y, width and height in pixels, origin at the top left of the desktop.
    std::optional<QRect> rect;
    // --mode window: the X window id.
    std::optional<uint32_t> window;
    // --mode camera: what to record from, as the camera backend opens it (a device path, an
    // FFmpeg input "format:input", a file or a stream URL); empty: the default camera.
    QString camera;
    // Position in the display list counted from 1, primary first; 0: the screen under the pointer.
    int screen = 0;
    // Seconds until the recording stops by itself; 0: until SIGINT or SIGTERM.
    double seconds = 0;
    std::optional<float> fps;
    std::optional<int> quality;
    // A container extension with its dot, lower case (".mp4").
    std::optional<QString> format;
    // 0 system sound, 1 microphone, 2 both, 3 none.
    std::optional<unsigned> audio;
    // Absolute path of the file to write; empty: a fresh name in the movies folder.
    QString output;
    // Pieces of this many seconds or megabytes for this run, instead of the stored rule.
    std::optional<int> splitTime;
    std::optional<int> splitSize;
    // Seconds of countdown before the recording starts; 0: none.
    int countdown = 0;
    bool overlays = true;
    bool help = false;
};

struct ParsedRecordOptions {
    std::optional<RecordOptions> options;
    QString error;
};

// `arguments` as the process got them: program name, "record", options.
ParsedRecordOptions parseRecordOptions(const QStringList& arguments);

// The usage of "tapedeck" and "tapedeck record" with every option.
QString recordHelpText();

// Sets mode, sound, rate, quality, container, output and overlay switches on the controller.
// Returns an error text, empty when the options fit together.
QString applyRecordOptions(const RecordOptions& options, AppDelegate& app);
