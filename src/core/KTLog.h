// Two log sinks. KTLog is the diagnostic sink: category "tapedeck.diag", silent unless enabled
// with QT_LOGGING_RULES="tapedeck.diag.debug=true". The system log is Qt's default output
// (stderr, or the journal when the desktop started us).
#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcKTLog)
Q_DECLARE_LOGGING_CATEGORY(lcSystemLog)

namespace KTLog {
void showMessage(const QString& message);
}

// Writes a line to the system log.
void systemLog(const QString& message);

// From now on every log line of the process (ours and Qt's) goes to the system journal
// (syslog), not the terminal, which keeps what the user is told. Fatal messages still abort.
void logToSystemJournal();

// Called once, on the main thread, when the display connection is found broken, right before
// the windowing system ends the process: the last moment to finish what is being written.
void setDisplayLostHandler(std::function<void()> handler);

// Diagnostic line prefixed "<function> <line> ", the way every caller formats it.
#define KTLOG(fmt, ...)                                                                            \
    KTLog::showMessage(                                                                            \
        QString::asprintf("%s %d " fmt, __func__, __LINE__ __VA_OPT__(, ) __VA_ARGS__))
