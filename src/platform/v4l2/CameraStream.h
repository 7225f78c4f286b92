// One opened camera source: FFmpeg reads its packets, libavcodec decodes them (YUYV, MJPEG or
// whatever the source sends) and libswscale turns each picture into BGRA at its own size.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct CameraSource;

class CameraStream {
public:
    struct Frame {
        QImage image;
        // Seconds on the source's own clock; none when the source gives no time.
        std::optional<double> time;
    };

    // Opens and probes the source. `interrupted` is asked while FFmpeg blocks; answering true
    // gives up. Null, with `error` set, when the source cannot be read.
    static std::unique_ptr<CameraStream> open(const CameraSource& source,
                                              std::function<bool()> interrupted, QString& error);
    ~CameraStream();

    // The next picture, waiting for it. None at the end of the stream or on an error, which
    // `error` then names.
    std::optional<Frame> read(QString& error);
    // Whether the source paces itself (a capture device); files and generated pictures come
    // as fast as they are asked for.
    bool isLive() const { return live_; }
    // Frames per second the source announces; 0 when it does not say.
    double frameRate() const { return frameRate_; }

private:
    struct Handles;
    explicit CameraStream(std::unique_ptr<Handles> handles);
    // The decoder's next picture, if it has one.
    std::optional<Frame> receive();
    QImage toBgra(const struct AVFrame* frame);

    std::unique_ptr<Handles> h_;
    bool live_ = false;
    double frameRate_ = 0;
    bool draining_ = false;
};
