#include "EZAudioUtilities.h"

#include <cctype>
#include <cstdio>

QString EZAudioUtilities::statusText(int32_t result) {
    const uint32_t bits = uint32_t(result);
    char code[4];
    for (int i = 0; i < 4; ++i) {
        code[i] = char((bits >> (24 - 8 * i)) & 0xff);
        if (!std::isprint(static_cast<unsigned char>(code[i])))
            return QString::number(result);
    }
    return "'" + QString::fromLatin1(code, 4) + "'";
}

void EZAudioUtilities::checkResult(int32_t result, const char* operation) {
    if (result == 0)
        return;
    std::fprintf(stderr, "Error: %s (%s)\n", operation, statusText(result).toUtf8().constData());
}
