#include "KTLog.h"

#include <atomic>
#include <cstdio>
#include <utility>

#include <syslog.h>

Q_LOGGING_CATEGORY(lcKTLog, "tapedeck.diag", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSystemLog, "tapedeck")

void KTLog::showMessage(const QString& message) {
    qCDebug(lcKTLog).noquote() << message;
}

namespace {

std::atomic<bool> toSyslog{false};
std::function<void()> displayLost;

} // namespace

void systemLog(const QString& message) {
    // Straight to the journal once it is ours: these lines are also written while Qt's own
    // handler runs (a display that went away), when Qt would print them on the terminal.
    if (toSyslog)
        syslog(LOG_INFO, "%s", message.toUtf8().constData());
    else
        qCInfo(lcSystemLog).noquote() << message;
}

namespace {

void toJournal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    // Qt's X11 plugin says this and then exits the process at once.
    if (displayLost && message.startsWith("The X11 connection broke"))
        std::exchange(displayLost, {})();
    // Qt aborts after a fatal message: that one is for the terminal too.
    if (type == QtFatalMsg)
        std::fprintf(stderr, "tapedeck: %s\n", message.toLocal8Bit().constData());
    const int priority = type == QtFatalMsg      ? LOG_CRIT
                         : type == QtCriticalMsg ? LOG_ERR
                         : type == QtWarningMsg  ? LOG_WARNING
                         : type == QtDebugMsg    ? LOG_DEBUG
                                                 : LOG_INFO;
    syslog(priority, "%s", message.toUtf8().constData());
}

} // namespace

void setDisplayLostHandler(std::function<void()> handler) {
    displayLost = std::move(handler);
}

void logToSystemJournal() {
    openlog("tapedeck", LOG_PID, LOG_USER);
    qInstallMessageHandler(toJournal);
    toSyslog = true;
}
