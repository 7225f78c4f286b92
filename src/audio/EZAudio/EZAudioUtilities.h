// Turning a failed platform audio call into a readable message. It only reports: a failed call
// never ends the process.
#pragma once

#include <QString>

#include <cstdint>

class EZAudioUtilities {
public:
    // Nothing for status 0; otherwise writes "Error: <operation> (<status>)" to standard error.
    static void checkResult(int32_t result, const char* operation);
    // The status as a four-character code in single quotes when its four big-endian bytes are
    // all printable, else as a signed decimal number.
    static QString statusText(int32_t result);
};
