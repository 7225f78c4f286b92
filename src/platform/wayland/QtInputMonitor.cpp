#include "QtInputMonitor.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <utility>

#include "CoordinateSpace.h"
#include "MainQueue.h"
#include "VirtualKeyCode.h"

namespace {
uint32_t modifierFlags(Qt::KeyboardModifiers modifiers) {
    static constexpr std::pair<Qt::KeyboardModifier, uint32_t> kPairs[] = {
        {Qt::ShiftModifier, kModifierShift},
        {Qt::ControlModifier, kModifierControl},
        {Qt::AltModifier, kModifierOption},
        {Qt::MetaModifier, kModifierCommand},
    };
    uint32_t flags = 0;
    for (const auto& [qt, ours] : kPairs) {
        if (modifiers & qt)
            flags |= ours;
    }
    return flags;
}
} // namespace

QtInputMonitor::QtInputMonitor() {
    QGuiApplication::instance()->installEventFilter(this);
}

InputMonitor::MonitorId QtInputMonitor::addMonitor(uint32_t mask, Handler handler) {
    return m_monitors.add(mask, std::move(handler));
}

void QtInputMonitor::removeMonitor(MonitorId id) {
    m_monitors.remove(id);
}

void QtInputMonitor::post(const InputEvent& event) {
    MainQueue::async([this, event] { m_monitors.dispatch(event); }, this);
}

std::optional<InputEvent> QtInputMonitor::inputEvent(const QEvent& event) {
    InputEvent input;
    if (event.type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(event);
        // On Wayland the native key is the key symbol the desktop's keymap gives.
        const std::optional<uint16_t> code = virtualKeyCodeForKeySym(key.nativeVirtualKey());
        if (key.isAutoRepeat() || !code)
            return std::nullopt;
        input.type = InputEvent::Type::KeyDown;
        input.keyCode = *code;
        input.modifierFlags = modifierFlags(key.modifiers());
        return input;
    }
    if (event.type() == QEvent::MouseButtonPress) {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton)
            return std::nullopt;
        const QScreen* primary = QGuiApplication::primaryScreen();
        input.location = CoordinateSpace(primary ? primary->geometry() : QRect())
                             .pointToBottomLeft(mouse.globalPosition());
        input.modifierFlags = modifierFlags(mouse.modifiers());
        return input;
    }
    return std::nullopt;
}

bool QtInputMonitor::eventFilter(QObject* watched, QEvent* event) {
    // Each input event reaches its window first and then the widget in it: the window's copy
    // is counted alone.
    if (!watched->isWindowType())
        return false;
    if (const std::optional<InputEvent> input = inputEvent(*event))
        post(*input);
    return false;
}
