// The attached displays, as the rest of Tapedeck sees them.
#pragma once

#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

struct DisplayInfo {
    // Global points, origin at the bottom left of the primary display, y up.
    QRectF frame;
    // The display's "NSScreenNumber": stable while the display stays attached.
    uint32_t number = 0;
    bool builtIn = false;
    QString name;

    bool operator==(const DisplayInfo&) const = default;
};

class Displays {
public:
    virtual ~Displays() = default;

    // Every attached display, the primary one first.
    virtual std::vector<DisplayInfo> screens() const = 0;
    // The primary display; none only when no display is attached at all.
    virtual std::optional<DisplayInfo> mainScreen() const = 0;
    // The first display, in screens() order, whose frame contains the pointer.
    virtual std::optional<DisplayInfo> currentScreenForMouseLocation() const = 0;
};
