#include "DrawPanelWindow.h"

#include "CompositorCheck.h"
#include "InkShape.h"
#include "PointerCatcher.h"
#include "WindowShape.h"

#include <QWindow>

DrawPanelWindow::DrawPanelWindow(const QRect& screen, const Desktop& desktop)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput),
      desktop_(desktop),
      compositing_(!desktop.shape || !desktop.compositor || desktop.compositor->isCompositing()),
      contentView_(new DrawView(this)) {
    setWindowTitle(QStringLiteral("panelWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, compositing_);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(screen);
    contentView_->setGeometry(rect());
    DrawTouchPointView* canvas = contentView_->drawView();
    connect(canvas, &DrawTouchPointView::wantsKeyboard, this, [this] {
        if (canBecomeKey_)
            activateWindow();
    });
    if (compositing_)
        return;
    canvas->setOpaqueInk(true);
    desktop_.shape->setShape(winId(), {});
    connect(canvas, &DrawTouchPointView::inkChanged, this, &DrawPanelWindow::inkChanged);
}

// A panel closed earlier has already given the cover up, perhaps to a newer panel.
DrawPanelWindow::~DrawPanelWindow() {
    if (covering_)
        desktop_.catcher->uncover();
}

void DrawPanelWindow::setFlag(Qt::WindowType flag, bool on) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(flag, on);
    if (flags == windowFlags())
        return;
    // Changed on the live window: setting the widget's flags would hide and recreate it.
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
}

void DrawPanelWindow::setIgnoresMouseEvents(bool ignores) {
    ignoresMouse_ = ignores;
    setFlag(Qt::WindowTransparentForInput, ignores);
    updateCatcher();
}

void DrawPanelWindow::setCanBecomeKey(bool canBecomeKey) {
    canBecomeKey_ = canBecomeKey;
    setFlag(Qt::WindowDoesNotAcceptFocus, !canBecomeKey);
}

void DrawPanelWindow::setContentVisible(bool visible) {
    contentVisible_ = visible;
    contentView_->setVisible(visible);
    if (!compositing_)
        desktop_.shape->setShape(winId(), visible ? shownRects(rect()) : std::vector<QRect>{});
    updateCatcher();
}

void DrawPanelWindow::orderFront() {
    if (!isVisible())
        show();
    raise();
    updateCatcher();
}

void DrawPanelWindow::hideEvent(QHideEvent*) {
    updateCatcher();
}

void DrawPanelWindow::updateCatcher() {
    if (compositing_ || !desktop_.catcher)
        return;
    covering_ = !ignoresMouse_ && contentVisible_ && isVisible();
    if (!covering_) {
        desktop_.catcher->uncover();
        return;
    }
    DrawTouchPointView* canvas = contentView_->drawView();
    desktop_.catcher->cover(winId(), geometry(), [canvas](PointerCatcher::Event event) {
        switch (event) {
        case PointerCatcher::Event::Press:
            canvas->mouseDown();
            break;
        case PointerCatcher::Event::Drag:
            canvas->mouseDragged();
            break;
        case PointerCatcher::Event::Release:
            canvas->mouseUp();
            break;
        }
    });
}

std::vector<QRect> DrawPanelWindow::shownRects(const QRect& area) const {
    const DrawTouchPointView* canvas = contentView_->drawView();
    std::vector<QRect> shown = inkRects(canvas->image(), area);
    // A text field being typed shows whole.
    for (const QRect& field : canvas->childrenRegion() & area)
        shown.push_back(field);
    return shown;
}

void DrawPanelWindow::inkChanged(const QRect& area) {
    if (!contentVisible_)
        return;
    // Paint first, so that a growing shape never uncovers stale pixels.
    contentView_->drawView()->repaint(area);
    desktop_.shape->reshape(winId(), area, shownRects(area));
}
