// The recordings list: its column texts, the double-press timing, deleting, and what it refuses
// to hand to the desktop.
#include "Catalogue.h"
#include "FileListWindowController.h"
#include "FileTableModel.h"
#include "FileTableView.h"
#include "OutputNames.h"
#include "TestApplication.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(FileListTest, RowsShowDurationAndSizeAndNoDurationForPictures) {
    const std::pair<double, const char*> durations[] = {
        {3725.9, "01:02:05"}, {59.99, "00:00:59"}, {0, "00:00:00"}, {216001, "00:00:01"}};
    for (const auto& [seconds, text] : durations)
        EXPECT_EQ(FileTableModel::durationText(seconds), text) << seconds;
    const std::pair<double, const char*> sizes[] = {
        {12345678, "12.35 M"}, {0, "0.00 M"}, {4999.9, "0.00 M"}, {2e9, "2000.00 M"}};
    for (const auto& [bytes, text] : sizes)
        EXPECT_EQ(FileTableModel::sizeText(bytes), text) << bytes;

    FileTableModel model;
    model.setItems(
        {Catalogue::recordingEntry("/v/a.mp4", 3725.9, 12345678, "2024/01/02 03:04:05", true),
         Catalogue::screenshotEntry("/v/b.png", 777, "2024/01/02 03:04:06")});
    const auto text = [&](int row, int column) {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(QStringList({text(0, 0), text(0, 1), text(0, 2), text(0, 3)}),
              QStringList({"a.mp4", "01:02:05", "12.35 M", "2024/01/02 03:04:05"}));
    EXPECT_EQ(text(1, 1), "");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Duration");
}

TEST(FileListTest, ASecondPressOnTheSameRowWithinAFifthOfASecondOpensIt) {
    struct Case {
        int row;
        double t;
        bool opens;
    } presses[] = {{0, 10.0, false},  {0, 10.15, true},  {0, 10.40, false},
                   {0, 10.65, false}, {1, 10.70, false}, {0, 10.75, false}};
    RowPressTiming timing;
    for (const Case& p : presses)
        EXPECT_EQ(timing.press(p.row, p.t), p.opens) << p.row << " at " << p.t;
}

struct ListWindow {
    ListWindow() {
        freshPreferences();
        QFile::remove(Catalogue::plistPath());
        window.setUPData();
    }
    QPushButton* button(const QString& text) {
        for (QPushButton* b : window.findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    // The text of the alert `action` brings up, which is then closed.
    QString alertFrom(const std::function<void()>& action) {
        QString text;
        QObject scope; // no alert: the check goes with this call
        QTimer::singleShot(0, &scope, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->close();
            }
        });
        action();
        return text;
    }
    FileListWindowController window;
};

TEST(FileListTest, DeleteRemovesFileAndEntryThenTheRowButtonsWaitForASelection) {
    ListWindow list;
    const QString folder = OutputNames::outputFolder();
    const QString kept = folder + "/kept.mp4", gone = folder + "/gone.mp4";
    for (const QString& path : {kept, gone}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        Catalogue().insert(Catalogue::recordingEntry(path, 1, 4, "2024/01/02 03:04:05", true));
    }
    list.window.setUPData();
    QPushButton* remove = list.button("Delete");
    ASSERT_NE(remove, nullptr);
    EXPECT_FALSE(remove->isEnabled());
    list.window.tableView()->selectRow(0);
    ASSERT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_FALSE(QFile::exists(gone));
    EXPECT_TRUE(QFile::exists(kept));
    ASSERT_EQ(Catalogue().read()->size(), 1);
    EXPECT_EQ(Catalogue().read()->first().toMap().value("path"), kept);
    EXPECT_EQ(list.window.tableView()->selectedRow(), -1);
    for (const char* name : {"Open", "Edit", "Delete"})
        EXPECT_FALSE(list.button(name)->isEnabled()) << name;
}

TEST(FileListTest, OnlyRecordingFilesGoToTheDesktopOthersAreRefused) {
    ListWindow list;
    const QString folder = OutputNames::outputFolder();
    QFile(folder + "/notes.txt").open(QIODevice::WriteOnly);
    QDir(folder).mkdir("folder.mp4");
    QFile::link(folder + "/notes.txt", folder + "/link.mp4");
    for (const QString name : {"missing.mp4", "notes.txt", "folder.mp4", "link.mp4"}) {
        Catalogue().insert(
            Catalogue::recordingEntry(folder + "/" + name, 1, 4, "2024/01/02 03:04:05", true));
        list.window.setUPData();
        list.window.tableView()->selectRow(0);
        EXPECT_EQ(list.alertFrom([&] { list.window.playBtnAction(); }),
                  "This file cannot be opened. It may have been moved or deleted.")
            << name.toStdString();
    }
}

} // namespace
