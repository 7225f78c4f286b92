#include "AudioLevelMeter.h"

#include "NSVertProgressView.h"
#include "SKVoiceFilter.h"
#include "SKVoiceWaveView.h"

AudioLevelMeter::AudioLevelMeter(Views views, Hooks hooks)
    : views_(views), hooks_(std::move(hooks)) {}

void AudioLevelMeter::audioVolum(std::span<const uint8_t> buffer) {
    QSizeF size = views_.waveView ? views_.waveView->initialFrame() : QSizeF();
    if (size.isEmpty())
        size = kWaveViewSize;
    const double level = SKVoiceFilter::level(size, buffer);
    const unsigned mode = hooks_.recordVideoType();
    if (mode == 4 && views_.waveView) {
        const unsigned s = hooks_.status();
        // Dropped while the wave draws, bars included, so both show the same buffers.
        if (!views_.waveView->addLevel(level, s == 1 || s == 3))
            return;
        views_.waveView->updateSampleData();
    }
    const float volum = SKVoiceFilter::volum(level);
    volum_ = volum;
    if (mode != 3) {
        if (views_.progressView)
            views_.progressView->setProgress(volum);
        return;
    }
    const unsigned type = hooks_.recordAudioType();
    if (views_.systemBar)
        views_.systemBar->setProgress(type == 0 || type == 2 ? volum : 0);
    if (views_.micBar)
        views_.micBar->setProgress(type == 1 || type == 2 ? volum : 0);
}
