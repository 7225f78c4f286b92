// The screen overlay that carries the drawing canvas: a frameless window over exactly one
// screen, above every other window, see-through, never taking the keyboard except for text
// entry, and passing clicks through to the desktop while the pointer tool is chosen.
//
// With a compositing manager the window has an alpha channel. Without one its shape follows
// what is drawn, so the live desktop shows everywhere else, and an input-only window below it
// takes the presses that fall through the holes.
#pragma once

#include "DrawView.h"

#include <QWidget>

#include <vector>

class CompositorCheck;
class PointerCatcher;
class WindowShape;

class DrawPanelWindow : public QWidget {
    Q_OBJECT
public:
    // What the overlay needs from the desktop beyond Qt. Without a compositor check the
    // desktop is taken to composite; shape and catcher serve a desktop that does not.
    struct Desktop {
        const CompositorCheck* compositor = nullptr;
        WindowShape* shape = nullptr;
        PointerCatcher* catcher = nullptr;
    };

    // screen: the screen's rectangle in Qt's global coordinates. Starts ignoring the mouse.
    DrawPanelWindow(const QRect& screen, const Desktop& desktop);
    ~DrawPanelWindow() override;

    DrawView* contentView() const { return contentView_; }
    bool isCompositing() const { return compositing_; }

    void setIgnoresMouseEvents(bool ignores);
    bool ignoresMouseEvents() const { return ignoresMouse_; }
    // Only while this is on may the panel take the keyboard (the text tool).
    void setCanBecomeKey(bool canBecomeKey);
    bool canBecomeKey() const { return canBecomeKey_; }
    // Alpha 1 or 0: the drawing shows, or nothing does while the whiteboard is up.
    void setContentVisible(bool visible);
    // Raises the panel above every window.
    void orderFront();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void setFlag(Qt::WindowType flag, bool on);
    void inkChanged(const QRect& area);
    void updateCatcher();
    std::vector<QRect> shownRects(const QRect& area) const;

    Desktop desktop_;
    bool compositing_;
    DrawView* contentView_;
    bool ignoresMouse_ = true;
    bool canBecomeKey_ = false;
    bool contentVisible_ = true;
    bool covering_ = false;
};
