// Global mouse-down and key-down observation through XInput2 raw events on the root window.
// Raw events reach us whatever window has the focus or a grab, and selecting them takes
// nothing away from anyone. A reader thread with its own X connection turns them into
// InputEvents and hands them to the main queue.
#pragma once

#include "InputMonitor.h"
#include "InputMonitorList.h"
#include "X11KeyboardMap.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <thread>

class X11Connection;

class X11InputMonitor : public InputMonitor {
public:
    explicit X11InputMonitor(const QByteArray& displayName);
    ~X11InputMonitor() override;

    MonitorId addMonitor(uint32_t mask, Handler handler) override;
    void removeMonitor(MonitorId id) override;

    // False when the server offers no XInput 2.2; no event will then arrive.
    bool isObserving() const { return m_thread.joinable(); }

private:
    bool selectRawEvents();
    void readEvents();
    void handleEvent(const uint8_t* event);
    void deliver(const InputEvent& event);

    // Posted deliveries are dropped once this object is gone. The guard is made before the
    // reader thread starts, which only copies it.
    QObject m_context;
    const QPointer<const QObject> m_guard;
    std::shared_ptr<X11Connection> m_connection;
    uint8_t m_inputOpcode = 0;
    int m_wakeFd = -1;
    std::thread m_thread;

    // Reader thread only.
    X11KeyboardMap m_keyboard;
    std::map<uint8_t, uint32_t> m_heldModifiers;

    // Main thread only.
    InputMonitorList m_monitors;
};
