// Windows set up by the test (front to back). A window's picture is a fill of its colour;
// pictures honour the stacking order and bounds like the real ones.
#pragma once

#include "WindowList.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <map>

class FakeWindowList : public WindowList {
public:
    std::vector<WindowInfo> windows;
    std::map<uint32_t, QColor> colours;
    QColor desktopColour = Qt::darkGray;

    std::vector<WindowInfo> onScreenWindows() const override { return windows; }
    std::optional<WindowInfo> windowInfo(uint32_t number) const override {
        for (const WindowInfo& window : windows) {
            if (window.number == number)
                return window;
        }
        return std::nullopt;
    }
    QImage imageOfWindows(const QRectF& bounds,
                          const std::vector<uint32_t>& numbers) const override {
        QImage image = blank(bounds);
        QPainter painter(&image);
        for (auto it = numbers.rbegin(); it != numbers.rend(); ++it)
            paintWindow(painter, bounds, *it);
        return image;
    }
    QImage imageOfScreen(const QRectF& bounds) const override {
        QImage image = blank(bounds);
        image.fill(desktopColour);
        QPainter painter(&image);
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            paintWindow(painter, bounds, it->number);
        return image;
    }

private:
    static QImage blank(const QRectF& bounds) {
        QImage image(bounds.size().toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }
    void paintWindow(QPainter& painter, const QRectF& bounds, uint32_t number) const {
        const std::optional<WindowInfo> window = windowInfo(number);
        auto colour = colours.find(number);
        if (window && colour != colours.end())
            painter.fillRect(window->bounds.translated(-bounds.topLeft()), colour->second);
    }
};
