// One encoder handle: settings, the queue between the pushing threads and the encoding thread,
// and the encoding thread itself. A video push converts its picture at once, on the pushing
// thread, so the encoding thread only encodes.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "EncoderSettings.h"
#include "FramePool.h"
#include "MediaEncoder.h"
#include "Picture.h"
#include "VideoConverter.h"

namespace mediaencoder {

class Recording;

class Encoder {
public:
    Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
    ~Encoder();

    int setOutputPath(const char* path);
    int setImageSize(int32_t width, int32_t height);
    int setImageFormat(int32_t format);
    int setOutputSize(int32_t width, int32_t height);
    int setFps(double fps);
    int setVideoBitrate(double kbps);
    int setAudioSrcContext(int32_t channels, int32_t sampleRate, int32_t sampleFormat);
    int setAudioBitrate(double kbps);
    int setAudioEncodeContext(int32_t channels, int32_t sampleRate);
    int setLimitTime(int32_t seconds);
    int setLimitSize(int32_t megabytes);

    int encode();
    int pushVideo(const MediaVideoFrame* frame, int64_t ptsMs);
    int pushVideoRepeat(int64_t ptsMs);
    int pushAudio(const MediaAudioFrame* frame);
    int pushVideoTrailer();
    int pushAudioTrailer();
    int isDone() const;
    int close();

    int64_t fileSize() const;
    int64_t encodedTimestamp() const;
    int64_t droppedFrames() const { return dropped_.load(); }

private:
    struct Item {
        enum Kind { Video, Audio, Silence, VideoEnd, AudioEnd };
        explicit Item(Kind k) : kind(k) {}
        Kind kind;
        Picture picture;
        int64_t slot = 0;
        std::vector<int32_t> samples;
        int64_t silenceFrames = 0;
    };

    enum class State { Configuring, Encoding, Closed };

    // Runs a settings change under the lock, refused once encoding has started.
    template <typename F> int configure(F&& change);
    // frame null: the previous picture again.
    int pushPicture(const MediaVideoFrame* frame, int64_t ptsMs);
    void enqueue(Item&& item);
    void enqueueVideo(Picture picture, int64_t slot);
    // Fills the slots refused since the last queued picture, up to end (not included).
    void fillRefused(int64_t end);
    void run();
    int process(Item& item);
    bool endedAll() const;

    // First, so it outlives every picture that returns to it.
    FramePool pool_;
    mutable std::mutex mutex_; // settings, state, queue
    std::condition_variable wake_;
    EncoderSettings settings_;
    State state_ = State::Configuring;
    std::deque<Item> queue_;
    size_t queuedAudioBytes_ = 0;
    int queuedVideo_ = 0;
    bool videoEnded_ = false, audioEnded_ = false; // trailers pushed
    int result_ = MEDIA_ENCODER_OK;

    std::mutex videoMutex_; // one video push at a time decides the slots and converts
    VideoConverter converter_;
    bool haveSlot_ = false;
    int64_t lastSlot_ = 0, lastPts_ = 0;
    int64_t countedSlot_ = 0; // the last slot taken or counted as dropped
    // The picture of the last push, while that push was taken; a repeat shares its pixels.
    Picture last_;
    // The last picture queued and its slot, which fills the slots refused after it; the first
    // and the last slot refused for lack of room since (the first -1 when none).
    Picture newest_;
    int64_t newestSlot_ = 0;
    int64_t refusedFrom_ = -1, lastRefused_ = -1;

    std::unique_ptr<Recording> recording_;
    std::thread worker_;
    std::atomic<int> failure_{MEDIA_ENCODER_OK};
    std::atomic<bool> done_{false};
    std::atomic<int64_t> dropped_{0};
};

} // namespace mediaencoder
