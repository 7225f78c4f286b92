#include "FrozenDesktop.h"

#include "SnipUtil.h"
#include "WindowList.h"

#include <algorithm>

FrozenDesktop captureFrozenDesktop(const WindowList& windowList, const Displays& displays,
                                   const std::vector<uint32_t>& onScreenWindows,
                                   const QRectF& screenFrame, const QString& ownWindowName) {
    FrozenDesktop desktop{onScreenWindows, QImage()};
    for (auto it = onScreenWindows.rbegin(); it != onScreenWindows.rend(); ++it) {
        const std::optional<WindowInfo> info = windowList.windowInfo(*it);
        if (info && info->name == ownWindowName && info->bounds.size() == screenFrame.size()) {
            auto& elements = desktop.desktopElements;
            elements.erase(std::remove(elements.begin(), elements.end(), *it), elements.end());
        }
    }
    const QRectF bounds = SnipUtil::cgWindowRectToScreenRect(screenFrame, displays);
    const QImage image = windowList.imageOfWindows(bounds, desktop.desktopElements);
    if (!image.isNull())
        desktop.image = image.copy(QRect(QPoint(0, 0), screenFrame.size().toSize()));
    return desktop;
}
