#include "CastCursor.h"

#include <QGuiApplication>
#include <QScreen>

#include "CoordinateSpace.h"

int CastCursor::follow() {
    std::lock_guard lock(m_mutex);
    m_seen.reset();
    return ++m_cast;
}

void CastCursor::update(int cast, const PipeWireScreenStream::Cursor& cursor, const QRect& area) {
    std::lock_guard lock(m_mutex);
    if (cast == m_cast)
        m_seen = Seen{cursor, area};
}

QPointF CastCursor::mouseLocation() const {
    std::optional<QPoint> desktop;
    {
        std::lock_guard lock(m_mutex);
        if (m_seen)
            desktop = m_seen->area.topLeft() + m_seen->cursor.position;
    }
    if (!desktop)
        return m_fallback.mouseLocation();
    const QScreen* primary = QGuiApplication::primaryScreen();
    return CoordinateSpace(primary ? primary->geometry() : QRect()).pointToBottomLeft(*desktop);
}

CursorImage CastCursor::arrowCursor() const {
    std::lock_guard lock(m_mutex);
    if (!m_seen)
        return {};
    if (!m_seen->cursor.visible)
        return {QImage(), QPointF(), true};
    return {m_seen->cursor.image, QPointF(m_seen->cursor.hotSpot)};
}
