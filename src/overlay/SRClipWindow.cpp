#include "SRClipWindow.h"

#include "CoordinateSpace.h"
#include "SRClipView.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

SRClipWindow::SRClipWindow(const DisplayInfo& screen, const QRect& primaryDesktop, bool compositing)
    : QWidget(nullptr, panelFlags()), screen_(screen), compositing_(compositing) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Real translucency needs a compositing manager; without one the overlay paints the frozen
    // screen itself.
    setAttribute(Qt::WA_TranslucentBackground, compositing);
    setAttribute(Qt::WA_NoSystemBackground, compositing);
    setMouseTracking(true);
    setGeometry(CoordinateSpace(primaryDesktop).fromBottomLeft(screen.frame).toAlignedRect());
}

Qt::WindowFlags SRClipWindow::panelFlags() {
    return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
           Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint;
}

void SRClipWindow::setContentView(SRClipView* view) {
    delete contentView_;
    contentView_ = view;
    if (!view)
        return;
    view->setParent(this);
    view->setScreen(screen_);
    view->setCompositing(compositing_);
    view->setGeometry(rect());
    view->show();
}

void SRClipWindow::makeKeyAndOrderFront() {
    if (fullScreen_ && !isVisible()) {
        // On the screen whose place this panel was given.
        for (QScreen* s : QGuiApplication::screens()) {
            if (s->geometry() == geometry()) {
                setScreen(s);
                break;
            }
        }
        showFullScreen();
    } else if (!isVisible()) {
        show();
    }
    raise();
    // Qt gives an override-redirect window the input focus directly.
    activateWindow();
    if (contentView_)
        contentView_->setFocus();
}

void SRClipWindow::setVisible(bool visible) {
    if (!visible && contentView_)
        contentView_->setCursor(Qt::ArrowCursor);
    QWidget::setVisible(visible);
}

bool SRClipWindow::isKeyWindow() const {
    return isActiveWindow();
}
