// The on-screen windows and pictures of them.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Layers as the window picking expects them: normal windows are 0, higher numbers float above.
enum WindowLayer : int32_t {
    kWindowLayerDesktop = INT32_MIN + 20,
    kWindowLayerNormal = 0,
    kWindowLayerFloating = 3,
    kWindowLayerDock = 20,
};

struct WindowInfo {
    uint32_t number = 0;
    QString ownerName;
    QString name;
    int32_t layer = kWindowLayerNormal;
    // Origin at the top left of the primary display, y down; the window's frame included.
    QRectF bounds;

    bool operator==(const WindowInfo&) const = default;
};

class WindowList {
public:
    virtual ~WindowList() = default;

    // The windows currently on screen, front to back.
    virtual std::vector<WindowInfo> onScreenWindows() const = 0;
    // One window's current description, while it is on screen.
    virtual std::optional<WindowInfo> windowInfo(uint32_t number) const = 0;

    // The given windows (front to back) composited within bounds (window-list coordinates),
    // each from its own contents, so covered parts show the window itself. Format
    // ARGB32_Premultiplied; where none of the windows lies it is transparent.
    virtual QImage imageOfWindows(const QRectF& bounds,
                                  const std::vector<uint32_t>& windows) const = 0;
    // Everything on screen within bounds (window-list coordinates), desktop included.
    virtual QImage imageOfScreen(const QRectF& bounds) const = 0;
};
