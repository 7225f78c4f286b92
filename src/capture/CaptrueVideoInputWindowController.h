// The floating camera picture: a small borderless window that stays above the others and shows
// each mirrored camera frame, so a screen recording takes it in like any window. While the
// pointer is over it, a title bar with the camera's name, a close button and a size grip shows.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QSizeGrip;
class SRVideoView;
class QToolButton;

class CaptrueVideoInputWindowController : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    // From the screen's right and bottom edges.
    static constexpr int kMargin = 50;

    explicit CaptrueVideoInputWindowController(QWidget* parent = nullptr);

    // The name in the title bar, and the window's title.
    void setCameraName(const QString& name);
    // What the window shows; the picture is drawn as large as fits, aspect kept.
    void showPicture(const QImage& picture);
    // The camera went away: the window says so over the last picture until the next one.
    void setCameraGone(bool gone);
    bool cameraGone() const { return gone_; }
    // Lower-left corner at x = screen width − window width − 50, y = 50 from the screen's
    // bottom; `screen` in desktop pixels.
    void placeAtBottomRight(const QRect& screen);
    bool titleBarShown() const;

    // The user closes the window; whoever opened it turns the camera off.
    std::function<void()> windowShouldClose;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTitleBar(bool shown);

    SRVideoView* videoContentView_;
    QWidget* titleBar_;
    QLabel* titleLabel_;
    QToolButton* closeButton_;
    QSizeGrip* grip_;
    bool gone_ = false;
};
