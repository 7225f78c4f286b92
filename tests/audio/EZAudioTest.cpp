// Device records and lists over a fake audio system, and the status rendering.
#include <gtest/gtest.h>

#include <QStringList>

#include "EZAudioDevice.h"
#include "EZAudioUtilities.h"
#include "FakeAudioSystem.h"

namespace {

QStringList names(const std::vector<EZAudioDevice>& list) {
    QStringList out;
    for (const EZAudioDevice& d : list)
        out << d.name;
    return out;
}

} // namespace

TEST(EZAudio, ListsAreFreshAndFilteredByScopeInPlatformOrder) {
    FakeAudioSystem fake;
    EXPECT_TRUE(EZAudioDevice::inputDevices(fake).empty());
    EXPECT_FALSE(EZAudioDevice::currentOutputDevice(fake));
    fake.add("spk", "Built-in Output", 0, 2);
    fake.add("mic", "Built-in Microphone", 1, 0);
    fake.add("bh", "BlackHole 2ch", 2, 2);
    fake.add("none", "Dead", 0, 0);
    EXPECT_EQ(names(EZAudioDevice::devices(fake)),
              QStringList({"Built-in Output", "Built-in Microphone", "BlackHole 2ch", "Dead"}));
    EXPECT_EQ(names(EZAudioDevice::inputDevices(fake)),
              QStringList({"Built-in Microphone", "BlackHole 2ch"}));
    EXPECT_EQ(names(EZAudioDevice::outputDevices(fake)),
              QStringList({"Built-in Output", "BlackHole 2ch"}));
    int seen = 0;
    EZAudioDevice::enumerateDevicesUsingBlock(
        fake, [&](const EZAudioDevice&, bool* stop) { *stop = ++seen == 2; });
    EXPECT_EQ(seen, 2);
    fake.defaultInput = "mic";
    fake.defaultOutput = "spk";
    EXPECT_EQ(EZAudioDevice::currentInputDevice(fake)->name, "Built-in Microphone");
    EXPECT_EQ(EZAudioDevice::currentOutputDevice(fake)->name, "Built-in Output");
}

TEST(EZAudio, RecordsCompareByUIDAndUnreadableFieldsShowAsQuestionMarks) {
    AudioDeviceDescription d;
    d.manufacturer = QString();
    const EZAudioDevice unreadable(d);
    EXPECT_EQ(unreadable.name + unreadable.UID + unreadable.manufacturer, "???");
    d.UID = "BlackHole2ch_UID";
    d.name = "BlackHole 2ch";
    const EZAudioDevice a(d);
    d.name = "Renamed";
    EXPECT_EQ(a, EZAudioDevice(d));
    d.UID = "other";
    EXPECT_FALSE(a == EZAudioDevice(d));
}

TEST(EZAudioUtilities, StatusRenderingAndReport) {
    struct Case {
        int32_t status;
        const char* text;
    } cases[] = {
        {int32_t(0x6e6f7065), "'nope'"},     {-50, "-50"}, {int32_t(0x21646174), "'!dat'"},
        {int32_t(0x77686f3f), "'who?'"},     {6, "6"},     {int32_t(0x6e6f0a65), "1852770917"},
        {int32_t(0x80000000), "-2147483648"}};
    for (const Case& c : cases)
        EXPECT_EQ(EZAudioUtilities::statusText(c.status), c.text) << c.status;
    testing::internal::CaptureStderr();
    EZAudioUtilities::checkResult(0, "Quiet");
    EZAudioUtilities::checkResult(-50, "Failed to get device device on OSX");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Failed to get device device on OSX (-50)\n");
}
