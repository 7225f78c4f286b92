// The adapter against a library that records its calls.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

#include <cstring>

#include "EncodeManager.h"
#include "FakeMediaEncoder.h"

using fakeencoder::callNames;
using fakeencoder::lastCall;

namespace {

QStringList systemLines;

void captureLog(QtMsgType, const QMessageLogContext& ctx, const QString& msg) {
    if (ctx.category && QByteArray(ctx.category) == "tapedeck")
        systemLines << msg;
}

class EncodeManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setOrganizationName("Tapedeck");
        QCoreApplication::setApplicationName("Tapedeck");
        QSettings().clear();
        qInstallMessageHandler(captureLog);
        fakeencoder::reset();
        systemLines.clear();
        m.fps = 23.976f;
        m.videoBitrate = 8000;
        m.audioBitrate = EncodeManager::kAudioBitrate;
        m.audioChannels = 2;
        m.audioSamples = 44100;
        m.splitTime = 20;
        m.splitSize = 10;
    }
    void TearDown() override { qInstallMessageHandler(nullptr); }

    // The session controller's order for a recording.
    void start(bool audio = true, bool video = true) {
        m.initHandle();
        m.setOutputPath("/r/a.mp4");
        m.setImageSize(1280.9, 720.2);
        if (audio)
            m.setUpAudioSettings();
        if (video)
            m.setUpVideoSettings();
        m.setOutputPath("/r/a.mp4");
        m.startEncoderEncode();
    }
    void pushAudio(const void* data, size_t bytes) {
        m.encoderPushAudio({static_cast<const uint8_t*>(data), bytes});
    }

    EncodeManager m; // made before SetUp, so its own handle is left out of the counts
    uint8_t pixels[16] = {};
    MediaVideoFrame frame{1005, 2, 2, 8, pixels, 16, 0};
};

} // namespace

TEST_F(EncodeManagerTest, CallsTheLibraryInTheRecordingOrder) {
    start();
    // The constructor's handle is released when the recording gets its own.
    QStringList got;
    for (const std::string& name : callNames())
        got << QString::fromStdString(name);
    if (got.value(0) == "Close")
        got.removeFirst();
    EXPECT_EQ(got, QString("Create SetOutputPath SetAudioSrcContext SetAudioBitrate "
                           "SetAudioEncodeContext SetImageSize SetImageFormat SetOutputSize SetFps "
                           "SetVideoBitrate SetOutputPath SetLimitTime SetLimitSize Encode")
                       .split(' '));
    EXPECT_EQ(lastCall("SetImageSize")->args, (std::vector<double>{1280, 720}));
    EXPECT_EQ(lastCall("SetOutputSize")->args, (std::vector<double>{1280, 720}));
    EXPECT_EQ(lastCall("SetImageFormat")->args, (std::vector<double>{1000}));
    EXPECT_NEAR(lastCall("SetFps")->args[0], 23.976, 1e-5);
    EXPECT_EQ(lastCall("SetVideoBitrate")->args[0], 8000);
    EXPECT_EQ(lastCall("SetAudioSrcContext")->args, (std::vector<double>{2, 44100, 2}));
    EXPECT_EQ(lastCall("SetAudioBitrate")->args[0], 128);
    EXPECT_EQ(lastCall("SetAudioEncodeContext")->args, (std::vector<double>{2, 44100}));
    EXPECT_EQ(lastCall("SetOutputPath")->text, "/r/a.mp4");
    EXPECT_TRUE(m.isWorking());
    EXPECT_TRUE(systemLines.contains("====开始编码"));

    // Video times are truncated milliseconds.
    for (const auto& [pts, sent] : {std::pair{33.9, 33.0}, {1e10 + 0.7, 1e10}}) {
        m.encoderPushVideo(&frame, pts);
        EXPECT_EQ(lastCall("PushVideo")->args[2], sent);
    }
    fakeencoder::state().results["PushVideo"] = -8;
    m.encoderPushVideo(&frame, 40);
    EXPECT_EQ(systemLines.last(), "错误码:-8 ->描述：送入视频数据失败");
}

TEST_F(EncodeManagerTest, SplitTypeChoosesTheLimits) {
    struct Case {
        QVariant type;
        double time, size;
    } cases[] = {{QVariant(), 0, 0}, {0, 0, 0}, {1, 20, 0}, {2, 0, 10}, {3, 0, 0}};
    for (const Case& c : cases) {
        QSettings().setValue("SplitType", c.type);
        if (!c.type.isValid())
            QSettings().remove("SplitType");
        m.setSplit();
        EXPECT_EQ(lastCall("SetLimitTime")->args[0], c.time) << c.type.toInt();
        EXPECT_EQ(lastCall("SetLimitSize")->args[0], c.size) << c.type.toInt();
    }
    EXPECT_TRUE(systemLines.last().startsWith("设置大小分段，setSplit:line:"));
    EXPECT_TRUE(systemLines.last().endsWith(" time:10"));
}

