// One monitor cast through the ScreenCast portal: the monitor chosen in the portal's dialog (or
// at once with the token of an earlier choice, kept in the preferences), its PipeWire stream and
// the newest picture. Started and ended on the main thread; the picture can be read anywhere.
// Where the stream describes the pointer, that goes to the cursor handler as it comes.
#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include "PipeWireScreenStream.h"

#include <functional>
#include <memory>
#include <mutex>

class Preferences;
class ScreenCastPortal;

class WaylandScreenCast : public QObject {
    Q_OBJECT
public:
    // Told on PipeWire's thread; `area` is where the picture lies (see area()).
    using CursorHandler =
        std::function<void(const PipeWireScreenStream::Cursor& cursor, const QRect& area)>;

    explicit WaylandScreenCast(Preferences& preferences, CursorHandler cursor = {});
    // Ends the stream and the portal's session.
    ~WaylandScreenCast() override;

    // Asks the portal once; `started` hears on the main thread that the stream is open, or why
    // there is none.
    void start(std::function<void(const QString& error)> started);
    bool isStreaming() const { return m_stream != nullptr; }
    // The monitor on the desktop (top-left origin, y down), as the portal describes it.
    QRect area() const { return m_area; }
    // The newest picture (Format_RGB32); null before the first.
    QImage latest() const;

signals:
    // The first picture has come (main thread).
    void firstPicture();
    // The open stream broke (main thread).
    void failed(const QString& error);

private:
    void streamOpened(int fd, uint32_t node, const QString& error);

    Preferences& m_preferences;
    CursorHandler m_cursor;
    std::unique_ptr<ScreenCastPortal> m_portal;
    std::unique_ptr<PipeWireScreenStream> m_stream;
    std::function<void(const QString&)> m_started;
    QRect m_area;
    mutable std::mutex m_mutex;
    QImage m_latest;
};
