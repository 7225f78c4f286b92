// One output file (one piece of a recording): muxer, its streams and their encoders.
#pragma once

#include <cstdint>
#include <string>

extern "C" {
#include <libavutil/samplefmt.h>
}

#include "EncoderSettings.h"
#include "FileSink.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace mediaencoder {

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Creates the file and opens fresh encoders, so the piece starts with a key frame.
    // Returns a MEDIA_ENCODER_* code.
    int open(const EncoderSettings& settings, const std::string& path);

    // Encodes a yuv420p picture of the encoded size at pts frame slots from the piece start.
    int writeVideo(AVFrame* picture, int64_t pts);

    AVSampleFormat audioFormat() const;
    // Samples per audio frame the encoder takes.
    int audioFrameSize() const;
    // A frame in the audio encoder's format with room for audioFrameSize() samples.
    AVFrame* audioFrame();
    // Encodes audioFrame() at pts samples from the piece start.
    int writeAudio(int64_t pts);

    // Flushes both encoders and writes the trailer. Returns a MEDIA_ENCODER_* code. After a
    // failed write the file already ends at its last whole packet and is left as it is.
    int finish();

    // Bytes in the file so far.
    int64_t bytes() const { return bytes_; }
    // Bytes the file will have once the pictures inside the video encoder come out, judged by
    // the average packet so far: the encoder holds back half a second or more.
    int64_t expectedBytes() const;

private:
    int openVideo(const EncoderSettings& s);
    int openAudio(const EncoderSettings& s);
    int encode(AVCodecContext* ctx, AVStream* st, AVFrame* frame);
    void release();
    // A write failed: the file is cut back to its last whole packet and nothing more is written.
    int writeFailed();

    AVFormatContext* fmt_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    AVStream* videoStream_ = nullptr;
    AVStream* audioStream_ = nullptr;
    AVFrame* audioFrame_ = nullptr;
    AVPacket* packet_ = nullptr;
    FileSink sink_;
    bool headerWritten_ = false;
    bool failed_ = false;
    int64_t bytes_ = 0;
    int64_t videoFramesIn_ = 0, videoPacketsOut_ = 0, videoPacketBytes_ = 0;
};

} // namespace mediaencoder
