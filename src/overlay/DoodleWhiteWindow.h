// The whiteboard: an opaque window above the screen overlay with a canvas of its own, a title
// strip to move it by and a close button.
#pragma once

#include "DrawView.h"

#include <QWidget>

class DrawToolButton;
class QLabel;

class DoodleWhiteWindow : public QWidget {
    Q_OBJECT
public:
    // Centred on `screen` (Qt global coordinates), three quarters of its size.
    explicit DoodleWhiteWindow(const QRect& screen);

    DrawView* contentView() const { return contentView_; }
    // Shows it in front of the overlay, taking the mouse.
    void orderFront();

signals:
    // Its own close button was pressed; the window is closed by then.
    void closeClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void retitle();

    QWidget* strip_;
    QLabel* title_;
    DrawToolButton* closeButton_;
    DrawView* contentView_;
};
