// Composed frames are described with the origin at the bottom left, y up, while image rows run
// top to bottom; this is the one place that flips between the two, and that places a frame on
// the desktop.
#pragma once

#include <QRectF>

inline QRectF frameRectToImage(const QRectF& frameRect, int frameHeight) {
    return QRectF(frameRect.x(), frameHeight - frameRect.y() - frameRect.height(),
                  frameRect.width(), frameRect.height());
}

// What a recording takes its frames from, in the conventions the recording keeps.
struct CaptureArea {
    // The recorded screen's frame in global points (origin bottom left of the primary screen,
    // y up).
    QRectF screenFrame;
    // Screen modes: the part of that screen in its own points (origin at its lower-left
    // corner, y up), the null rectangle for all of it. Window mode: the window's bounds from
    // the window list (origin top left of the primary screen, y down).
    QRectF rect;
    bool isWindowBounds = false;
};

// The frame's rectangle in global points. primaryHeight: the primary screen's height, which
// lies between the window list's origin and the global one.
inline QRectF globalFrameRect(const CaptureArea& area, double primaryHeight) {
    if (area.isWindowBounds)
        return QRectF(area.rect.x(), primaryHeight - area.rect.y() - area.rect.height(),
                      area.rect.width(), area.rect.height());
    if (area.rect.isNull())
        return area.screenFrame;
    return area.rect.translated(area.screenFrame.topLeft());
}