TEST_F(EncodeManagerTest, FailuresAreLoggedWithTheirCodes) {
    for (const char* call :
         {"SetOutputPath", "SetImageSize", "SetImageFormat", "SetOutputSize", "SetFps",
          "SetVideoBitrate", "SetAudioSrcContext", "SetAudioBitrate", "SetAudioEncodeContext"})
        fakeencoder::state().results[call] = -2;
    fakeencoder::state().results["SetLimitTime"] = 0;
    fakeencoder::state().results["SetLimitSize"] = -1;
    fakeencoder::state().results["Encode"] = -5;
    start();
    const QStringList want = {
        "错误码:-2 ->描述：设置输出路径",         "错误码:-2 ->描述：设置音频源数据格式",
        "错误码:-2 ->描述：设置音频码率",         "错误码:-2 ->描述：设置音频输出声道和采样率",
        "错误码:-2 ->描述：设置初始数据源帧大小", "错误码:-2 ->描述：设置输出格式",
        "错误码:-2 ->描述：设置输出文件帧大小",   "错误码:-2 ->描述：设置视频帧率",
        "错误码:-2 ->描述：设置视频码率",         "错误码:-2 ->描述：设置输出路径"};
    ASSERT_GE(systemLines.size(), want.size() + 3);
    EXPECT_EQ(systemLines.mid(0, want.size()), want);
    EXPECT_TRUE(systemLines[want.size()].startsWith("设置时间分段失败，setSplit:line:"));
    EXPECT_TRUE(systemLines[want.size() + 1].startsWith("设置大小分段失败，setSplit:line:"));
    EXPECT_EQ(systemLines[want.size() + 2], "错误码:-5 ->描述：开始编码失败");

    // A failed start pushes nothing, and stop only logs.
    EXPECT_FALSE(m.isWorking());
    m.encoderPushVideo(&frame, 10);
    pushAudio(pixels, sizeof pixels);
    m.stopEncoderEncode();
    EXPECT_EQ(fakeencoder::count("PushVideo") + fakeencoder::count("PushAudio") +
                  fakeencoder::count("PushVideoTrailer"),
              0);
    EXPECT_EQ(m.nTotalAudiosize(), 0);
    EXPECT_EQ(systemLines.last(), "没有编码");
}

// Once the file cannot be written every push fails: one line and one report, not one per frame.
TEST_F(EncodeManagerTest, AFailedWriteIsReportedOnce) {
    int reports = 0;
    m.writeFailed = [&] { ++reports; };
    start();
    systemLines.clear();
    fakeencoder::state().results["PushVideo"] = MEDIA_ENCODER_EIO;
    fakeencoder::state().results["PushAudio"] = MEDIA_ENCODER_EIO;
    for (int i = 0; i < 30; ++i) {
        m.encoderPushVideo(&frame, 10.0 * i);
        pushAudio(pixels, sizeof pixels);
    }
    EXPECT_EQ(systemLines, QStringList{"错误码:-5 ->描述：送入视频数据失败"});
    EXPECT_EQ(reports, 1);
}

TEST_F(EncodeManagerTest, InterleavedSoundIsPushedAsItCame) {
    start(true, false);
    const int32_t interleaved[6] = {1, 101, 2, 102, 3, 103};
    pushAudio(interleaved, sizeof interleaved);
    const fakeencoder::Call* push = lastCall("PushAudio");
    ASSERT_NE(push, nullptr);
    ASSERT_EQ(push->bytes.size(), sizeof interleaved);
    EXPECT_EQ(0, std::memcmp(push->bytes.data(), interleaved, sizeof interleaved));
    EXPECT_EQ(m.nTotalAudiosize(), 24);

    // A failed push still counts; a buffer that does not hold whole frames is not pushed.
    fakeencoder::state().results["PushAudio"] = -3;
    pushAudio(interleaved, sizeof interleaved);
    EXPECT_EQ(m.nTotalAudiosize(), 48);
    EXPECT_EQ(systemLines.last(), "错误码:-3 ->描述：送入音频数据失败");
    const int before = fakeencoder::count("PushAudio");
    pushAudio(interleaved, 4);
    pushAudio(interleaved, 12);
    EXPECT_EQ(fakeencoder::count("PushAudio"), before);
    EXPECT_EQ(m.nTotalAudiosize(), 48);
}

TEST_F(EncodeManagerTest, RecordedDurationByMode) {
    bool audioOnly = false;
    m.isAudioOnlyMode = [&] { return audioOnly; };
    start(true, false);
    fakeencoder::state().encodedTimestamp = 61234;
    EXPECT_EQ(m.countRecordedDuration(), 61234);

    audioOnly = true;
    std::vector<uint8_t> second(44100 * 8);
    m.encoderPushAudio(second);
    EXPECT_EQ(m.countRecordedDuration(), 1000);
    m.encoderPushAudio({second.data(), second.size() / 2}); // 1.5 s: still whole seconds
    EXPECT_EQ(m.countRecordedDuration(), 1000);
    m.encoderPushAudio({second.data(), second.size() / 2});
    EXPECT_EQ(m.countRecordedDuration(), 2000);
    // Beyond 2^31 bytes (an hour and 41 minutes) the count must not wrap.
    for (int i = 0; i < 6200; ++i)
        m.encoderPushAudio(second);
    EXPECT_GT(m.nTotalAudiosize(), int64_t(1) << 31);
    EXPECT_EQ(m.countRecordedDuration(), 6202 * 1000);
}

TEST_F(EncodeManagerTest, StopWaitsUntilTheFileIsDoneOrTheEncoderIsGone) {
    start();
    fakeencoder::state().doneAfterPolls = 2;
    fakeencoder::state().results["Close"] = -5;
    m.stopEncoderEncode();
    std::vector<std::string> got = callNames();
    EXPECT_EQ(std::vector<std::string>(got.end() - 6, got.end()),
              (std::vector<std::string>{"PushVideoTrailer", "PushAudioTrailer", "IsDone", "IsDone",
                                        "IsDone", "Close"}));
    EXPECT_FALSE(m.isWorking());
    EXPECT_EQ(m.handle(), nullptr);
    EXPECT_EQ(systemLines.mid(systemLines.size() - 2),
              (QStringList{"错误码:-5 ->描述：关闭编码器", "关闭编码器"}));

    start();
    fakeencoder::state().results["IsDone"] = -1;
    const int polls = fakeencoder::count("IsDone");
    m.stopEncoderEncode(); // returns instead of polling for ever
    EXPECT_EQ(fakeencoder::count("IsDone"), polls + 1);
}
