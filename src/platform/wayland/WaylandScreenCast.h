// One monitor cast through the ScreenCast portal: the monitor chosen in the portal's dialog (or
// at once with the token of an earlier choice, kept in the preferences), its PipeWire stream and
// the newest picture. Started and ended on the main thread; the picture can be read anywhere.
#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>

class PipeWireScreenStream;
class Preferences;
class ScreenCastPortal;

class WaylandScreenCast : public QObject {
    Q_OBJECT
public:
    explicit WaylandScreenCast(Preferences& preferences);
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
    std::unique_ptr<ScreenCastPortal> m_portal;
    std::unique_ptr<PipeWireScreenStream> m_stream;
    std::function<void(const QString&)> m_started;
    QRect m_area;
    mutable std::mutex m_mutex;
    QImage m_latest;
};
