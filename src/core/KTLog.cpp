#include "KTLog.h"

#include <cstdio>

#include <syslog.h>

Q_LOGGING_CATEGORY(lcKTLog, "tapedeck.diag", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSystemLog, "tapedeck")

void KTLog::showMessage(const QString& message) {
    qCDebug(lcKTLog).noquote() << message;
}

void systemLog(const QString& message) {
    qCInfo(lcSystemLog).noquote() << message;
}

namespace {

void toJournal(QtMsgType type, const QMessageLogContext&, const QString& message) {
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

void logToSystemJournal() {
    openlog("tapedeck", LOG_PID, LOG_USER);
    qInstallMessageHandler(toJournal);
}
