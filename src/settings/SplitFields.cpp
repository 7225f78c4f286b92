#include "SplitFields.h"

#include <algorithm>

QString splitFieldText(const QString& text, bool time) {
    const qint64 limit = time ? 1000 : 10000;
    bool number = false;
    const qint64 value = text.toLongLong(&number);
    return number && value > limit ? QString::number(limit - 1) : text;
}

int32_t splitFieldValue(const QString& text, bool time) {
    const qint64 most = time ? 999 : 9999;
    return int32_t(std::clamp<qint64>(text.toLongLong(), 0, most));
}
