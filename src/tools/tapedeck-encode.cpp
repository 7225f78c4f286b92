// tapedeck-encode: records a generated moving picture and tone through the encoder adapter,
// into any container Tapedeck writes. Used as a demo, by the benchmarks and by tests.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "EncodeManager.h"
#include "TestSignal.h"

namespace {

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int64_t videoBitrateFor(int quality) {
    return quality == 0 ? 8000 : quality == 1 ? 5000 : 3000;
}

struct Options {
    QString output;
    double seconds = 5;
    double fps = 30;
    int width = 1280, height = 720;
    int quality = 1;
    int splitTime = 0, splitSize = 0;
    bool audio = true, video = true;
    bool fast = false, noise = false;
};

bool parse(const QCoreApplication& app, Options& o) {
    QCommandLineParser p;
    p.setApplicationDescription("Records a generated picture and tone into a media file.");
    p.addHelpOption();
    p.addOptions({
        {"output", "File to write; the extension picks the container.", "path"},
        {"seconds", "Length of the recording (default 5).", "s"},
        {"fps", "Frames per second (default 30).", "fps"},
        {"size", "Picture size (default 1280x720).", "WxH"},
        {"quality", "0 original (8000 kbit/s), 1 HD (5000), 2 SD (3000); default 1.", "n"},
        {"split-time", "Cut into pieces of this many seconds.", "s"},
        {"split-size", "Cut into pieces of this many megabytes.", "MB"},
        {"no-audio", "Record no sound."},
        {"audio-only", "Record sound alone (.mp3, .wav, .m4a)."},
        {"fast", "Push as fast as the encoder takes frames instead of in real time."},
        {"noise", "Noisy pictures that do not compress (for size tests)."},
    });
    p.process(app);
    o.output = p.value("output");
    if (o.output.isEmpty()) {
        std::fprintf(stderr, "tapedeck-encode: --output is required\n");
        return false;
    }
    bool ok = true;
    auto number = [&](const char* name, double fallback) {
        if (!p.isSet(name))
            return fallback;
        bool good = false;
        double v = p.value(name).toDouble(&good);
        ok = ok && good && v >= 0;
        return v;
    };
    o.seconds = number("seconds", o.seconds);
    o.fps = number("fps", o.fps);
    o.quality = int(number("quality", o.quality));
    o.splitTime = int(number("split-time", 0));
    o.splitSize = int(number("split-size", 0));
    if (p.isSet("size")) {
        QStringList wh = p.value("size").split('x');
        ok = ok && wh.size() == 2;
        if (ok) {
            o.width = wh[0].toInt();
            o.height = wh[1].toInt();
            ok = o.width > 0 && o.height > 0;
        }
    }
    o.audio = !p.isSet("no-audio");
    o.video = !p.isSet("audio-only");
    o.fast = p.isSet("fast");
    o.noise = p.isSet("noise");
    if (!ok || o.fps <= 0 || (!o.audio && !o.video) || (o.splitTime && o.splitSize)) {
        std::fprintf(stderr, "tapedeck-encode: bad options (see --help)\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Its own preferences file, so the demo never changes the recorder's settings.
    QCoreApplication::setOrganizationName("Tapedeck");
    QCoreApplication::setApplicationName("tapedeck-encode");
    Options o;
    if (!parse(app, o))
        return 2;

    QSettings().setValue("SplitType", o.splitTime ? 1 : o.splitSize ? 2 : 0);
    EncodeManager m;
    m.splitTime = o.splitTime;
    m.splitSize = o.splitSize;
    m.fps = float(o.fps);
    m.videoBitrate = videoBitrateFor(o.quality);
    m.audioBitrate = EncodeManager::kAudioBitrate;
    m.audioChannels = 2;
    m.audioSamples = 44100;
    m.isAudioOnlyMode = [&] { return !o.video; };

    m.initHandle();
    m.setOutputPath(o.output);
    m.setImageSize(o.width, o.height);
    if (o.audio)
        m.setUpAudioSettings();
    if (o.video)
        m.setUpVideoSettings();
    m.setOutputPath(o.output);
    m.startEncoderEncode();
    if (!m.isWorking()) {
        std::fprintf(stderr, "tapedeck-encode: the encoder did not start (see the log above)\n");
        return 1;
    }

    const int stride = o.width * 4;
    std::vector<uint8_t> pixels(size_t(stride) * o.height);
    const int bufferFrames = 441; // 10 ms buffers, as the audio capture delivers them
    std::vector<int32_t> samples(size_t(bufferFrames) * 2);
    const double cpuStart = cpuSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    const int64_t frames = std::llround(o.seconds * o.fps);
    int64_t sampleIndex = 0, retries = 0;
    double signalCpu = 0; // painting the test picture is not the recorder's work
    MediaEncoder* h = m.handle();
    for (int64_t i = 0; i < frames; ++i) {
        const double ptsMs = i * 1000.0 / o.fps;
        if (!o.fast)
            std::this_thread::sleep_until(wallStart +
                                          std::chrono::microseconds(int64_t(ptsMs * 1000)));
        if (o.video) {
            const double paintStart = threadCpuSeconds();
            tapedeck::paintTestFrame(pixels.data(), o.width, o.height, stride, i, o.noise);
            signalCpu += threadCpuSeconds() - paintStart;
            MediaVideoFrame f{MEDIA_ENCODER_PIXEL_BGRA, o.width, o.height, stride, pixels.data(),
                              int32_t(pixels.size()),   0};
            int64_t dropped = apiEncoderGetDroppedFrames(h);
            m.encoderPushVideo(&f, ptsMs);
            // In fast mode a frame the encoder had no room for is offered again.
            while (o.fast && apiEncoderGetDroppedFrames(h) > dropped) {
                ++retries;
                dropped = apiEncoderGetDroppedFrames(h);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                m.encoderPushVideo(&f, ptsMs);
            }
        }
        const auto samplesDue = int64_t((i + 1) * 44100 / o.fps);
        while (o.audio && sampleIndex + bufferFrames <= samplesDue) {
            tapedeck::fillTone(samples.data(), bufferFrames, 2, 44100, sampleIndex, true);
            sampleIndex += bufferFrames;
            m.encoderPushAudio({reinterpret_cast<const uint8_t*>(samples.data()),
                                samples.size() * sizeof(int32_t)});
        }
    }
    const int64_t dropped = apiEncoderGetDroppedFrames(h) - retries;
    const int64_t durationMs = m.countRecordedDuration();
    m.stopEncoderEncode();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    std::printf("wrote %s\n", qPrintable(QFileInfo(o.output).absoluteFilePath()));
    std::printf("frames %lld dropped %lld recorded_ms %lld cpu_s %.3f signal_cpu_s %.3f wall_s "
                "%.3f\n",
                static_cast<long long>(o.video ? frames : 0), static_cast<long long>(dropped),
                static_cast<long long>(durationMs), cpuSeconds() - cpuStart - signalCpu, signalCpu,
                wall);
    return 0;
}
