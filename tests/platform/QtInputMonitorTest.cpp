// What Tapedeck's own windows hear on Wayland, as the input monitors see it.
#include "QtInputMonitor.h"
#include "VirtualKeyCode.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {
constexpr quint32 kXkEscape = 0xff1b, kXkReturn = 0xff0d, kXkLowerA = 0x61;
constexpr quint32 kXkMultiKey = 0xff20; // no key of the table

QKeyEvent key(quint32 keySym, Qt::KeyboardModifiers modifiers, bool repeat = false) {
    return QKeyEvent(QEvent::KeyPress, 0, modifiers, 0, keySym, 0, QString(), repeat);
}
} // namespace

TEST(QtInputMonitorTest, KeysBecomeVirtualKeyCodesWithTheirModifiers) {
    const struct {
        QKeyEvent event;
        std::optional<uint16_t> code;
        uint32_t modifiers;
    } cases[] = {
        {key(kXkEscape, Qt::NoModifier), kVK_Escape, 0},
        {key(kXkReturn, Qt::ShiftModifier), kVK_Return, kModifierShift},
        {key(kXkLowerA, Qt::MetaModifier | Qt::AltModifier | Qt::ControlModifier), kVK_ANSI_A,
         kModifierCommand | kModifierOption | kModifierControl},
        {key(kXkEscape, Qt::NoModifier, true), std::nullopt, 0},
        {key(kXkMultiKey, Qt::NoModifier), std::nullopt, 0},
    };
    for (const auto& c : cases) {
        const std::optional<InputEvent> input = QtInputMonitor::inputEvent(c.event);
        ASSERT_EQ(input.has_value(), c.code.has_value()) << c.event.nativeVirtualKey();
        if (!input)
            continue;
        EXPECT_EQ(input->type, InputEvent::Type::KeyDown);
        EXPECT_EQ(input->keyCode, *c.code);
        EXPECT_EQ(input->modifierFlags, c.modifiers);
    }
}

TEST(QtInputMonitorTest, OnlyTheLeftButtonIsAMouseDownAtItsPlaceFromTheBottomLeft) {
    const QMouseEvent left(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                           QPointF(100, 1079), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    const std::optional<InputEvent> input = QtInputMonitor::inputEvent(left);
    ASSERT_TRUE(input);
    EXPECT_EQ(input->type, InputEvent::Type::LeftMouseDown);
    EXPECT_EQ(input->location, QPointF(100, 0)); // the bottom row of a 1920 x 1080 output
    const QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                            QPointF(100, 1079), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    EXPECT_FALSE(QtInputMonitor::inputEvent(right));
}
