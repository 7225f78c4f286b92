// Observes left mouse-downs and key-downs anywhere on the desktop, this application's windows
// included. Events are only watched, never taken away from the window they go to.
#pragma once

#include <QPointF>
#include <cstdint>
#include <functional>

enum InputEventMask : uint32_t {
    kInputEventMaskLeftMouseDown = 1u << 0,
    kInputEventMaskKeyDown = 1u << 1,
};

enum ModifierFlag : uint32_t {
    kModifierShift = 1u << 0,
    kModifierControl = 1u << 1,
    kModifierOption = 1u << 2,
    kModifierCommand = 1u << 3,
    kModifierFunction = 1u << 4,
};

struct InputEvent {
    enum class Type { LeftMouseDown, KeyDown };
    Type type = Type::LeftMouseDown;
    // Virtual key code of the physical key (VirtualKeyCode.h); 0 for mouse events.
    uint16_t keyCode = 0;
    // ModifierFlag bits held when the event happened.
    uint32_t modifierFlags = 0;
    // Global points, origin at the bottom left of the primary display, y up.
    QPointF location;
};

class InputMonitor {
public:
    using Handler = std::function<void(const InputEvent&)>;
    using MonitorId = int;

    virtual ~InputMonitor() = default;

    // Handlers run on the main queue, in the order the events happened. Call from the main thread.
    virtual MonitorId addMonitor(uint32_t mask, Handler handler) = 0;
    virtual void removeMonitor(MonitorId id) = 0;
};
