// Programs a test runs: started with posix_spawn, which ThreadSanitizer follows in a threaded
// process; QProcess forks in a way it does not, and then reports races that are none.
#pragma once

#include <QString>
#include <QStringList>

// A program left running; its standard output is readable on outputFd. Killed when destroyed.
class SpawnedProcess {
public:
    SpawnedProcess(const QString& program, const QStringList& arguments);
    ~SpawnedProcess();
    SpawnedProcess(const SpawnedProcess&) = delete;
    SpawnedProcess& operator=(const SpawnedProcess&) = delete;

    bool started() const { return m_pid > 0; }
    int outputFd() const { return m_outputFd; }
    // Reads the output to its end, waits for the program and returns its exit status (-1 when
    // it did not start or did not exit normally).
    int finish(QByteArray* output = nullptr);
    // Kills the program and waits for it to end.
    void kill();

private:
    int m_pid = -1;
    int m_outputFd = -1;
};

// Runs a program to its end and returns its standard output; the exit status in *status.
QString runTool(const QString& program, const QStringList& arguments, int* status = nullptr);
