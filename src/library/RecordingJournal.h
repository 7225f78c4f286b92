// A small file beside the catalogue for each recording in progress (path, mode, start time,
// process), removed once the recording is finished and catalogued. A recorder that dies
// leaves its file behind, so the next launch can finish the job.
#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

class RecordingJournal {
public:
    struct Entry {
        QString path;
        unsigned mode = 0;
        bool isVideo = true;
        QDateTime start;
        qint64 pid = 0;
        QString file; // the journal file itself
    };

    // The catalogue's folder unless told otherwise.
    explicit RecordingJournal(QString folder = QString());

    // This process records `path`.
    void begin(const QString& path, unsigned mode, bool isVideo);
    // This process's recording is catalogued.
    void end();
    // The journals of processes that are gone.
    std::vector<Entry> abandoned() const;
    static void remove(const Entry& entry);

private:
    QString fileOf(qint64 pid) const;

    QString folder_;
};
