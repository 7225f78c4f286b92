// Plays sounds through the PulseAudio server, one after another on a queue of its own, so the
// caller never waits. Nothing in the server changes: each sound is one short playback stream.
#pragma once

#include "SerialQueue.h"
#include "SoundPlayer.h"

class PulseSoundPlayer : public SoundPlayer {
public:
    PulseSoundPlayer();
    // Lets the sound that plays finish.
    ~PulseSoundPlayer() override = default;

    void play(const QByteArray& wav) override;

private:
    SerialQueue queue_;
};
