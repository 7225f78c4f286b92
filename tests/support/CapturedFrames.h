// What a screen capture session delivered, counted on its queue and read on the test's thread.
#pragma once

#include <QImage>

#include <mutex>

struct CapturedFrames {
    std::mutex mutex;
    int frames = 0;
    int repeats = 0; // empty frames: the receiver is asked to show its previous picture again
    QImage last;

    int frameCount() {
        std::lock_guard lock(mutex);
        return frames;
    }
    int repeatCount() {
        std::lock_guard lock(mutex);
        return repeats;
    }
    QImage lastFrame() {
        std::lock_guard lock(mutex);
        return last;
    }
    // The last frame's colour at a point given as a fraction of its size.
    QRgb colourAt(double x, double y) {
        const QImage frame = lastFrame();
        return frame.isNull()
                   ? 0
                   : frame.pixel(int(x * (frame.width() - 1)), int(y * (frame.height() - 1))) |
                         0xff000000;
    }
};
