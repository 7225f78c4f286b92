// SIGINT and SIGTERM as a Qt signal on the main thread. The handler only writes the signal's
// number into a pipe; the event loop reads it there, so the stop never runs inside a handler.
#pragma once

#include <QObject>

#include <csignal>
#include <memory>

class QSocketNotifier;

class StopSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one instance at a time.
    StopSignals();
    // Puts the previous handlers back.
    ~StopSignals() override;

signals:
    void stopRequested(int signalNumber);

private:
    void readPipe();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};
