// Short sounds (the screenshot shutter) played on the desktop's sound output.
#pragma once

#include <QByteArray>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a PCM WAV file's contents and returns at once; a sound that cannot be played (not
    // a PCM WAV, no sound server) is skipped.
    virtual void play(const QByteArray& wav) = 0;
};
