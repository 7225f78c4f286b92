// Date patterns of the time watermark and their rendering.
#pragma once

#include <QDateTime>
#include <QStringList>

// The patterns offered; the two Chinese ones only when the interface is not English.
QStringList timeWatermarkStyles(bool englishLanguage);

// Qt date format for a pattern in the "yyyy MM dd HH mm ss" pattern language. "Y" runs are
// rendered with the calendar year: the week-based year they stand for would show the wrong
// year in the last days of December and the first of January.
QString qtFormatForDatePattern(const QString& pattern);

// The time text for a frame: styles[index] (the first style when the index is out of range)
// applied to `now`.
QString timeWatermarkText(const QStringList& styles, qsizetype index, const QDateTime& now);
