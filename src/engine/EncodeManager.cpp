#include "EncodeManager.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "KTLog.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

namespace {

void logFailure(int code, const char* what) {
    if (code < 0)
        systemLog(QString::asprintf("错误码:%d ->描述：%s", code, what));
}

} // namespace

EncodeManager::EncodeManager() {
    initHandle();
}

EncodeManager::~EncodeManager() {
    if (isWorking_)
        stopEncoderEncode();
    closeHandle();
}

void EncodeManager::closeHandle() {
    if (handle_)
        apiEncoderClose(handle_);
    handle_ = nullptr;
}

void EncodeManager::initHandle() {
    std::unique_lock lock(pushGuard_);
    // A replaced handle is never used again; release it rather than leak it.
    closeHandle();
    handle_ = apiEncoderCreate();
    started_ = false;
    droppedAtStop_ = 0;
}

void EncodeManager::setOutputPath(const QString& path) {
    outputPath_ = path;
    logFailure(apiEncoderSetOutputPath(handle_, path.toUtf8().constData()), "设置输出路径");
}

void EncodeManager::setImageSize(double width, double height) {
    imageSize_ = QSizeF(width, height);
}

void EncodeManager::setUpVideoSettings() {
    const auto w = int32_t(imageSize_.width()), h = int32_t(imageSize_.height());
    logFailure(apiEncoderSetImageSize(handle_, w, h), "设置初始数据源帧大小");
    logFailure(apiEncoderSetImageFormat(handle_, MEDIA_ENCODER_IMAGE_H264), "设置输出格式");
    logFailure(apiEncoderSetOutputSize(handle_, w, h), "设置输出文件帧大小");
    logFailure(apiEncoderSetFps(handle_, double(fps)), "设置视频帧率");
    logFailure(apiEncoderSetVideoBitrate(handle_, double(videoBitrate)), "设置视频码率");
}

void EncodeManager::setUpAudioSettings() {
    logFailure(apiEncoderSetAudioSrcContext(handle_, audioChannels, audioSamples,
                                            MEDIA_ENCODER_SAMPLE_S32_PACKED),
               "设置音频源数据格式");
    logFailure(apiEncoderSetAudioBitrate(handle_, double(audioBitrate)), "设置音频码率");
    logFailure(apiEncoderSetAudioEncodeContext(handle_, audioChannels, audioSamples),
               "设置音频输出声道和采样率");
}

void EncodeManager::setSplit() {
    const int type = splitType.value_or(int(Preferences::shared().integer(PrefKey::SplitType)));
    const int32_t time = type == 1 ? splitTime : 0;
    const int32_t size = type == 2 ? splitSize : 0;
    if (apiEncoderSetLimitTime(handle_, time) == 1)
        systemLog(QString::asprintf("设置时间分段，%s:line:%d time:%d", __func__, __LINE__,
                                    int(splitTime)));
    else
        systemLog(QString::asprintf("设置时间分段失败，%s:line:%d", __func__, __LINE__));
    if (apiEncoderSetLimitSize(handle_, size) == 1)
        systemLog(QString::asprintf("设置大小分段，%s:line:%d time:%d", __func__, __LINE__,
                                    int(splitSize)));
    else
        systemLog(QString::asprintf("设置大小分段失败，%s:line:%d", __func__, __LINE__));
}

void EncodeManager::startEncoderEncode() {
    setSplit();
    const int rc = apiEncoderEncode(handle_);
    if (rc < 0) {
        logFailure(rc, "开始编码失败");
        return;
    }
    started_ = true;
    nTotalAudiosize_ = 0;
    loggedPushFailure_ = MEDIA_ENCODER_OK;
    writeFailedReported_ = false;
    isWorking_ = true;
    systemLog("====开始编码");
}

bool EncodeManager::encoderPushVideo(const MediaVideoFrame* frame, double pts) {
    std::shared_lock lock(pushGuard_);
    if (!isWorking_ || !handle_)
        return false;
    const int rc = apiEncoderPushVideo(handle_, frame, int64_t(pts));
    if (rc < 0)
        pushFailed(rc, "送入视频数据失败");
    return rc == MEDIA_ENCODER_OK;
}

