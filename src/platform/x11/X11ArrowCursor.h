// The arrow ("left_ptr") of the desktop's cursor theme, through libXcursor. The theme and size
// are those the desktop sets (Xcursor resources, XCURSOR_THEME / XCURSOR_SIZE).
#pragma once

#include "ArrowCursor.h"

#include <QByteArray>

class X11ArrowCursor : public ArrowCursor {
public:
    explicit X11ArrowCursor(const QByteArray& displayName);

    CursorImage arrowCursor() const override { return m_arrow; }

private:
    // Loaded once: the theme does not change under a running program, and frames ask for the
    // arrow many times a second.
    CursorImage m_arrow;
};
