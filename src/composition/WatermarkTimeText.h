// The date and time text of the time watermark.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The style at index, or the first style when index is outside the list; empty for no styles.
QString timeFramStyle(const QStringList& styles, int index);

// when, in the local time zone, in a stored style ("YYYY-MM-dd HH:mm").
QString timeText(const QString& style, const QDateTime& when);
