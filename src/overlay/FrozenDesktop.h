// The picture of one screen as it was when its overlay was set up, composed of the windows on
// it apart from the application's own full-screen window.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

class Displays;
class WindowList;

struct FrozenDesktop {
    // The windows composed into the picture, front to back.
    std::vector<uint32_t> desktopElements;
    // Of the screen's size; null when the window pictures could not be taken.
    QImage image;
};

// screenFrame in global screen coordinates; windows named ownWindowName that cover a whole
// screen-sized area are left out.
FrozenDesktop captureFrozenDesktop(const WindowList& windowList, const Displays& displays,
                                   const std::vector<uint32_t>& onScreenWindows,
                                   const QRectF& screenFrame, const QString& ownWindowName);
