// The magnifier next to the pointer while a custom area is drawn: a zoomed cut of the frozen
// screen picture, the pointer position and the colour under it.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPointF>
#include <QString>
#include <QWidget>

class SRClipMagnifierView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZoomSize = 80;
    // Pixels of the frozen picture the zoom shows in each direction.
    static constexpr int kCutSize = 10;

    explicit SRClipMagnifierView(QWidget* parent = nullptr);

    // pointer: overlay coordinates (y up); the pixel read is counted from the picture's top.
    // screenOrigin: the screen's top-left corner on the desktop.
    void showPointer(const QImage& screenImage, const QPointF& pointer, const QPoint& screenOrigin);

    // "%d,%d\n%.f,%.f,%.f": the pixel's desktop position counted from the top left, as xdotool
    // and "tapedeck record --rect" count, then red, green, blue 0-255. Empty when the pointer
    // is outside the picture.
    static QString cursorText(const QImage& screenImage, const QPointF& pointer,
                              const QPoint& screenOrigin);
    // The 10 x 10 cut centred on the pointer scaled to 80 x 80, with the red circle and cross.
    static QImage zoomedImage(const QImage& screenImage, const QPointF& pointer);

    QLabel* cursorImageView() const { return cursorImageView_; }
    QLabel* cursorTextView() const { return cursorTextView_; }

private:
    QLabel* cursorImageView_;
    QLabel* cursorTextView_;
};
