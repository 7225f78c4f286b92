#include "DiskSpaceWatch.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

DiskSpaceWatch::DiskSpaceWatch(std::function<double()> bytesWritten)
    : bytesWritten_(std::move(bytesWritten)) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &DiskSpaceWatch::check);
}

qint64 DiskSpaceWatch::freeBytes(const QString& folder) {
    // A folder not made yet will be made on the volume of its nearest existing parent.
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot() && existing.filePath() != existing.path())
        existing.setFile(existing.path());
    return QStorageInfo(existing.filePath()).bytesAvailable();
}

void DiskSpaceWatch::start(const QString& folder) {
    folder_ = folder;
    lastBytes_ = 0;
    warned_ = false;
    sinceLast_.start();
    timer_.start();
    // A disk that is already too full is told at once, not a second into the recording.
    QTimer::singleShot(0, this, &DiskSpaceWatch::check);
}

void DiskSpaceWatch::stop() {
    timer_.stop();
    warned_ = true;
}

void DiskSpaceWatch::check() {
    if (warned_)
        return;
    const qint64 free = freeBytes(folder_);
    const double bytes = bytesWritten_();
    const double seconds = std::max(sinceLast_.restart(), qint64(1)) / 1000.0;
    const double rate = std::max(bytes - lastBytes_, 0.0) / seconds;
    lastBytes_ = bytes;
    emit checked(free);
    const double reserve = std::max(double(kMinimumReserve), kReserveSeconds * rate);
    if (free >= 0 && double(free) < reserve) {
        warned_ = true;
        emit runningOut(free);
    }
}
