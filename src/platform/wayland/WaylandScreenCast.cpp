#include "WaylandScreenCast.h"

#include <QPointer>

#include "MainQueue.h"
#include "PipeWireScreenStream.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "ScreenCastPortal.h"

WaylandScreenCast::WaylandScreenCast(Preferences& preferences, CursorHandler cursor)
    : m_preferences(preferences), m_cursor(std::move(cursor)) {}

WaylandScreenCast::~WaylandScreenCast() {
    // The stream first: it calls back into this object until it is gone.
    m_stream.reset();
    m_portal.reset();
}

void WaylandScreenCast::start(std::function<void(const QString& error)> started) {
    m_started = std::move(started);
    m_portal =
        std::make_unique<ScreenCastPortal>(m_preferences.string(PrefKey::ScreenCast_RestoreToken));
    m_portal->start([this](const ScreenCastPortal::Cast& cast, const QString& error) {
        const QString token = m_portal->restoreToken();
        if (token.isEmpty())
            m_preferences.remove(PrefKey::ScreenCast_RestoreToken);
        else
            m_preferences.setValue(PrefKey::ScreenCast_RestoreToken, token);
        m_area = cast.area;
        streamOpened(cast.pipeWireFd, cast.node, error);
    });
}

void WaylandScreenCast::streamOpened(int fd, uint32_t node, const QString& error) {
    const QPointer<const QObject> guard(this);
    // Told on a turn of its own: the receiver may end the cast, and with it the portal that is
    // calling here.
    const auto tell = [guard, started = std::move(m_started)](const QString& e) {
        MainQueue::async([started, e] { started(e); }, guard);
    };
    if (!error.isEmpty())
        return tell(error);
    QString streamError;
    m_stream = PipeWireScreenStream::open(
        fd, node,
        {[this, guard](QImage picture) {
             std::unique_lock lock(m_mutex);
             const bool first = m_latest.isNull();
             m_latest = std::move(picture);
             lock.unlock();
             if (first)
                 MainQueue::async([this] { emit firstPicture(); }, guard);
         },
         [this, guard](const QString& e) {
             MainQueue::async([this, e] { emit failed(e); }, guard);
         },
         [this](const PipeWireScreenStream::Cursor& cursor) {
             if (m_cursor)
                 m_cursor(cursor, m_area);
         }},
        streamError);
    tell(m_stream ? QString() : streamError);
}

QImage WaylandScreenCast::latest() const {
    std::lock_guard lock(m_mutex);
    return m_latest;
}
