#include "QtScreenDisplays.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "CoordinateSpace.h"

namespace {
CoordinateSpace space() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return CoordinateSpace(primary ? primary->geometry() : QRect());
}
} // namespace

std::vector<DisplayInfo> QtScreenDisplays::screens() const {
    std::vector<DisplayInfo> result;
    const QList<QScreen*> all = QGuiApplication::screens();
    const CoordinateSpace s = space();
    uint32_t number = 0;
    for (QScreen* screen : all) {
        ++number;
        DisplayInfo info{s.toBottomLeft(screen->geometry()), number, false, screen->name()};
        if (screen == QGuiApplication::primaryScreen())
            result.insert(result.begin(), info);
        else
            result.push_back(info);
    }
    return result;
}

std::optional<DisplayInfo> QtScreenDisplays::mainScreen() const {
    const std::vector<DisplayInfo> all = screens();
    return all.empty() ? std::nullopt : std::optional(all.front());
}

std::optional<DisplayInfo> QtScreenDisplays::currentScreenForMouseLocation() const {
    const QPointF at = mouseLocation();
    for (const DisplayInfo& d : screens())
        if (d.frame.contains(at))
            return d;
    return mainScreen();
}

QPointF QtScreenDisplays::mouseLocation() const {
    return space().pointToBottomLeft(QCursor::pos());
}
