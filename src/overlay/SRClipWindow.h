// The borderless panel that puts one selection overlay over one whole screen, above every other
// window and outside the window manager's control.
#pragma once

#include "Displays.h"

#include <QRect>
#include <QWidget>

class SRClipView;

class SRClipWindow : public QWidget {
    Q_OBJECT
public:
    // screen: the display to cover; primaryDesktop: the primary screen's rectangle in Qt's
    // global (top-left) coordinates, which places the panel. compositing: whether a compositing
    // manager runs, so that the panel can be really translucent.
    SRClipWindow(const DisplayInfo& screen, const QRect& primaryDesktop, bool compositing);

    static Qt::WindowFlags panelFlags();

    // The overlay fills the panel and gets every mouse event; the panel owns it.
    void setContentView(SRClipView* view);
    SRClipView* contentView() const { return contentView_; }
    const DisplayInfo& screen() const { return screen_; }
    bool compositing() const { return compositing_; }

    // Where the compositor places windows itself: the panel covers its screen as a full-screen
    // window rather than by its position.
    void setCoversByFullScreen(bool fullScreen) { fullScreen_ = fullScreen; }
    // Brings the panel to the front and gives it the keyboard.
    void makeKeyAndOrderFront();
    bool isKeyWindow() const;

    // Hiding leaves the arrow behind: the X server keeps showing the panel's last pointer shape
    // (a resize arrow, a hand) until the pointer next moves.
    void setVisible(bool visible) override;

private:
    DisplayInfo screen_;
    bool compositing_;
    bool fullScreen_ = false;
    SRClipView* contentView_ = nullptr;
};
