// Watches the free space of the folder a recording is written to, once a second, and says when
// it falls below the reserve: the larger of 200 MB and ten seconds of what the recording
// currently writes, so the file can still be finished before the disk is full.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class DiskSpaceWatch : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kMinimumReserve = 200'000'000;
    static constexpr double kReserveSeconds = 10;
    static constexpr int kIntervalMs = 1000;

    // `bytesWritten` gives the size of the recording so far.
    explicit DiskSpaceWatch(std::function<double()> bytesWritten);

    // Checks `folder` now and then every second until stop().
    void start(const QString& folder);
    void stop();

    // Bytes free for this user on the volume `folder` is (or will be) on.
    static qint64 freeBytes(const QString& folder);

signals:
    void checked(qint64 freeBytes);
    // Below the reserve; said once per start().
    void runningOut(qint64 freeBytes);

private:
    void check();

    std::function<double()> bytesWritten_;
    QTimer timer_;
    QElapsedTimer sinceLast_;
    QString folder_;
    double lastBytes_ = 0;
    bool warned_ = false;
};
