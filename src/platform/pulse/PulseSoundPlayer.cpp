#include "PulseSoundPlayer.h"

#include "KTLog.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <QtEndian>

#include <optional>

namespace {

struct PcmSound {
    pa_sample_spec format;
    QByteArray samples;
};

// The format and samples of a RIFF WAVE file holding 8- or 16-bit integer PCM.
std::optional<PcmSound> readWav(const QByteArray& wav) {
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<pa_sample_spec> format;
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (size > wav.size() - body)
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const quint16 bits = u16(body + 14);
            if (u16(body) != 1 || (bits != 8 && bits != 16))
                return std::nullopt;
            format = pa_sample_spec{bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE, u32(body + 4),
                                    quint8(u16(body + 2))};
        } else if (id == "data" && format && pa_sample_spec_valid(&*format)) {
            return PcmSound{*format, wav.mid(body, size)};
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace

PulseSoundPlayer::PulseSoundPlayer() : queue_("SoundPlaybackQueue") {}

void PulseSoundPlayer::play(const QByteArray& wav) {
    std::optional<PcmSound> sound = readWav(wav);
    if (!sound) {
        KTLOG("not a PCM WAV sound");
        return;
    }
    queue_.async([sound = std::move(*sound)] {
        int error = 0;
        pa_simple* stream = pa_simple_new(nullptr, "Tapedeck", PA_STREAM_PLAYBACK, nullptr,
                                          "Capture", &sound.format, nullptr, nullptr, &error);
        if (!stream) {
            KTLOG("no sound server: %s", pa_strerror(error));
            return;
        }
        if (pa_simple_write(stream, sound.samples.constData(), size_t(sound.samples.size()),
                            &error) < 0 ||
            pa_simple_drain(stream, &error) < 0)
            KTLOG("sound not played: %s", pa_strerror(error));
        pa_simple_free(stream);
    });
}
