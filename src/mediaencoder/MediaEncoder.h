// Tapedeck's encoder library: raw BGRA video and 32-bit PCM audio in, a media file out.
//
// Every call takes the handle from apiEncoderCreate first. A result below zero is one of the
// MEDIA_ENCODER_E* codes below; calls never crash or block on a bad argument.
//
// Order: create -> settings (output path, sizes, formats, fps, bit rates, audio contexts,
// limits) -> apiEncoderEncode -> pushes -> trailers -> poll apiEncodeIsDone until 1 -> close.
//
// Threads: settings, encode, trailers and close from one thread; video pushes from one thread
// and audio pushes from another may run at the same time. A push converts or copies the
// caller's data and returns; encoding and writing happen on the library's own thread. When
// encoding falls behind, new video frames are dropped (and counted) instead of queuing without
// limit.
#ifndef TAPEDECK_MEDIAENCODER_H
#define TAPEDECK_MEDIAENCODER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct MediaEncoder MediaEncoder;

// Result codes.
enum {
    MEDIA_ENCODER_OK = 0,
    MEDIA_ENCODER_EHANDLE = -1,    // null, closed or unknown handle
    MEDIA_ENCODER_EARG = -2,       // null pointer, size or value out of range
    MEDIA_ENCODER_ESTATE = -3,     // call not allowed now (settings after start, push before
                                   // start or after its trailer, encode twice)
    MEDIA_ENCODER_ECONTAINER = -4, // extension unknown, or not able to hold the set streams
    MEDIA_ENCODER_EIO = -5,        // the output could not be created or written
    MEDIA_ENCODER_ECODEC = -6,     // an encoder could not be opened or failed
    MEDIA_ENCODER_ENOMEM = -7,     // out of memory
    MEDIA_ENCODER_ETIMESTAMP = -8, // video time earlier than the previous frame's
};

// Format codes.
enum {
    MEDIA_ENCODER_IMAGE_H264 = 1000,     // H.264 in yuv420p
    MEDIA_ENCODER_PIXEL_BGRA = 1005,     // 32-bit BGRA, alpha premultiplied, little-endian words
    MEDIA_ENCODER_SAMPLE_S32_PACKED = 2, // interleaved signed 32-bit samples
};

// One video frame (32 bytes). The pixels stay the caller's; they are copied during the push.
typedef struct MediaVideoFrame {
    int32_t pixelFormat; // MEDIA_ENCODER_PIXEL_BGRA
    int32_t width;       // pixels
    int32_t height;      // pixels
    int32_t bytesPerRow; // at least width * 4
    uint8_t* data;       // first pixel of the top row
    int32_t size;        // bytes of pixel data: bytesPerRow * height
    int32_t reserved;
} MediaVideoFrame;

// One audio buffer (16 bytes) of interleaved samples in the source format.
typedef struct MediaAudioFrame {
    uint8_t* data;
    uint32_t size; // bytes; a whole number of sample frames (channels * 4 bytes)
    uint32_t reserved;
} MediaAudioFrame;

// A new encoder, or null when out of memory.
MediaEncoder* apiEncoderCreate(void);

// UTF-8 path of the file to write. Its extension picks the container:
// .mov .mp4 .m4v .flv (H.264 + AAC), .avi (H.264 + MP3), .mp3 (MP3), .wav (PCM 16-bit),
// .m4a (AAC). Others: MEDIA_ENCODER_ECONTAINER. The folder must exist when encoding starts.
int apiEncoderSetOutputPath(MediaEncoder* h, const char* path);

// Size of the frames that will be pushed, in pixels (1 to 16384 each).
int apiEncoderSetImageSize(MediaEncoder* h, int32_t width, int32_t height);

// MEDIA_ENCODER_IMAGE_H264. Setting it is what makes the recording carry video.
int apiEncoderSetImageFormat(MediaEncoder* h, int32_t format);

// Size of the encoded picture, in pixels (1 to 16384 each); odd sizes lose their last column
// or row. Frames of another size are scaled to fit, aspect kept, padded black.
int apiEncoderSetOutputSize(MediaEncoder* h, int32_t width, int32_t height);

// Frames per second of the output (0 < fps <= 240), e.g. 23.976.
int apiEncoderSetFps(MediaEncoder* h, double fps);

