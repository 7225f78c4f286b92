// Names and folders of recordings, screenshots and the catalogue.
#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

namespace OutputNames {

// The stem of an output name: local time as "yyyyMMdd_HHmmss".
QString getFileNameForNowTime(const QDateTime& now = QDateTime::currentDateTime());

// A catalogue date: local time as "yyyy/MM/dd HH:mm:ss".
QString dateToString(const QDateTime& date);

// The folder chosen in the settings window, else ~/Videos/Tapedeck; created with its parents
// when missing. A chosen folder that cannot be made gives the default.
QString outputFolder();
// The same folder, without creating it.
QString outputFolderPath();

// output folder + "/" + stem + extension (".mp4", ".png", ...). A name that exists on disk or was
// handed out before in this process gets "_2", "_3", ... after the stem, so nothing is ever
// overwritten, even for two names made within one second.
QString makeOutputPath(const QString& extension,
                       const QDateTime& now = QDateTime::currentDateTime());

// The first of path, path-with-"_2", "_3", ... that exists neither on disk nor in `taken`.
QString firstFreePath(const QString& folder, const QString& stem, const QString& extension,
                      const QSet<QString>& taken);

} // namespace OutputNames
