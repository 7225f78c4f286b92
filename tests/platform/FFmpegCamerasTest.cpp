// The FFmpeg camera backend on FFmpeg's generated pictures: sources as the user writes them,
// BGRA frames of the source's size at its pace on the output queue, and a source that ends.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include <chrono>
#include <mutex>

#include "CameraSources.h"
#include "FFmpegCameras.h"
#include "SerialQueue.h"
#include "TestApplication.h"

TEST(FFmpegCameras, SourcesAreOpenedAsWritten) {
    const struct {
        QString source, format, url;
    } rows[] = {
        {"/dev/video0", "video4linux2", "/dev/video0"},
        {"lavfi:testsrc2=size=640x480:rate=30", "lavfi", "testsrc2=size=640x480:rate=30"},
        {"rtsp://camera.local/stream", "", "rtsp://camera.local/stream"},
        {"notaformat:clip.mp4", "", "notaformat:clip.mp4"},
    };
    for (const auto& row : rows) {
        const CameraSource s = cameraSourceOf(row.source);
        EXPECT_EQ(std::make_pair(s.format, s.url), std::make_pair(row.format, row.url))
            << row.source.toStdString();
    }
    const FFmpegCameras cameras(
        "Pattern=lavfi:testsrc2;;lavfi:smptebars=rate=5; Desk = /tmp/a.mkv");
    const std::vector<CameraDevice> all = cameras.videoDevices(); // no V4L2 device here
    const std::vector<CameraDevice> extra(all.end() - 3, all.end());
    EXPECT_EQ(extra,
              (std::vector<CameraDevice>{{"lavfi:testsrc2", "Pattern"},
                                         {"lavfi:smptebars=rate=5", "lavfi:smptebars=rate=5"},
                                         {"/tmp/a.mkv", "Desk"}}));
}

TEST(FFmpegCameras, DeliversPacedBgraFramesAndReportsTheEnd) {
    FFmpegCameras cameras;
    auto session = cameras.createCameraCaptureSession();
    QString error;
    EXPECT_FALSE(session->addInput({"/nonexistent/clip.mp4", "Gone"}, &error));
    EXPECT_TRUE(error.contains("/nonexistent/clip.mp4")) << error.toStdString();

    // Half a second of 30 fps pictures, then the end of the stream.
    ASSERT_TRUE(
        session->addInput({"lavfi:testsrc2=size=320x240:rate=30:duration=0.5", "Pattern"}, &error))
        << error.toStdString();
    auto queue = std::make_shared<SerialQueue>("VideoOutputQueue");
    std::mutex mutex;
    std::vector<QImage> frames;
    std::vector<std::chrono::steady_clock::time_point> times;
    bool onQueue = true;
    session->addOutput(queue, [&](QImage frame) {
        std::lock_guard lock(mutex);
        onQueue = onQueue && queue->isCurrent();
        frames.push_back(std::move(frame));
        times.push_back(std::chrono::steady_clock::now());
    });
    QSignalSpy ended(session.get(), &CameraCaptureSession::runtimeError);
    QSignalSpy stopped(session.get(), &CameraCaptureSession::didStopRunning);
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return stopped.count() == 1; }));
    queue->sync([] {});

    ASSERT_EQ(ended.count(), 1);
    EXPECT_TRUE(ended[0][0].toString().contains("ended")) << ended[0][0].toString().toStdString();
    std::lock_guard lock(mutex);
    EXPECT_TRUE(onQueue);
    // A receiver that keeps up gets every picture; a slow machine may skip a few.
    EXPECT_GE(frames.size(), 10u);
    EXPECT_LE(frames.size(), 15u);
    for (const QImage& f : frames)
        EXPECT_EQ(std::make_pair(f.size(), f.format()),
                  std::make_pair(QSize(320, 240), QImage::Format_ARGB32_Premultiplied));
    // testsrc2's left column is white at the top: BGRA, opaque.
    EXPECT_EQ(frames.front().pixel(0, 0) >> 24, 0xffu);
    // Played at its own pace, never faster: 15 pictures of 30 fps take half a second.
    const std::chrono::duration<double> span = times.back() - times.front();
    EXPECT_GE(span.count(), (double(frames.size()) - 1) / 30 - 0.05);
}
