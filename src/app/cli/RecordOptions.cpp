#include "RecordOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <utility>

#include "AppDelegate.h"
#include "WatermarkSettings.h"

namespace {

constexpr std::array<std::pair<const char*, unsigned>, 5> kModes = {
    {{"fullscreen", 0}, {"area", 1}, {"window", 2}, {"camera", 3}, {"audio", 4}}};
constexpr std::array<std::pair<const char*, unsigned>, 4> kAudio = {
    {{"system", 0}, {"mic", 1}, {"both", 2}, {"none", 3}}};
constexpr unsigned kAreaMode = 1;
constexpr unsigned kWindowMode = 2;
constexpr unsigned kCameraMode = 3;
constexpr unsigned kAudioOnlyMode = 4;
// Below this the recording-area session's rounding leaves hardly a picture.
constexpr int kMinimumSide = 20;
constexpr unsigned kNoSound = 3;

template <size_t N>
std::optional<unsigned> lookUp(const std::array<std::pair<const char*, unsigned>, N>& table,
                               const QString& name) {
    for (const auto& [key, value] : table)
        if (name == QLatin1String(key))
            return value;
    return std::nullopt;
}

void describe(QCommandLineParser& p) {
    p.setApplicationDescription(
        "Tapedeck records the screen, a camera or sound.\n"
        "  tapedeck            opens the main window\n"
        "  tapedeck record     records without the main window, through the same flows:\n"
        "                      Ctrl+C or SIGTERM stops and leaves a finished file; the file's\n"
        "                      path is printed on stdout and the recording is catalogued.\n"
        "  tapedeck screenshot [--output PATH.png]\n"
        "                      saves a picture of the main display, catalogues it and\n"
        "                      prints its path.\n"
        "  --backend x11|wayland\n"
        "                      the desktop to work on, with any command (default: Wayland\n"
        "                      when the session is one, X11 otherwise).");
    p.addOptions({
        {{"h", "help"}, "Shows this help."},
        {"mode",
         "What is recorded: fullscreen (default), area (with --rect), window (with --window), "
         "camera or audio.",
         "mode"},
        {"rect",
         "--mode area: the area in pixels from the top left of the desktop, as xdotool and "
         "ffmpeg count, at least 20x20 and on one screen. It is rounded as a dragged area is.",
         "X,Y,W,H"},
        {"window", "--mode window: the X window id, decimal or 0x hex.", "ID"},
        {"camera",
         "--mode camera: a camera device (/dev/video0), an FFmpeg input as format:input "
         "(lavfi:testsrc2=size=640x480:rate=30) or a video file or stream URL "
         "(default: the first camera).",
         "SOURCE"},
        {"screen",
         "The screen to record, counted from 1 with the primary screen first "
         "(default: the screen under the pointer).",
         "N"},
        {"seconds", "Stops after this many recorded seconds (default: when stopped).", "S"},
        {"fps", "Frames per second, 1 to 120 (default: the main window's choice).", "F"},
        {"quality", "0 original, 1 HD, 2 SD (default: the main window's choice).", "0|1|2"},
        {"format", "Container: mov, mp4, m4v, flv, avi for video; mp3, wav, m4a for audio.", "ext"},
        {"audio", "Sound: system, mic, both or none (default: the main window's choice).",
         "source"},
        {"output",
         "File to write; its extension picks the container. It must not exist yet "
         "(default: a new name in the movies folder).",
         "PATH"},
        {"split-time",
         "Cuts the recording into pieces of this many seconds (name.mp4, name_2.mp4, ...), "
         "instead of the split rule the main window stored.",
         "S"},
        {"split-size", "Cuts the recording into pieces of this many megabytes instead.", "MB"},
        {"countdown",
         "Counts down this many seconds (1 to 10) on the screen before recording; the length "
         "is remembered as the countdown menu's.",
         "N"},
        {"no-overlays", "Leaves cursor, click ring and watermark out of this recording."},
    });
    p.addPositionalArgument("record", "Records from the command line.", "[record]");
}

std::optional<double> number(const QCommandLineParser& p, const char* name, QString& error) {
    if (!p.isSet(name))
        return std::nullopt;
    bool ok = false;
    const double value = p.value(name).toDouble(&ok);
    if (!ok)
        error = QString("--%1 wants a number, not \"%2\"").arg(name, p.value(name));
    return value;
}

std::optional<QRect> rectangle(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return QRect(v[0], v[1], v[2], v[3]);
}

std::optional<uint32_t> windowId(const QString& text) {
    bool ok = false;
    const bool hex = text.startsWith("0x", Qt::CaseInsensitive);
    const uint32_t id = (hex ? text.mid(2) : text).toUInt(&ok, hex ? 16 : 10);
    if (!ok || id == 0)
        return std::nullopt;
    return id;
}

// The container an --output path or --format value names, as ".ext".
QString extensionOf(const QString& nameOrPath) {
    const QString suffix = QFileInfo(nameOrPath).suffix();
    return suffix.isEmpty() ? QString() : "." + suffix.toLower();
}

} // namespace

