// A screen capture session: one display's pixels, cropped and paced, delivered as frames on a
// serial queue. Notifications arrive on the main queue.
#pragma once

#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class SerialQueue;

class ScreenCaptureSession : public QObject {
    Q_OBJECT
public:
    // A frame is BGRA premultiplied (QImage::Format_ARGB32_Premultiplied), or BGRX
    // (Format_RGB32, fourth byte undefined) from a screen without alpha, of the crop
    // rectangle's size. The handler holds the only reference, so it may draw on the frame in
    // place; the memory is reused once the last copy of the image is gone. A null frame is one
    // the repeat test let go ungrabbed: the screen looks as it did in the frame before.
    using FrameHandler = std::function<void(QImage frame)>;
    // Asked on the capturing thread before a grab, when nothing was drawn in the captured
    // area since the previous frame: true delivers a null frame instead of grabbing.
    using RepeatTest = std::function<bool()>;

    ~ScreenCaptureSession() override = default;

    // Binds the input to a display ("NSScreenNumber") and paces it to at most one frame per
    // minFrameDuration seconds. False when no such display is attached or the duration is not
    // positive.
    virtual bool addInput(uint32_t displayNumber, double minFrameDuration) = 0;
    // The part of the display that is captured, in the display's own points with the origin
    // at its lower-left corner, y up; the null rectangle means the whole display. May change
    // while running; the next frame takes the new size.
    virtual void setCropRect(const QRectF& crop) = 0;
    virtual void removeInput() = 0;

    virtual void addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) = 0;
    // Sessions that cannot tell what changed on the screen grab every frame and never ask.
    virtual void setRepeatTest(RepeatTest test) { (void)test; }
    // After this returns no further frame is queued; frames already queued still run.
    virtual void removeOutput() = 0;

    virtual void startRunning() = 0;
    virtual void stopRunning() = 0;
    virtual bool isRunning() const = 0;

signals:
    void didStartRunning();
    void didStopRunning();
    // The session stopped because of the error (a lost display connection, a display that went
    // away); didStopRunning follows.
    void runtimeError(const QString& error);
};
