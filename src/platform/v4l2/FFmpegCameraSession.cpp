#include "FFmpegCameraSession.h"

#include <pthread.h>

#include <chrono>

#include "CameraSources.h"
#include "CameraStream.h"
#include "KTLog.h"
#include "MainQueue.h"
#include "SerialQueue.h"

namespace {

// Frames waiting for the receiver; one more would only add delay.
constexpr int kMaxInFlight = 2;
// Behind the source's clock by this much, playback starts counting afresh instead of rushing.
constexpr double kResyncSeconds = 0.5;
constexpr std::chrono::seconds kOpenTimeout{10};

} // namespace

FFmpegCameraSession::FFmpegCameraSession() : guard_(this) {}

FFmpegCameraSession::~FFmpegCameraSession() {
    stopRequested_ = true;
    joinReader();
}

bool FFmpegCameraSession::addInput(const CameraDevice& camera, QString* error) {
    removeInput();
    QString why;
    stopRequested_ = false;
    // A stream that does not answer gives up after a while rather than hang the caller.
    auto opening = std::make_shared<std::atomic<bool>>(true);
    const auto deadline = std::chrono::steady_clock::now() + kOpenTimeout;
    std::unique_ptr<CameraStream> stream = CameraStream::open(
        cameraSourceOf(camera.uniqueID),
        [this, opening, deadline] {
            return stopRequested_.load() ||
                   (opening->load() && std::chrono::steady_clock::now() > deadline);
        },
        why);
    *opening = false;
    if (!stream) {
        KTLOG("%s", qPrintable(why));
        if (error)
            *error = why;
        return false;
    }
    std::lock_guard lock(mutex_);
    stream_ = std::move(stream);
    startReader();
    return true;
}

void FFmpegCameraSession::removeInput() {
    stopRequested_ = true;
    joinReader();
    std::lock_guard lock(mutex_);
    stream_.reset();
}

void FFmpegCameraSession::addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) {
    std::lock_guard lock(mutex_);
    queue_ = std::move(queue);
    handler_ = std::move(handler);
}

void FFmpegCameraSession::removeOutput() {
    std::lock_guard lock(mutex_);
    queue_.reset();
    handler_ = nullptr;
}

void FFmpegCameraSession::startRunning() {
    {
        std::lock_guard lock(mutex_);
        if (running_)
            return;
        running_ = true;
        startReader();
    }
    MainQueue::async([this] { emit didStartRunning(); }, guard_);
}

void FFmpegCameraSession::stopRunning() {
    {
        std::lock_guard lock(mutex_);
        if (!running_)
            return;
        running_ = false;
    }
    stopRequested_ = true;
    joinReader();
    MainQueue::async([this] { emit didStopRunning(); }, guard_);
}

void FFmpegCameraSession::startReader() {
    // Under the lock: reads only once both the input and the running state are there.
    if (!running_ || !stream_)
        return;
    if (reader_.joinable()) {
        if (!readerEnded_)
            return;
        reader_.join(); // one that ended on an error
    }
    stopRequested_ = false;
    readerEnded_ = false;
    reader_ = std::thread([this] {
        readLoop();
        readerEnded_ = true;
    });
}

void FFmpegCameraSession::joinReader() {
    if (reader_.joinable())
        reader_.join();
}

void FFmpegCameraSession::deliver(QImage frame) {
    std::lock_guard lock(mutex_);
    if (!queue_ || !handler_)
        return;
    if (inFlight_->load() >= kMaxInFlight) {
        ++skipped_;
        return;
    }
    ++*inFlight_;
    // Queued under the lock, so no frame slips in after removeOutput() returns.
    queue_->async([handler = handler_, inFlight = inFlight_, frame = std::move(frame)]() mutable {
        handler(std::move(frame));
        --*inFlight;
    });
}

void FFmpegCameraSession::readLoop() {
    pthread_setname_np(pthread_self(), "CameraRead");
    using Clock = std::chrono::steady_clock;
    CameraStream& stream = *stream_; // kept until this thread has been joined
    std::optional<Clock::time_point> origin;
    double originTime = 0;
    double lastTime = 0;
    const double step = stream.frameRate() > 0 ? 1.0 / stream.frameRate() : 1.0 / 30;
    while (!stopRequested_) {
        QString error;
        std::optional<CameraStream::Frame> frame = stream.read(error);
        if (stopRequested_)
            return;
        if (!frame) {
            KTLOG("%s", qPrintable(error));
            MainQueue::async(
                [this, error] {
                    bool wasRunning = false;
                    {
                        std::lock_guard lock(mutex_);
                        std::swap(wasRunning, running_);
                    }
                    // A stop that came first already said so.
                    if (!wasRunning)
                        return;
                    emit runtimeError(error);
                    emit didStopRunning();
                },
                guard_);
            return;
        }
        if (!stream.isLive()) {
            // Played at the pace its frame times give.
            const double t = frame->time.value_or(lastTime + step);
            lastTime = t;
            const Clock::time_point now = Clock::now();
            auto due = origin ? *origin + std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(t - originTime))
                              : now;
            if (!origin || now - due > std::chrono::duration<double>(kResyncSeconds)) {
                origin = now;
                originTime = t;
                due = now;
            }
            while (!stopRequested_ && Clock::now() < due)
                std::this_thread::sleep_for(
                    std::min<Clock::duration>(due - Clock::now(), std::chrono::milliseconds(20)));
        }
        deliver(std::move(frame->image));
    }
}
