// Device records and lists over a fake audio system, and the status rendering.
#include <gtest/gtest.h>

#include <QStringList>

#include "EZAudioDevice.h"
#include "EZAudioUtilities.h"
#include "FakeAudioSystem.h"

namespace {

class EZAudio : public ::testing::Test {
protected:
    void SetUp() override { EZAudioDevice::setAudioSystem(&fake); }
    void TearDown() override { EZAudioDevice::setAudioSystem(nullptr); }
    FakeAudioSystem fake;
};

QStringList names(const std::vector<EZAudioDevice>& list) {
    QStringList out;
    for (const EZAudioDevice& d : list)
        out << d.name;
    return out;
}

} // namespace

TEST_F(EZAudio, ListsFilterByScopeInPlatformOrder) {
    fake.add("spk", "Built-in Output", 0, 2);
    fake.add("mic", "Built-in Microphone", 1, 0);
    fake.add("bh", "BlackHole 2ch", 2, 2);
    fake.add("none", "Dead", 0, 0);
    EXPECT_EQ(names(EZAudioDevice::devices()),
              QStringList({"Built-in Output", "Built-in Microphone", "BlackHole 2ch", "Dead"}));
    EXPECT_EQ(names(EZAudioDevice::inputDevices()),
              QStringList({"Built-in Microphone", "BlackHole 2ch"}));
    EXPECT_EQ(names(EZAudioDevice::outputDevices()),
              QStringList({"Built-in Output", "BlackHole 2ch"}));
}

TEST_F(EZAudio, ListsAreReadAfreshAtEveryCall) {
    EXPECT_TRUE(EZAudioDevice::inputDevices().empty());
    fake.add("mic", "Built-in Microphone", 1, 0);
    EXPECT_EQ(EZAudioDevice::inputDevices().size(), 1u);
    fake.list.clear();
    EXPECT_TRUE(EZAudioDevice::devices().empty());
    EXPECT_EQ(fake.calls["devices"], 3);
}

TEST_F(EZAudio, EnumerationStopsWhenAsked) {
    for (int i = 0; i < 5; ++i)
        fake.add(QString::number(i), "d", 1, 1);
    int seen = 0;
    EZAudioDevice::enumerateDevicesUsingBlock(
        [&](const EZAudioDevice&, bool* stop) { *stop = ++seen == 2; });
    EXPECT_EQ(seen, 2);
}

TEST_F(EZAudio, EqualityIsByUID) {
    fake.add("mic", "Built-in Microphone", 1, 0);
    fake.add("spk", "Built-in Microphone", 1, 0); // same name, other device
    EZAudioDevice first = EZAudioDevice::inputDevices()[0];
    fake.list[0].name = "Renamed";
    EXPECT_EQ(first, EZAudioDevice::inputDevices()[0]);
    EXPECT_FALSE(first == EZAudioDevice::inputDevices()[1]);
}

TEST_F(EZAudio, UnreadableStringsBecomeAQuestionMark) {
    AudioDeviceDescription d;
    d.manufacturer = QString();
    EZAudioDevice record(d);
    EXPECT_EQ(record.name, "?");
    EXPECT_EQ(record.UID, "?");
    EXPECT_EQ(record.manufacturer, "?");
}

TEST_F(EZAudio, DescriptionNamesEveryField) {
    fake.add("BlackHole2ch_UID", "BlackHole 2ch", 2, 2);
    fake.list[0].manufacturer = "Existential Audio";
    fake.list[0].deviceID = 42;
    EZAudioDevice d = EZAudioDevice::devices()[0];
    QString text = d.description();
    EXPECT_TRUE(text.startsWith("<EZAudioDevice: 0x")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("> { deviceID: 42, manufacturer: Existential Audio, name: BlackHole "
                              "2ch, UID: BlackHole2ch_UID, inputChannelCount: 2, "
                              "outputChannelCount: 2 }"))
        << text.toStdString();
}

TEST_F(EZAudio, CurrentDevicesFollowTheSystemDefaults) {
    fake.add("spk", "Built-in Output", 0, 2);
    fake.add("mic", "Built-in Microphone", 1, 0);
    EXPECT_FALSE(EZAudioDevice::currentInputDevice());
    fake.defaultInput = "mic";
    fake.defaultOutput = "spk";
    EXPECT_EQ(EZAudioDevice::currentInputDevice()->name, "Built-in Microphone");
    EXPECT_EQ(EZAudioDevice::currentOutputDevice()->name, "Built-in Output");
}

TEST(EZAudioNoSystem, EverythingIsEmpty) {
    EZAudioDevice::setAudioSystem(nullptr);
    EXPECT_TRUE(EZAudioDevice::devices().empty());
    EXPECT_FALSE(EZAudioDevice::currentOutputDevice());
}

TEST(EZAudioUtilities, StatusRendering) {
    struct Case {
        int32_t status;
        const char* text;
    } cases[] = {
        {int32_t(0x6e6f7065), "'nope'"},     {-50, "-50"}, {int32_t(0x21646174), "'!dat'"},
        {int32_t(0x77686f3f), "'who?'"},     {6, "6"},     {int32_t(0x6e6f0a65), "1852770917"},
        {int32_t(0x80000000), "-2147483648"}};
    for (const Case& c : cases)
        EXPECT_EQ(EZAudioUtilities::statusText(c.status), c.text) << c.status;
}

TEST(EZAudioUtilities, CheckResultReportsAndCarriesOn) {
    testing::internal::CaptureStderr();
    EZAudioUtilities::checkResult(0, "Quiet");
    EZAudioUtilities::checkResult(int32_t(0x6e6f7065), "Failed to get data size");
    EZAudioUtilities::checkResult(-50, "Failed to get device device on OSX");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Failed to get data size ('nope')\n"
              "Error: Failed to get device device on OSX (-50)\n");
}