ParsedRecordOptions parseRecordOptions(const QStringList& arguments) {
    QCommandLineParser p;
    describe(p);
    if (!p.parse(arguments))
        return {std::nullopt, p.errorText()};
    RecordOptions o;
    o.help = p.isSet("help");
    const QStringList rest = p.positionalArguments();
    if (rest.size() > 1 || (rest.size() == 1 && rest[0] != "record"))
        return {std::nullopt, "unexpected argument \"" + rest.value(rest.size() - 1) + "\""};

    QString error;
    if (p.isSet("mode")) {
        const std::optional<unsigned> mode = lookUp(kModes, p.value("mode"));
        if (!mode)
            return {std::nullopt, "unknown --mode \"" + p.value("mode") +
                                      "\" (fullscreen, area, window, camera or audio)"};
        o.mode = *mode;
    }
    if (p.isSet("rect")) {
        o.rect = rectangle(p.value("rect"));
        if (!o.rect)
            return {std::nullopt,
                    "--rect wants X,Y,W,H in pixels, not \"" + p.value("rect") + "\""};
        if (o.rect->width() < kMinimumSide || o.rect->height() < kMinimumSide)
            return {std::nullopt, QString("--rect must be at least %1x%1").arg(kMinimumSide)};
    }
    if (o.mode == kAreaMode && !o.rect)
        return {std::nullopt, "--mode area wants --rect X,Y,W,H"};
    if (o.mode != kAreaMode && o.rect)
        return {std::nullopt, "--rect goes with --mode area"};
    if (p.isSet("window")) {
        o.window = windowId(p.value("window"));
        if (!o.window)
            return {std::nullopt,
                    "--window wants an X window id, not \"" + p.value("window") + "\""};
    }
    if (o.mode == kWindowMode && !o.window)
        return {std::nullopt, "--mode window wants --window ID"};
    if (o.mode != kWindowMode && o.window)
        return {std::nullopt, "--window goes with --mode window"};
    if (p.isSet("camera")) {
        o.camera = p.value("camera");
        if (o.mode != kCameraMode)
            return {std::nullopt, "--camera goes with --mode camera"};
        if (o.camera.isEmpty())
            return {std::nullopt, "--camera wants a source"};
    }
    if (p.isSet("audio")) {
        o.audio = lookUp(kAudio, p.value("audio"));
        if (!o.audio)
            return {std::nullopt,
                    "unknown --audio \"" + p.value("audio") + "\" (system, mic, both or none)"};
    }
    if (std::optional<double> s = number(p, "screen", error)) {
        if (error.isEmpty() && (*s < 1 || *s != int(*s)))
            error = "--screen counts from 1";
        o.screen = int(*s);
    }
    if (std::optional<double> s = number(p, "seconds", error)) {
        if (error.isEmpty() && !(*s > 0))
            error = "--seconds must be more than 0";
        o.seconds = *s;
    }
    if (std::optional<double> f = number(p, "fps", error)) {
        if (error.isEmpty() && !(*f >= 1 && *f <= 120))
            error = "--fps must be between 1 and 120";
        o.fps = float(*f);
    }
    const auto whole = [&](const char* name, int lowest, int highest) -> std::optional<int> {
        const std::optional<double> v = number(p, name, error);
        if (v && error.isEmpty() && !(*v >= lowest && *v <= highest && *v == int(*v)))
            error = QString("--%1 must be a whole number from %2 to %3")
                        .arg(name)
                        .arg(lowest)
                        .arg(highest);
        return v ? std::optional<int>(int(*v)) : std::nullopt;
    };
    o.splitTime = whole("split-time", 1, 86400);
    o.splitSize = whole("split-size", 1, 1000000);
    o.countdown = whole("countdown", 1, 10).value_or(0);
    if (error.isEmpty() && o.splitTime && o.splitSize)
        error = "--split-time and --split-size exclude each other";
    if (p.isSet("quality")) {
        const QString q = p.value("quality");
        if (q != "0" && q != "1" && q != "2")
            error = "--quality must be 0, 1 or 2, not \"" + q + "\"";
        o.quality = q.toInt();
    }
    if (p.isSet("format")) {
        QString f = p.value("format").toLower();
        o.format = f.startsWith('.') ? f : "." + f;
    }
    if (p.isSet("output")) {
        o.output = QFileInfo(p.value("output")).absoluteFilePath();
        if (p.value("output").isEmpty())
            error = "--output wants a path";
    }
    if (error.isEmpty() && o.screen > 0 && (o.rect || o.window))
        error = "--screen goes with --mode fullscreen; an area or a window has its own";
    o.overlays = !p.isSet("no-overlays");
    if (!error.isEmpty())
        return {std::nullopt, error};
    return {o, QString()};
}