bool EncodeManager::encoderPushVideoRepeat(double pts) {
    std::shared_lock lock(pushGuard_);
    if (!isWorking_ || !handle_)
        return false;
    const int rc = apiEncoderPushVideoRepeat(handle_, int64_t(pts));
    // No picture to repeat is no failure: the next frame brings a new one.
    if (rc < 0 && rc != MEDIA_ENCODER_ESTATE)
        pushFailed(rc, "送入视频数据失败");
    return rc == MEDIA_ENCODER_OK;
}

void EncodeManager::encoderPushAudio(std::span<const uint8_t> buffer) {
    std::shared_lock lock(pushGuard_);
    if (!isWorking_ || !handle_)
        return;
    const size_t length = buffer.size();
    // Whole frames of 4-byte samples only; anything else would read past the end.
    const size_t frameBytes = size_t(std::max(audioChannels, 1)) * sizeof(int32_t);
    if (length == 0 || length % frameBytes != 0) {
        KTLOG("audio buffer of %zu bytes dropped", length);
        return;
    }
    // Interleaved as captured; the library copies the samples before the push returns.
    MediaAudioFrame frame{const_cast<uint8_t*>(buffer.data()), uint32_t(length), 0};
    if (const int rc = apiEncoderPushAudio(handle_, &frame); rc < 0)
        pushFailed(rc, "送入音频数据失败");
    nTotalAudiosize_ += int64_t(length);
}

void EncodeManager::pushFailed(int code, const char* what) {
    // Every push after a failed write fails the same way: one line, not one per frame.
    if (loggedPushFailure_.exchange(code) != code)
        logFailure(code, what);
    // A refused frame (out of order, wrong size) is lost alone; these end the file.
    const bool fatal =
        code == MEDIA_ENCODER_EIO || code == MEDIA_ENCODER_ECODEC || code == MEDIA_ENCODER_ENOMEM;
    if (fatal && !writeFailedReported_.exchange(true) && writeFailed)
        writeFailed();
}

int64_t EncodeManager::mediaDuration(const QString& path) {
    int64_t ms = -1;
    return apiMediaFileDuration(path.toUtf8().constData(), &ms) == MEDIA_ENCODER_OK ? ms : -1;
}

void EncodeManager::finishInterruptedFile(const QString& path) {
    if (const int rc = apiMediaFileFinish(path.toUtf8().constData()); rc < 0)
        systemLog(QString("interrupted recording %1 left as it was (%2)").arg(path).arg(rc));
}

double EncodeManager::filesize() const {
    std::shared_lock lock(pushGuard_);
    // A closed or missing encoder answers with a negative code, which is no size.
    return double(std::max<int64_t>(apiEncoderGetFileSize(handle_), 0));
}

int64_t EncodeManager::countRecordedDuration() const {
    std::shared_lock lock(pushGuard_);
    const int64_t t = std::max<int64_t>(apiEncoderGetEncodedTimestamp(handle_), 0);
    if (!isAudioOnlyMode())
        return t;
    if (audioSamples <= 0)
        return 0;
    // Whole seconds of 2-channel 4-byte audio; 64-bit so long recordings do not wrap.
    return ((nTotalAudiosize_.load() / 8) / audioSamples) * 1000;
}

int64_t EncodeManager::droppedFrames() const {
    std::shared_lock lock(pushGuard_);
    return handle_ && isWorking_ ? std::max<int64_t>(apiEncoderGetDroppedFrames(handle_), 0)
                                 : droppedAtStop_.load();
}

void EncodeManager::stopEncoderEncode() {
    {
        // A push already under way ends first; none starts afterwards.
        std::unique_lock lock(pushGuard_);
        if (!isWorking_) {
            systemLog("没有编码");
            return;
        }
        isWorking_ = false;
    }
    apiEncodePushVideoTrailer(handle_);
    apiEncodePushAudioTrailer(handle_);
    // 1 is done; a negative answer means the encoder is gone and will never be done.
    while (apiEncodeIsDone(handle_) == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(1000));
    std::unique_lock lock(pushGuard_);
    droppedAtStop_ = std::max<int64_t>(apiEncoderGetDroppedFrames(handle_), 0);
    logFailure(apiEncoderClose(handle_), "关闭编码器");
    systemLog("关闭编码器");
    handle_ = nullptr;
}
