#include "KTLog.h"

Q_LOGGING_CATEGORY(lcKTLog, "tapedeck.diag", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSystemLog, "tapedeck")

void KTLog::showMessage(const QString& message) {
    qCDebug(lcKTLog).noquote() << message;
}

void systemLog(const QString& message) {
    qCInfo(lcSystemLog).noquote() << message;
}