QString recordHelpText() {
    QCommandLineParser p;
    describe(p);
    return p.helpText();
}

QString applyRecordOptions(const RecordOptions& o, AppDelegate& app) {
    const bool audioOnly = o.mode == kAudioOnlyMode;
    const unsigned audio = o.audio.value_or(app.capture.recordAudioType);
    if (audioOnly && audio == kNoSound)
        return "--mode audio with --audio none would record nothing";

    // The container: --output's extension, else --format, else the main window's choice.
    const QStringList& containers =
        audioOnly ? app.capture.audioExtensions : app.capture.videoTypes;
    const QString fromOutput = o.output.isEmpty() ? QString() : extensionOf(o.output);
    if (!o.output.isEmpty() && o.format && *o.format != fromOutput)
        return "--output " + o.output + " does not end in --format " + *o.format;
    const QString container = !fromOutput.isEmpty() ? fromOutput : o.format.value_or(QString());
    int index = -1;
    if (!o.output.isEmpty() || o.format) {
        index = int(containers.indexOf(container));
        if (index < 0)
            return QString("%1 is not a %2 container; choose one of %3")
                .arg(container.isEmpty() ? "(no extension)" : container,
                     audioOnly ? "sound" : "video", containers.join(' '));
    }
    if (!o.output.isEmpty() && QFileInfo::exists(o.output))
        return o.output + " exists already; Tapedeck does not overwrite recordings";

    app.capture.recordVideoType = o.mode;
    app.capture.recordAudioType = audio;
    // Without the main window nobody turns the stored rate choice into a rate: do it here.
    app.capture.fps =
        o.fps ? *o.fps
              : app.capture.fpsTitles.value(app.capture.fpsItemIndex).section(' ', 0, 0).toFloat();
    if (o.quality)
        app.capture.framItemIndex = *o.quality;
    if (index >= 0)
        (audioOnly ? app.capture.audioExtensionIndex : app.capture.videoTypeBoxIndex) = index;
    app.capture.commandLineOutputPath = o.output;
    if (!o.overlays) {
        app.composition.isShowMouse = false;
        app.composition.isMouseHight = false;
        app.composition.isMouseClickEffect = false;
        app.composition.isTimeTextWatermark = false;
        app.composition.watermarkType = WatermarkSettings::None;
    }
    return QString();
}
