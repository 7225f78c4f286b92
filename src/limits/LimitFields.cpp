#include "LimitFields.h"

#include <algorithm>

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

} // namespace

QString limitFieldText(const QString& text) {
    if (allDigits(text))
        return text;
    QString digits;
    for (QChar c : text)
        if (isDigit(c))
            digits += c;
    return QString::number(digits.toLongLong());
}

QString timeFieldText(const QString& text) {
    if (text.isEmpty() || !allDigits(text))
        return "00";
    return text.toInt() > 60 ? "59" : text;
}
