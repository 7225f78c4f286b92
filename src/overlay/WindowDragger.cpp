#include "WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>

WindowDragger::WindowDragger(QWidget* handle) : QObject(handle), handle_(handle) {
    handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        grab_ = mouse->globalPosition().toPoint() - handle_->window()->pos();
        dragging_ = true;
        return true;
    }
    case QEvent::MouseMove:
        if (!dragging_)
            return false;
        handle_->window()->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() -
                                grab_);
        return true;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return false;
    default:
        return false;
    }
}
