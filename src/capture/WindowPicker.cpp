#include "WindowPicker.h"

#include "SnipUtil.h"

namespace {

constexpr unsigned kFullScreenMode = 0;

QRectF withSizeRoundedDownTo4(const QRectF& rect) {
    return {rect.x(), rect.y(), SnipUtil::roundedDownTo4(rect.width()),
            SnipUtil::roundedDownTo4(rect.height())};
}

} // namespace

WindowPicker::WindowPicker(const Displays& displays, const DisplayInfo& screen)
    : displays_(displays), screen_(screen) {}

std::vector<WindowInfo> WindowPicker::takeSnapshot(const WindowList& windowList) {
    return windowList.onScreenWindows();
}

std::optional<DisplayInfo> WindowPicker::pointerScreen(const Mode& mode) const {
    if (mode.recordVideoType == kFullScreenMode && displays_.screens().size() > 1)
        return mode.chosenScreen;
    return displays_.currentScreenForMouseLocation();
}

std::optional<DisplayInfo>
WindowPicker::ChooseWindowRectInScreen(const std::vector<WindowInfo>& arrayRect,
                                       const QPointF& pointer, const Mode& mode) {
    if (mode.isDisableChangeScreen)
        return std::nullopt;
    // Front to back: the first normal window under the pointer wins; a floating or desktop
    // window only stands in until one is found, the last such standing in when none is.
    const WindowInfo* candidate = nullptr;
    for (const WindowInfo& window : arrayRect) {
        const QRectF bounds = SnipUtil::cgWindowRectToScreenRect(window.bounds, displays_);
        if (!SnipUtil::isPoint(pointer, bounds))
            continue;
        candidate = &window;
        if (window.layer == kWindowLayerNormal)
            break;
    }
    if (!candidate)
        return std::nullopt;

    const QRectF bounds = SnipUtil::cgWindowRectToScreenRect(candidate->bounds, displays_);
    lastWindowRect_ =
        withSizeRoundedDownTo4(bounds.translated(-screen_.frame.x(), -screen_.frame.y()));
    // The number and name always belong to the highlighted window, so that a window recording
    // follows the window the user saw highlighted.
    selectedWindowNumber_ = candidate->number;
    selectedWindowName_ = candidate->name;
    return pointerScreen(mode);
}

std::optional<WindowPicker::Hover>
WindowPicker::clipViewMouseMoved(const std::vector<WindowInfo>& arrayRect, const QPointF& pointer,
                                 const Mode& mode) {
    if (mode.isDisableChangeScreen)
        return std::nullopt;
    Hover hover;
    if (mode.recordVideoType == kFullScreenMode) {
        // The panel's own coordinates, so that a second screen is selected from its origin.
        lastWindowRect_ = withSizeRoundedDownTo4(QRectF(QPointF(0, 0), screen_.frame.size()));
    } else {
        hover.keyScreen = ChooseWindowRectInScreen(arrayRect, pointer, mode);
    }

    // Only the part of the window on the screen's visible side is offered.
    QRectF rect = lastWindowRect_;
    if (rect.x() < 0) {
        rect = QRectF(0, rect.y(), SnipUtil::roundedDownTo4(rect.x() + rect.width()),
                      SnipUtil::roundedDownTo4(rect.height()));
    }
    if (rect.y() < 0) {
        rect = QRectF(rect.x(), 0, SnipUtil::roundedDownTo4(rect.width()),
                      SnipUtil::roundedDownTo4(rect.y() + rect.height()));
    }
    lastWindowRect_ = rect;
    hover.candidate = rect;
    hover.screen = pointerScreen(mode);
    return hover;
}
