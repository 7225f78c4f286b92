#include "Encoder.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <future>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Recording.h"

namespace mediaencoder {

namespace {

constexpr int kMaxSide = 16384;
// Audio waiting for the encoding thread beyond this is replaced by silence of the same length,
// so the timeline stays whole while memory stays bounded (about 90 s of 44.1 kHz stereo).
constexpr size_t kAudioQueueCap = 32u << 20;
// Pictures waiting for the encoding thread beyond which refused slots are no longer filled.
constexpr int kMaxQueuedVideo = 16;
// Niceness of the encoding thread and the encoder threads it starts.
constexpr int kEncodingNice = 5;

bool validSize(int32_t w, int32_t h) {
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide;
}

} // namespace

Encoder::Encoder() = default;

Encoder::~Encoder() {
    close();
}

template <typename F> int Encoder::configure(F&& change) {
    std::lock_guard lock(mutex_);
    if (state_ != State::Configuring)
        return MEDIA_ENCODER_ESTATE;
    return change(settings_);
}

int Encoder::setOutputPath(const char* path) {
    if (!path || !*path)
        return MEDIA_ENCODER_EARG;
    std::optional<Container> c = containerForPath(path);
    if (!c)
        return MEDIA_ENCODER_ECONTAINER;
    return configure([&](EncoderSettings& s) {
        s.outputPath = path;
        s.container = *c;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setImageSize(int32_t width, int32_t height) {
    if (!validSize(width, height))
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.imageWidth = width;
        s.imageHeight = height;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setImageFormat(int32_t format) {
    if (format != MEDIA_ENCODER_IMAGE_H264)
        return MEDIA_ENCODER_EARG;
    return configure([](EncoderSettings& s) {
        s.hasVideo = true;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setOutputSize(int32_t width, int32_t height) {
    if (!validSize(width, height) || width < 2 || height < 2)
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.outputWidth = width;
        s.outputHeight = height;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setFps(double fps) {
    if (!(fps > 0.0 && fps <= 240.0))
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.fps = fps;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setVideoBitrate(double kbps) {
    if (!(kbps >= 1.0 && kbps <= 200000.0))
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.videoKbps = kbps;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setAudioSrcContext(int32_t channels, int32_t sampleRate, int32_t sampleFormat) {
    if (channels < 1 || channels > 2 || sampleRate < 8000 || sampleRate > 192000 ||
        sampleFormat != MEDIA_ENCODER_SAMPLE_S32_PACKED)
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.hasAudio = true;
        s.srcChannels = channels;
        s.srcRate = sampleRate;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setAudioBitrate(double kbps) {
    if (!(kbps >= 8.0 && kbps <= 640.0))
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.audioKbps = kbps;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setAudioEncodeContext(int32_t channels, int32_t sampleRate) {
    if (channels < 1 || channels > 2 || sampleRate < 8000 || sampleRate > 96000)
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.outChannels = channels;
        s.outRate = sampleRate;
        return MEDIA_ENCODER_OK;
    });
}

int Encoder::setLimitTime(int32_t seconds) {
    if (seconds < 0)
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.limitSeconds = seconds;
        return 1;
    });
}

int Encoder::setLimitSize(int32_t megabytes) {
    if (megabytes < 0)
        return MEDIA_ENCODER_EARG;
    return configure([&](EncoderSettings& s) {
        s.limitMegabytes = megabytes;
        return 1;
    });
}

int Encoder::encode() {
    std::lock_guard lock(mutex_);
    if (state_ != State::Configuring)
        return MEDIA_ENCODER_ESTATE;
    const EncoderSettings& s = settings_;
    if (s.outputPath.empty() || (!s.hasVideo && !s.hasAudio))
        return MEDIA_ENCODER_ESTATE;
    if (s.hasVideo) {
        if (s.container.videoCodec == AV_CODEC_ID_NONE)
            return MEDIA_ENCODER_ECONTAINER;
        if (s.imageWidth <= 0 || s.encodedWidth() < 2 || s.encodedHeight() < 2)
            return MEDIA_ENCODER_ESTATE;
    }
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::path(s.outputPath).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
        return MEDIA_ENCODER_EIO;

    // The encoding thread opens the file itself, so the encoder's own threads start from it and
    // share its lower priority: capture and the user interface keep the upper hand when the
    // machine is busy, and the bounded queue absorbs the difference.
    auto recording = std::make_unique<Recording>(s);
    std::promise<int> opened;
    std::future<int> result = opened.get_future();
    Recording* r = recording.get();
    std::thread worker([this, r, &opened] {
        setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), kEncodingNice);
        int rc = r->start();
        opened.set_value(rc);
        if (rc == MEDIA_ENCODER_OK)
            run();
    });
    if (int rc = result.get(); rc != MEDIA_ENCODER_OK) {
        worker.join();
        return rc;
    }
    recording_ = std::move(recording);
    state_ = State::Encoding;
    worker_ = std::move(worker);
    return MEDIA_ENCODER_OK;
}

void Encoder::enqueue(Item&& item) {
    queue_.push_back(std::move(item));
    wake_.notify_one();
}

int Encoder::pushVideo(const MediaVideoFrame* frame, int64_t ptsMs) {
    if (!frame || !frame->data || frame->pixelFormat != MEDIA_ENCODER_PIXEL_BGRA ||
        !validSize(frame->width, frame->height) || frame->bytesPerRow < frame->width * 4 ||
        int64_t(frame->size) != int64_t(frame->bytesPerRow) * frame->height)
        return MEDIA_ENCODER_EARG;
    return pushPicture(frame, ptsMs);
}

int Encoder::pushVideoRepeat(int64_t ptsMs) {
    return pushPicture(nullptr, ptsMs);
}

int Encoder::pushPicture(const MediaVideoFrame* frame, int64_t ptsMs) {
    if (ptsMs < 0)
        return MEDIA_ENCODER_ETIMESTAMP;
    double fps;
    int width, height;
    {
        std::lock_guard lock(mutex_);
        if (state_ != State::Encoding || !settings_.hasVideo || videoEnded_)
            return MEDIA_ENCODER_ESTATE;
        fps = settings_.fps;
        width = settings_.encodedWidth();
        height = settings_.encodedHeight();
    }
    if (int f = failure_.load(); f != MEDIA_ENCODER_OK)
        return f;

    std::lock_guard videoLock(videoMutex_);
    if (haveSlot_ && ptsMs < lastPts_)
        return MEDIA_ENCODER_ETIMESTAMP;
    // A picture that was dropped or skipped is not in the file, so nothing can stand for it.
    if (!frame && !last_)
        return MEDIA_ENCODER_ESTATE;
    int64_t slot = std::llround(double(ptsMs) * fps / 1000.0);
    if (haveSlot_ && slot <= lastSlot_) {
        // Same output frame as the one before; a new picture is lost.
        if (frame)
            last_.reset();
        return MEDIA_ENCODER_OK;
    }
    // Output frames that no push reached in time are lost as surely as one refused here; a
    // refused frame is counted once, even when it is pushed again and taken.
    if (haveSlot_)
        dropped_ += std::max<int64_t>(slot - std::max(lastSlot_, countedSlot_) - 1, 0);
    countedSlot_ = std::max(countedSlot_, slot);
    Picture picture;
    if (frame) {
        last_.reset();
        picture = acquirePicture(pool_, width, height);
        if (!picture) {
            ++dropped_;
            refusedFrom_ = refusedFrom_ < 0 ? slot : refusedFrom_;
            lastRefused_ = slot;
            return 1;
        }
        if (!converter_.convert(frame->data, frame->width, frame->height, frame->bytesPerRow,
                                picture.get()))
            return MEDIA_ENCODER_ECODEC;
        last_ = sharePicture(picture.get());
    } else {
        picture = sharePicture(last_.get());
    }
    if (!picture)
        return MEDIA_ENCODER_ENOMEM;
    haveSlot_ = true;
    lastSlot_ = slot;
    lastPts_ = ptsMs;

    std::lock_guard lock(mutex_);
    if (state_ != State::Encoding || videoEnded_)
        return MEDIA_ENCODER_ESTATE;
    fillRefused(slot);
    newest_ = sharePicture(picture.get());
    newestSlot_ = slot;
    enqueueVideo(std::move(picture), slot);
    return MEDIA_ENCODER_OK;
}

void Encoder::fillRefused(int64_t end) {
    // Slots whose frames were refused for lack of room show the picture before them, so the
    // file keeps its rate (they stay counted as dropped); a gap no push reached stays a gap.
    if (refusedFrom_ >= 0 && newest_) {
        for (int64_t r = std::max(refusedFrom_, newestSlot_ + 1);
             r < end && queuedVideo_ < kMaxQueuedVideo; ++r)
            enqueueVideo(sharePicture(newest_.get()), r);
    }
    refusedFrom_ = -1;
}

void Encoder::enqueueVideo(Picture picture, int64_t slot) {
    Item item{Item::Video};
    item.picture = std::move(picture);
    item.slot = slot;
    ++queuedVideo_;
    enqueue(std::move(item));
}

int Encoder::pushAudio(const MediaAudioFrame* frame) {
    if (!frame || !frame->data || frame->size == 0)
        return MEDIA_ENCODER_EARG;
    std::lock_guard lock(mutex_);
    if (state_ != State::Encoding || !settings_.hasAudio || audioEnded_)
        return MEDIA_ENCODER_ESTATE;
    const uint32_t frameBytes = uint32_t(settings_.srcChannels) * 4;
    if (frame->size % frameBytes != 0)
        return MEDIA_ENCODER_EARG;
    if (int f = failure_.load(); f != MEDIA_ENCODER_OK)
        return f;
    const int64_t frames = frame->size / frameBytes;
    if (queuedAudioBytes_ + frame->size > kAudioQueueCap) {
        ++dropped_;
        if (!queue_.empty() && queue_.back().kind == Item::Silence)
            queue_.back().silenceFrames += frames;
        else {
            Item item{Item::Silence};
            item.silenceFrames = frames;
            enqueue(std::move(item));
        }
        return 1;
    }
    Item item{Item::Audio};
    item.samples.resize(frame->size / 4);
    std::memcpy(item.samples.data(), frame->data, frame->size);
    queuedAudioBytes_ += frame->size;
    enqueue(std::move(item));
    return MEDIA_ENCODER_OK;
}

int Encoder::pushVideoTrailer() {
    std::lock_guard videoLock(videoMutex_);
    std::lock_guard lock(mutex_);
    if (state_ != State::Encoding)
        return MEDIA_ENCODER_ESTATE;
    if (!videoEnded_) {
        // The frames refused last still have their slots in the file.
        fillRefused(lastRefused_ + 1);
        videoEnded_ = true;
        enqueue(Item{Item::VideoEnd});
    }
    return MEDIA_ENCODER_OK;
}

int Encoder::pushAudioTrailer() {
    std::lock_guard lock(mutex_);
    if (state_ != State::Encoding)
        return MEDIA_ENCODER_ESTATE;
    if (!audioEnded_) {
        audioEnded_ = true;
        enqueue(Item{Item::AudioEnd});
    }
    return MEDIA_ENCODER_OK;
}

bool Encoder::endedAll() const {
    return (videoEnded_ || !settings_.hasVideo) && (audioEnded_ || !settings_.hasAudio);
}

int Encoder::process(Item& item) {
    switch (item.kind) {
    case Item::Video:
        return recording_->video(item.picture.get(), item.slot);
    case Item::Audio:
        return recording_->audio(item.samples.data(),
                                 int(item.samples.size() / size_t(settings_.srcChannels)));
    case Item::Silence:
        return recording_->silence(item.silenceFrames);
    case Item::VideoEnd:
    case Item::AudioEnd:
        break;
    }
    return MEDIA_ENCODER_OK;
}

void Encoder::run() {
    for (;;) {
        Item item{Item::VideoEnd};
        bool finishNow;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return !queue_.empty(); });
            item = std::move(queue_.front());
            queue_.pop_front();
            if (item.kind == Item::Audio)
                queuedAudioBytes_ -= item.samples.size() * 4;
            if (item.kind == Item::Video)
                --queuedVideo_;
            finishNow = queue_.empty() && endedAll();
        }
        if (failure_.load() == MEDIA_ENCODER_OK) {
            if (int rc = process(item); rc != MEDIA_ENCODER_OK)
                failure_ = rc;
        }
        if (finishNow)
            break;
    }
    int rc = recording_->finish();
    std::lock_guard lock(mutex_);
    result_ = failure_.load() != MEDIA_ENCODER_OK ? failure_.load() : rc;
    done_ = true;
}

int Encoder::isDone() const {
    std::lock_guard lock(mutex_);
    if (state_ == State::Configuring)
        return MEDIA_ENCODER_ESTATE;
    return done_.load() || failure_.load() != MEDIA_ENCODER_OK ? 1 : 0;
}

int Encoder::close() {
    {
        std::unique_lock lock(mutex_);
        if (state_ != State::Encoding) {
            state_ = State::Closed;
            return MEDIA_ENCODER_OK;
        }
        // Closing without trailers still finishes the file.
        if (!videoEnded_) {
            videoEnded_ = true;
            enqueue(Item{Item::VideoEnd});
        }
        if (!audioEnded_) {
            audioEnded_ = true;
            enqueue(Item{Item::AudioEnd});
        }
        state_ = State::Closed;
    }
    worker_.join();
    return result_;
}

int64_t Encoder::fileSize() const {
    std::lock_guard lock(mutex_);
    return recording_ ? recording_->bytes() : 0;
}

int64_t Encoder::encodedTimestamp() const {
    std::lock_guard lock(mutex_);
    return recording_ ? recording_->encodedMs() : 0;
}

} // namespace mediaencoder
