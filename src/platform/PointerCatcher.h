// An invisible window that takes the pointer over an area. A shaped window lets presses through
// its holes; a catcher right below it takes them instead, so drawing works anywhere.
#pragma once

#include <QRect>
#include <QtGlobal>

#include <functional>

class PointerCatcher {
public:
    enum class Event { Press, Drag, Release };
    // Left button only; the handler reads the pointer position itself.
    using Handler = std::function<void(Event)>;

    virtual ~PointerCatcher() = default;

    // Covers `area` (desktop pixels, origin top left) directly below the window `above` (a
    // native id), replacing an earlier cover.
    virtual void cover(quintptr above, const QRect& area, Handler handler) = 0;
    // Takes the cover away; nothing is reported after.
    virtual void uncover() = 0;
};
