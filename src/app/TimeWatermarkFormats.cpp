#include "TimeWatermarkFormats.h"

QStringList timeWatermarkStyles(bool englishLanguage) {
    QStringList styles{"YYYY/MM/dd HH/mm/ss"};
    if (!englishLanguage)
        styles << "YYYY年MM月dd日 HH时mm分ss秒";
    styles << "YYYY-MM-dd HH:mm:ss"
           << "YYYY-MM-dd HH:mm";
    if (!englishLanguage)
        styles << "YYYY年MM月dd日 HH时mm分";
    return styles;
}

QString qtFormatForDatePattern(const QString& pattern) {
    QString format;
    QString literal;
    const auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        format += '\'' + QString(literal).replace("'", "''") + '\'';
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        QString field;
        switch (c.unicode()) {
        case u'Y':
        case u'y':
            field = run == 2 ? "yy" : "yyyy";
            break;
        case u'M':
            field = run == 1 ? "M" : "MM";
            break;
        case u'd':
            field = run == 1 ? "d" : "dd";
            break;
        case u'H':
            field = run == 1 ? "H" : "HH";
            break;
        case u'm':
            field = run == 1 ? "m" : "mm";
            break;
        case u's':
            field = run == 1 ? "s" : "ss";
            break;
        default:
            break;
        }
        if (field.isEmpty()) {
            literal += pattern.mid(i, run);
        } else {
            flushLiteral();
            format += field;
        }
        i += run;
    }
    flushLiteral();
    return format;
}

QString timeWatermarkText(const QStringList& styles, qsizetype index, const QDateTime& now) {
    if (styles.isEmpty())
        return {};
    const QString& style = index >= 0 && index < styles.size() ? styles[index] : styles.first();
    return now.toString(qtFormatForDatePattern(style));
}