// Video bit rate in kbit/s (1 to 200000).
int apiEncoderSetVideoBitrate(MediaEncoder* h, double kbps);

// What apiEncoderPushAudio receives: channels (1 or 2), sample rate in Hz (8000 to 192000),
// MEDIA_ENCODER_SAMPLE_S32_PACKED. Setting it is what makes the recording carry audio.
int apiEncoderSetAudioSrcContext(MediaEncoder* h, int32_t channels, int32_t sampleRate,
                                 int32_t sampleFormat);

// Audio bit rate in kbit/s (8 to 640); ignored for .wav.
int apiEncoderSetAudioBitrate(MediaEncoder* h, double kbps);

// Channels (1 or 2) and sample rate in Hz (8000 to 96000) of the encoded audio.
int apiEncoderSetAudioEncodeContext(MediaEncoder* h, int32_t channels, int32_t sampleRate);

// Cut the recording into pieces of this many seconds (0 = no cutting by time).
// The first piece is the output path, later ones add "_2", "_3", ... to its stem.
// Returns 1 when accepted.
int apiEncoderSetLimitTime(MediaEncoder* h, int32_t seconds);

// Cut the recording into pieces of about this many megabytes (10^6 bytes; 0 = no cutting by
// size). A piece is closed at the first frame after it reached the size. Returns 1 when accepted.
int apiEncoderSetLimitSize(MediaEncoder* h, int32_t megabytes);

// Opens the output and starts the encoding thread. Settings are refused afterwards.
int apiEncoderEncode(MediaEncoder* h);

// Queues one frame shown at ptsMs milliseconds of the recording (0 or more, never earlier than
// the previous frame; gaps are allowed, and their slots count as dropped). Frames that fall on
// the same output frame slot as the previous one are skipped. The picture is converted before
// the push returns. Returns 0 when queued or skipped, 1 when dropped because encoding
// is behind (the slot then shows the picture before it once a later frame is taken; pushing
// the frame again at the same time still takes it), or a negative code.
int apiEncoderPushVideo(MediaEncoder* h, const MediaVideoFrame* frame, int64_t ptsMs);

// Queues the picture of the previous video push again, at ptsMs, without converting it again:
// for a screen that did not change. The same rules and results as apiEncoderPushVideo;
// MEDIA_ENCODER_ESTATE when the previous push was not taken (dropped, skipped, or none yet),
// so its picture is not there to repeat and a new one has to be pushed.
int apiEncoderPushVideoRepeat(MediaEncoder* h, int64_t ptsMs);

// Queues audio. Its time is the count of samples pushed before it.
int apiEncoderPushAudio(MediaEncoder* h, const MediaAudioFrame* frame);

// End of video input, end of audio input. Once every stream the recording carries has ended,
// the file is finished on the encoding thread.
int apiEncodePushVideoTrailer(MediaEncoder* h);
int apiEncodePushAudioTrailer(MediaEncoder* h);

// 1 once the file is complete (or writing failed for good) after the trailers, 0 before,
// negative for a bad handle or an encoder that never started.
int apiEncodeIsDone(MediaEncoder* h);

// Finishes the file if needed and frees the encoder; the handle is dead afterwards.
// A negative code says the file could not be written completely.
int apiEncoderClose(MediaEncoder* h);

// Bytes written so far, all pieces together.
int64_t apiEncoderGetFileSize(MediaEncoder* h);

// Milliseconds of recording encoded so far, all pieces together.
int64_t apiEncoderGetEncodedTimestamp(MediaEncoder* h);

// Frames of the set rate the video lacks: pushes dropped because encoding was behind, and
// frame slots no push reached (the slots skipped between two pushes); audio buffers dropped
// because encoding was behind are added.
int64_t apiEncoderGetDroppedFrames(MediaEncoder* h);

// Reads a media file back: *durationMs = milliseconds from the start of its earliest stream to
// the end of its last packet. For checking a finished or interrupted recording.
// MEDIA_ENCODER_EIO when it cannot be read, MEDIA_ENCODER_ECONTAINER when it holds no media.
int apiMediaFileDuration(const char* path, int64_t* durationMs);

// Finishes a file whose recorder died: a fragmented file (.mov .mp4 .m4v .m4a) is cut back to
// its last whole fragment; the other containers are read as they were left.
int apiMediaFileFinish(const char* path);

#ifdef __cplusplus
}
#endif

#endif
