#include "RecordingJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cerrno>

#include <signal.h>

#include "Catalogue.h"
#include "KTLog.h"

namespace {

bool processIsAlive(qint64 pid) {
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

RecordingJournal::RecordingJournal(QString folder)
    : folder_(folder.isEmpty() ? QFileInfo(Catalogue::plistPath()).path() : std::move(folder)) {}

QString RecordingJournal::fileOf(qint64 pid) const {
    return folder_ + QString("/recording-%1.journal").arg(pid);
}

void RecordingJournal::begin(const QString& path, unsigned mode, bool isVideo) {
    const qint64 pid = QCoreApplication::applicationPid();
    const QJsonObject entry{{"path", path},
                            {"mode", int(mode)},
                            {"isVideo", isVideo},
                            {"start", QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                            {"pid", pid}};
    QSaveFile file(fileOf(pid));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(entry).toJson()) < 0 ||
        !file.commit())
        systemLog("recording journal not written: " + file.errorString());
}

void RecordingJournal::end() {
    QFile::remove(fileOf(QCoreApplication::applicationPid()));
}

std::vector<RecordingJournal::Entry> RecordingJournal::abandoned() const {
    std::vector<Entry> found;
    const QStringList files = QDir(folder_).entryList({"recording-*.journal"}, QDir::Files);
    for (const QString& name : files) {
        Entry e;
        e.file = folder_ + "/" + name;
        QFile file(e.file);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
        e.pid = o.value("pid").toInteger();
        if (processIsAlive(e.pid))
            continue;
        e.path = o.value("path").toString();
        e.mode = unsigned(o.value("mode").toInt());
        e.isVideo = o.value("isVideo").toBool(true);
        e.start = QDateTime::fromString(o.value("start").toString(), Qt::ISODateWithMs);
        found.push_back(e);
    }
    return found;
}

void RecordingJournal::remove(const Entry& entry) {
    QFile::remove(entry.file);
}
