#include "SnipUtil.h"

#include "Displays.h"

#include <cmath>

namespace {

// The screen at the origin of both coordinate systems: the first whose frame starts at (0, 0),
// else the main screen.
double primaryHeight(const Displays& displays) {
    for (const DisplayInfo& screen : displays.screens()) {
        if (int(screen.frame.x()) == 0 && int(screen.frame.y()) == 0)
            return screen.frame.height();
    }
    const std::optional<DisplayInfo> main = displays.mainScreen();
    return main ? main->frame.height() : 0;
}

} // namespace

QRectF SnipUtil::cgWindowRectToScreenRect(const QRectF& rect, const Displays& displays) {
    return {rect.x(), primaryHeight(displays) - (rect.y() + rect.height()), rect.width(),
            rect.height()};
}

bool SnipUtil::isPoint(const QPointF& point, const QRectF& rect) {
    return point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top() &&
           point.y() < rect.bottom();
}

double SnipUtil::roundedDownTo4(double value) {
    return std::floor(value / 4) * 4;
}
