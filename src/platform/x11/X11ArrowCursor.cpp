#include "X11ArrowCursor.h"

#include "KTLog.h"

#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>

namespace {

CursorImage loadArrow(const QByteArray& displayName) {
    const char* theme = nullptr;
    int size = 0;
    QByteArray themeName;
    // The theme and size live in the display's resources, which need an Xlib connection.
    if (Display* display =
            XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData())) {
        themeName = XcursorGetTheme(display);
        size = XcursorGetDefaultSize(display);
        XCloseDisplay(display);
    }
    if (!themeName.isEmpty())
        theme = themeName.constData();
    XcursorImage* image = XcursorLibraryLoadImage("left_ptr", theme, size > 0 ? size : 24);
    if (!image) {
        KTLOG("no left_ptr cursor in theme %s", theme ? theme : "default");
        return {};
    }
    // Xcursor pixels are premultiplied ARGB words, the same layout as the frames.
    const QImage view(reinterpret_cast<const uchar*>(image->pixels), int(image->width),
                      int(image->height), int(image->width) * 4,
                      QImage::Format_ARGB32_Premultiplied);
    CursorImage arrow{view.copy(), QPointF(image->xhot, image->yhot)};
    XcursorImageDestroy(image);
    return arrow;
}

} // namespace

X11ArrowCursor::X11ArrowCursor(const QByteArray& displayName) : m_arrow(loadArrow(displayName)) {}
