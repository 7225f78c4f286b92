#include "WatermarkTimeText.h"

QString timeFramStyle(const QStringList& styles, int index) {
    if (styles.isEmpty())
        return {};
    return index >= 0 && index < styles.size() ? styles[index] : styles.first();
}

QString timeText(const QString& style, const QDateTime& when) {
    // The stored styles write the year "YYYY", which in date-pattern terms is the week-based
    // year and is a year ahead in the last days of December; the calendar year is meant.
    QString format = style;
    format.replace(QLatin1Char('Y'), QLatin1Char('y'));
    return when.toLocalTime().toString(format);
}
