#include "TestProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

SpawnedProcess::SpawnedProcess(const QString& program, const QStringList& arguments) {
    std::vector<QByteArray> storage{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        m_pid = pid;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    m_outputFd = pipeFds[0];
}

SpawnedProcess::~SpawnedProcess() {
    kill();
    if (m_outputFd >= 0)
        close(m_outputFd);
}

int SpawnedProcess::finish(QByteArray* output) {
    char buffer[4096];
    ssize_t n;
    while (m_outputFd >= 0 && (n = read(m_outputFd, buffer, sizeof buffer)) > 0) {
        if (output)
            output->append(buffer, n);
    }
    if (m_pid <= 0)
        return -1;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void SpawnedProcess::kill() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

QString runTool(const QString& program, const QStringList& arguments, int* status) {
    SpawnedProcess process(program, arguments);
    QByteArray output;
    const int exit = process.finish(&output);
    if (status)
        *status = exit;
    return QString::fromLocal8Bit(output);
}
