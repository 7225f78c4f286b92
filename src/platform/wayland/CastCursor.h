// The pointer of a Wayland session as the newest screen cast describes it beside its picture:
// where it is and how it looks. Where the cast describes no pointer (the compositor draws it
// into the picture), the position is the fallback's and no arrow of our own is drawn. Clicks
// are still not seen outside Tapedeck's windows, so there is no click ring.
#pragma once

#include "ArrowCursor.h"
#include "PipeWireScreenStream.h"
#include "Pointer.h"

#include <QRect>

#include <mutex>
#include <optional>

class CastCursor : public Pointer, public ArrowCursor {
public:
    explicit CastCursor(const Pointer& fallback) : m_fallback(fallback) {}

    // From now on the pointer is the one of a new cast; what that cast reports carries the
    // returned number, and what older casts report is ignored.
    int follow();
    // Any thread. `area`: where the cast's picture lies on the desktop (top-left origin).
    void update(int cast, const PipeWireScreenStream::Cursor& cursor, const QRect& area);

    QPointF mouseLocation() const override;
    CursorImage arrowCursor() const override;

private:
    struct Seen {
        PipeWireScreenStream::Cursor cursor;
        QRect area;
    };
    const Pointer& m_fallback;
    mutable std::mutex m_mutex;
    int m_cast = 0;
    std::optional<Seen> m_seen;
};
