#include "OutputNames.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QDateTime someSecond(QDate(2024, 3, 5), QTime(14, 15, 2, 700));

TEST(OutputNames, StemAndCatalogueDateUseLocalTime) {
    EXPECT_EQ(OutputNames::getFileNameForNowTime(someSecond), "20240305_141502");
    EXPECT_EQ(OutputNames::dateToString(someSecond), "2024/03/05 14:15:02");
    const QDateTime utc = someSecond.toUTC();
    EXPECT_EQ(OutputNames::getFileNameForNowTime(utc), "20240305_141502");
}

TEST(OutputNames, NamesInOneSecondNeverRepeatNorMeetFilesOnDisk) {
    const QDateTime second(QDate(2024, 3, 5), QTime(9, 0, 0));
    const QString folder = QDir::homePath() + "/Videos/Tapedeck";
    QDir(folder).removeRecursively();
    EXPECT_EQ(OutputNames::outputFolder(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(OutputNames::makeOutputPath(".mp4", second), folder + "/20240305_090000.mp4");
    EXPECT_EQ(OutputNames::makeOutputPath(".mp4", second), folder + "/20240305_090000_2.mp4");
    EXPECT_EQ(OutputNames::makeOutputPath(".mp3", second), folder + "/20240305_090000.mp3");
    for (const char* name : {"20240305_090000.png", "20240305_090000_2.png"})
        ASSERT_TRUE(QFile(folder + "/" + name).open(QIODevice::WriteOnly));
    EXPECT_EQ(OutputNames::makeOutputPath(".png", second), folder + "/20240305_090000_3.png");
    // The folder chosen in the settings window takes the names from then on.
    const QString chosen = QDir::homePath() + "/Chosen/Deep";
    Preferences::shared().setValue(PrefKey::RecordingsFolder, chosen);
    EXPECT_EQ(OutputNames::makeOutputPath(".mp4", second), chosen + "/20240305_090000.mp4");
    Preferences::shared().remove(PrefKey::RecordingsFolder);
}

} // namespace
